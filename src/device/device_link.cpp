#include "device/device_link.h"

#include <algorithm>
#include <utility>

#include "config/device_description.h"

namespace novu {

namespace {

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

}  // namespace

std::optional<int> VariantOfProductId(std::uint16_t productId) {
    switch (productId) {
        case kProductIdVariant1:
            return 1;
        case kProductIdVariant0:
            return 0;
        default:
            return std::nullopt;
    }
}

DeviceLink::DeviceLink(HidBus& bus, std::function<void()> onRemoved)
    : bus_(bus), onRemoved_(std::move(onRemoved)) {}

DeviceLink::~DeviceLink() {
    StopWatching();
}

bool DeviceLink::OpenDevice(const DeviceDescription& description) {
    std::lock_guard lock(mutex_);
    devString_ = description.DevString;
    onlyPath_.reset();
    return Discover(devString_, nullptr);
}

bool DeviceLink::OpenDeviceAt(const DeviceDescription& description, const std::string& path) {
    std::lock_guard lock(mutex_);
    devString_ = description.DevString;
    onlyPath_ = path;
    return Discover(devString_, &*onlyPath_);
}

bool DeviceLink::Discover(const std::string& devString, const std::string* onlyPath) {
    connected_ = false;
    lastOpenError_.reset();
    // Handles of an earlier attempt (perhaps of a mouse since removed) must not make this
    // one look connected; whoever still uses one keeps it alive through its shared pointer.
    input_.reset();
    feature_.reset();

    auto interfaces = bus_.Enumerate();
    if (!interfaces) {
        lastOpenError_ = interfaces.error();
        return false;
    }
    const std::size_t examined = std::min(interfaces->size(), kMaxInterfacesExamined);
    for (std::size_t i = 0; i < examined; ++i) {
        const HidInterfaceInfo& info = (*interfaces)[i];
        if (onlyPath != nullptr && info.path != *onlyPath) {
            continue;
        }
        // Once one interface's product string matched, the flag stays set for the rest of
        // the list and for later discoveries.
        if (devString.empty() || info.product == devString) {
            productStringMatched_ = true;
        }
        const std::optional<int> variant = VariantOfProductId(info.productId);
        if (!productStringMatched_ || info.vendorId != kMouseVendorId || !variant) {
            continue;
        }
        variant_ = *variant;
        devicePath_ = info.path;

        const auto openRole = [&](HidAccess access, std::shared_ptr<HidDevice>& handle,
                                  HidInterfaceInfo& kept) {
            kept = info;
            auto opened = bus_.Open(info.path, access);
            if (opened) {
                handle = std::move(*opened);
            } else {
                // An interface that failed to open is not open: the mouse must not look
                // connected with a dead handle.
                handle.reset();
                lastOpenError_ = opened.error();
            }
        };
        if (info.usage == kVendorUsage && info.usagePage == kInputUsagePage) {
            openRole(HidAccess::Read, input_, inputInterface_);
        } else if (info.usage == kVendorUsage && info.usagePage == kFeatureUsagePage) {
            openRole(HidAccess::Write, feature_, featureInterface_);
        }
        if (input_ && feature_) {
            connected_ = true;
            break;
        }
    }
    return connected_;
}

bool DeviceLink::Connected() const {
    std::lock_guard lock(mutex_);
    return connected_;
}

int DeviceLink::Variant() const {
    std::lock_guard lock(mutex_);
    return variant_;
}

std::string DeviceLink::DevicePath() const {
    std::lock_guard lock(mutex_);
    return devicePath_;
}

bool DeviceLink::ProductStringMatched() const {
    std::lock_guard lock(mutex_);
    return productStringMatched_;
}

std::optional<Error> DeviceLink::LastOpenError() const {
    std::lock_guard lock(mutex_);
    return lastOpenError_;
}

std::shared_ptr<HidDevice> DeviceLink::InputDevice() const {
    std::lock_guard lock(mutex_);
    return input_;
}

std::size_t DeviceLink::InputReportLength() const {
    std::lock_guard lock(mutex_);
    return inputInterface_.inputReportLength;
}

std::shared_ptr<HidDevice> DeviceLink::FeatureDevice() const {
    std::lock_guard lock(mutex_);
    return feature_;
}

std::size_t DeviceLink::FeatureReportLength() const {
    std::lock_guard lock(mutex_);
    return featureInterface_.featureReportLength;
}

HidInterfaceInfo DeviceLink::InputInterface() const {
    std::lock_guard lock(mutex_);
    return inputInterface_;
}

HidInterfaceInfo DeviceLink::FeatureInterface() const {
    std::lock_guard lock(mutex_);
    return featureInterface_;
}

bool DeviceLink::MatchesNotification(const HidChange& change) const {
    std::lock_guard lock(mutex_);
    return MatchesLocked(change.path);
}

bool DeviceLink::MatchesLocked(const std::string& path) const {
    return !devicePath_.empty() && EqualIgnoringCase(path, devicePath_);
}

void DeviceLink::HandleDeviceChange(const HidChange& change) {
    bool removed = false;
    {
        std::lock_guard lock(mutex_);
        if (!MatchesLocked(change.path)) {
            return;
        }
        switch (change.kind) {
            case HidChange::Kind::Arrival:
                if (!connected_) {
                    Discover(devString_, onlyPath_ ? &*onlyPath_ : nullptr);
                }
                break;
            case HidChange::Kind::Removal:
                connected_ = false;
                removed = true;
                break;
        }
    }
    if (removed && onRemoved_) {
        onRemoved_();
    }
}

Result<void> DeviceLink::StartWatching() {
    {
        std::lock_guard lock(mutex_);
        if (watching_) {
            return Ok();
        }
        watching_ = true;
    }
    auto started =
        bus_.StartWatching([this](const HidChange& change) { HandleDeviceChange(change); });
    if (!started) {
        std::lock_guard lock(mutex_);
        watching_ = false;
    }
    return started;
}

void DeviceLink::StopWatching() {
    {
        std::lock_guard lock(mutex_);
        if (!watching_) {
            return;
        }
        watching_ = false;
    }
    bus_.StopWatching();
}

}  // namespace novu
