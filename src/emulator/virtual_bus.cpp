#include "emulator/virtual_bus.h"

#include <algorithm>

namespace novu {

namespace {

// Handles of another device's interface: good for identification, nothing else.
class ForeignHandle final : public HidDevice {
public:
    Result<void> SetFeature(std::span<const std::uint8_t>) override { return Refuse(); }
    Result<void> GetFeature(std::span<std::uint8_t>) override { return Refuse(); }
    Result<std::size_t> ReadInput(std::span<std::uint8_t>) override {
        return MakeError(Fault::Device, "the device sends no reports here");
    }
    void Interrupt() override {}

private:
    static Result<void> Refuse() {
        return MakeError(Fault::Device, "the device refused the report");
    }
};

}  // namespace

VirtualBus::VirtualBus(VirtualMouse& mouse) : mouse_(mouse) {}

void VirtualBus::AddInterface(HidInterfaceInfo info) {
    std::lock_guard lock(mutex_);
    others_.push_back(std::move(info));
}

void VirtualBus::Unplug() {
    {
        std::lock_guard lock(mutex_);
        if (!plugged_) {
            return;
        }
        plugged_ = false;
    }
    mouse_.SetConnected(false);
    Notify(HidChange::Kind::Removal);
}

void VirtualBus::Plug() {
    {
        std::lock_guard lock(mutex_);
        if (plugged_) {
            return;
        }
        plugged_ = true;
    }
    mouse_.SetConnected(true);
    Notify(HidChange::Kind::Arrival);
}

void VirtualBus::Notify(HidChange::Kind kind) {
    std::lock_guard watcher(watcherMutex_);
    if (!watcher_) {
        return;
    }
    watcher_(HidChange{kind, kInputPath});
    watcher_(HidChange{kind, kFeaturePath});
}

Result<std::vector<HidInterfaceInfo>> VirtualBus::Enumerate() {
    std::lock_guard lock(mutex_);
    std::vector<HidInterfaceInfo> list;
    if (plugged_) {
        list.push_back(mouse_.Describe(MouseInterface::Input, kInputPath));
        list.push_back(mouse_.Describe(MouseInterface::Feature, kFeaturePath));
    }
    list.insert(list.end(), others_.begin(), others_.end());
    return list;
}

Result<std::unique_ptr<HidDevice>> VirtualBus::Open(const std::string& path, HidAccess access) {
    std::lock_guard lock(mutex_);
    if (plugged_ && path == kInputPath) {
        return mouse_.Open(MouseInterface::Input, access);
    }
    if (plugged_ && path == kFeaturePath) {
        return mouse_.Open(MouseInterface::Feature, access);
    }
    const bool other = std::any_of(others_.begin(), others_.end(),
                                   [&](const HidInterfaceInfo& info) { return info.path == path; });
    if (!other) {
        return MakeError(Fault::Device, "no such device: " + path);
    }
    if (access != HidAccess::Query) {
        return MakeError(Fault::System, "permission denied: " + path);
    }
    return std::unique_ptr<HidDevice>(std::make_unique<ForeignHandle>());
}

Result<void> VirtualBus::StartWatching(std::function<void(const HidChange&)> onChange) {
    std::lock_guard watcher(watcherMutex_);
    watcher_ = std::move(onChange);
    return Ok();
}

void VirtualBus::StopWatching() {
    std::lock_guard watcher(watcherMutex_);
    watcher_ = nullptr;
}

}  // namespace novu
