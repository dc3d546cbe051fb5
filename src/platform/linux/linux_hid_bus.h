#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/hid.h"

namespace novu {

// libudev fills process-wide state lazily (random bytes from getrandom into a static) without
// locking: ThreadSanitizer catches two threads writing it together. Every libudev call of the
// process is made under this lock.
std::mutex& LibudevLock();

// The system's hidraw nodes, found with libudev. Each node is listed once per top-level
// collection of its report descriptor (read from sysfs, so listing needs no access to the
// nodes), with the vendor and product IDs of the hid parent (HID_ID) and the USB product
// string (HID_NAME where the device has no USB parent).
//
// Hot-plug: a udev monitor for hidraw nodes on a thread of the bus reports every "add" as an
// arrival and every "remove" as a removal; other actions are not interface changes.
class LinuxHidBus final : public HidBus {
public:
    LinuxHidBus() = default;
    ~LinuxHidBus() override;
    LinuxHidBus(const LinuxHidBus&) = delete;
    LinuxHidBus& operator=(const LinuxHidBus&) = delete;

    Result<std::vector<HidInterfaceInfo>> Enumerate() override;
    Result<std::unique_ptr<HidDevice>> Open(const std::string& path, HidAccess access) override;
    // Calls `onChange` on the bus's thread. StopWatching may be called from `onChange`
    // itself: the thread then ends once `onChange` returns.
    Result<void> StartWatching(std::function<void(const HidChange&)> onChange) override;
    void StopWatching() override;

private:
    struct Watch;

    std::mutex mutex_;
    std::shared_ptr<Watch> watch_;
    std::thread watcher_;
};

}  // namespace novu
