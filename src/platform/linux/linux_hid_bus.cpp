#include "platform/linux/linux_hid_bus.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/linux/hidraw_device.h"
#include "platform/linux/os_error.h"
#include "platform/linux/report_descriptor.h"
#include "platform/linux/unique_fd.h"

namespace novu {

namespace {

struct UdevUnref {
    void operator()(udev* p) const { udev_unref(p); }
    void operator()(udev_enumerate* p) const { udev_enumerate_unref(p); }
    void operator()(udev_device* p) const { udev_device_unref(p); }
    void operator()(udev_monitor* p) const { udev_monitor_unref(p); }
};
template <class T>
using UdevPtr = std::unique_ptr<T, UdevUnref>;

// The kernel never makes a report descriptor larger than this (HID_MAX_DESCRIPTOR_SIZE).
constexpr std::size_t kMaxDescriptorSize = 4096;

std::optional<std::uint32_t> ParseHex(std::string_view text) {
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// HID_ID of a hid device: "<bus>:<vendor>:<product>" in hexadecimal, e.g. 0003:000030FA:00001040.
bool ParseHidId(const char* hidId, HidInterfaceInfo& info) {
    if (hidId == nullptr) {
        return false;
    }
    const std::string_view text(hidId);
    const std::size_t first = text.find(':');
    const std::size_t second = text.find(':', first == std::string_view::npos ? 0 : first + 1);
    if (first == std::string_view::npos || second == std::string_view::npos) {
        return false;
    }
    const auto vendor = ParseHex(text.substr(first + 1, second - first - 1));
    const auto product = ParseHex(text.substr(second + 1));
    if (!vendor || !product) {
        return false;
    }
    info.vendorId = static_cast<std::uint16_t>(*vendor);
    info.productId = static_cast<std::uint16_t>(*product);
    return true;
}

std::string Text(const char* value) {
    return value != nullptr ? value : "";
}

// sysfs serves report_descriptor as a binary attribute; libudev's attribute reader stops at
// the first zero byte, so it is read as a file.
std::vector<std::uint8_t> ReadReportDescriptor(udev_device* hid) {
    std::ifstream file(std::string(udev_device_get_syspath(hid)) + "/report_descriptor",
                       std::ios::binary);
    std::vector<std::uint8_t> bytes;
    char chunk[512];
    while (file && bytes.size() <= kMaxDescriptorSize) {
        file.read(chunk, sizeof chunk);
        bytes.insert(bytes.end(), chunk, chunk + file.gcount());
    }
    return bytes;
}

// Appends the interfaces (top-level collections) of one hidraw node.
void AppendInterfaces(udev_device* hidraw, std::vector<HidInterfaceInfo>& out) {
    const char* node = udev_device_get_devnode(hidraw);
    udev_device* hid = udev_device_get_parent_with_subsystem_devtype(hidraw, "hid", nullptr);
    if (node == nullptr || hid == nullptr) {
        return;
    }
    HidInterfaceInfo info;
    info.path = node;
    udev_device* usb = udev_device_get_parent_with_subsystem_devtype(hid, "usb", "usb_device");
    if (!ParseHidId(udev_device_get_property_value(hid, "HID_ID"), info) && usb != nullptr) {
        info.vendorId = static_cast<std::uint16_t>(
            ParseHex(Text(udev_device_get_sysattr_value(usb, "idVendor"))).value_or(0));
        info.productId = static_cast<std::uint16_t>(
            ParseHex(Text(udev_device_get_sysattr_value(usb, "idProduct"))).value_or(0));
    }
    // The USB product string is what the device itself reports; HID_NAME joins manufacturer
    // and product, so it only stands in for devices without a USB parent.
    info.product = usb != nullptr ? Text(udev_device_get_sysattr_value(usb, "product"))
                                  : Text(udev_device_get_property_value(hid, "HID_NAME"));

    const std::vector<std::uint8_t> descriptor = ReadReportDescriptor(hid);
    const auto collections = ParseReportDescriptor(descriptor);
    if (!collections || collections->empty()) {
        // Still listed, with no usage, so a device with an unreadable descriptor shows up.
        out.push_back(info);
        return;
    }
    for (const TopLevelCollection& collection : *collections) {
        HidInterfaceInfo entry = info;
        entry.usagePage = collection.usagePage;
        entry.usage = collection.usage;
        entry.inputReportLength = collection.inputReportLength;
        entry.featureReportLength = collection.featureReportLength;
        out.push_back(std::move(entry));
    }
}

Error UdevError(std::string_view call, int err) {
    return OsError(call, "", err != 0 ? err : ENOMEM);
}

}  // namespace

std::mutex& LibudevLock() {
    static std::mutex lock;
    return lock;
}

struct LinuxHidBus::Watch {
    UdevPtr<udev> context;
    UdevPtr<udev_monitor> monitor;
    UniqueFd stop;  // an eventfd; readable once the watch should end
    std::function<void(const HidChange&)> onChange;

    ~Watch() {
        std::lock_guard lock(LibudevLock());
        monitor.reset();
        context.reset();
    }

    // The next hidraw change, or nullopt for an event that is not one.
    std::optional<HidChange> Receive() const {
        std::lock_guard lock(LibudevLock());
        const UdevPtr<udev_device> device(udev_monitor_receive_device(monitor.get()));
        if (!device) {
            return std::nullopt;
        }
        const std::string action = Text(udev_device_get_action(device.get()));
        const char* node = udev_device_get_devnode(device.get());
        if (node == nullptr || (action != "add" && action != "remove")) {
            return std::nullopt;
        }
        return HidChange{action == "add" ? HidChange::Kind::Arrival : HidChange::Kind::Removal,
                         node};
    }

    void Run() const {
        const int monitorFd = udev_monitor_get_fd(monitor.get());
        for (;;) {
            pollfd fds[2] = {{stop.Get(), POLLIN, 0}, {monitorFd, POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return;
            }
            if (fds[0].revents != 0) {
                return;
            }
            if ((fds[1].revents & POLLIN) == 0) {
                return;  // the monitor's socket failed; no further events can come
            }
            if (const std::optional<HidChange> change = Receive()) {
                onChange(*change);
            }
        }
    }
};

LinuxHidBus::~LinuxHidBus() {
    StopWatching();
}

Result<std::vector<HidInterfaceInfo>> LinuxHidBus::Enumerate() {
    // Declared first, so the udev objects below are released while it is held.
    const std::lock_guard libudev(LibudevLock());
    // A udev context serves one thread at a time; each listing takes its own.
    const UdevPtr<udev> context(udev_new());
    if (!context) {
        return UdevError("udev_new", errno);
    }
    const UdevPtr<udev_enumerate> enumerate(udev_enumerate_new(context.get()));
    if (!enumerate) {
        return UdevError("udev_enumerate_new", errno);
    }
    if (const int err = udev_enumerate_add_match_subsystem(enumerate.get(), "hidraw"); err < 0) {
        return UdevError("udev_enumerate_add_match_subsystem", -err);
    }
    if (const int err = udev_enumerate_scan_devices(enumerate.get()); err < 0) {
        return UdevError("udev_enumerate_scan_devices", -err);
    }
    std::vector<HidInterfaceInfo> interfaces;
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get())) {
        const UdevPtr<udev_device> device(
            udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)));
        // A node that vanished between the scan and now is simply not listed.
        if (device) {
            AppendInterfaces(device.get(), interfaces);
        }
    }
    return interfaces;
}

Result<std::unique_ptr<HidDevice>> LinuxHidBus::Open(const std::string& path, HidAccess access) {
    return HidrawDevice::Open(path, access);
}

Result<void> LinuxHidBus::StartWatching(std::function<void(const HidChange&)> onChange) {
    std::lock_guard lock(mutex_);
    if (watch_) {
        return MakeError(Fault::Caller, "the HID bus is already being watched");
    }
    auto watch = std::make_shared<Watch>();
    watch->onChange = std::move(onChange);
    std::unique_lock libudev(LibudevLock());
    watch->context.reset(udev_new());
    if (!watch->context) {
        return UdevError("udev_new", errno);
    }
    watch->monitor.reset(udev_monitor_new_from_netlink(watch->context.get(), "udev"));
    if (!watch->monitor) {
        return UdevError("udev_monitor_new_from_netlink", errno);
    }
    if (const int err = udev_monitor_filter_add_match_subsystem_devtype(watch->monitor.get(),
                                                                        "hidraw", nullptr);
        err < 0) {
        return UdevError("udev_monitor_filter_add_match_subsystem_devtype", -err);
    }
    if (const int err = udev_monitor_enable_receiving(watch->monitor.get()); err < 0) {
        return UdevError("udev_monitor_enable_receiving", -err);
    }
    libudev.unlock();
    watch->stop = UniqueFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (!watch->stop.Valid()) {
        return OsError("eventfd", "", errno);
    }
    // The thread shares the watch, so a thread that ends after a StopWatching called from
    // its own callback still finds everything it uses.
    watcher_ = std::thread([watch] { watch->Run(); });
    watch_ = std::move(watch);
    return Ok();
}

void LinuxHidBus::StopWatching() {
    std::shared_ptr<Watch> watch;
    std::thread watcher;
    {
        std::lock_guard lock(mutex_);
        watch = std::move(watch_);
        watcher = std::move(watcher_);
    }
    if (!watch) {
        return;
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(watch->stop.Get(), &one, sizeof one);
    if (watcher.get_id() == std::this_thread::get_id()) {
        watcher.detach();
    } else {
        watcher.join();
    }
}

}  // namespace novu
