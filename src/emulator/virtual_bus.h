#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/hid.h"
#include "emulator/virtual_mouse.h"

namespace novu {

// A HID bus holding one virtual mouse (its vendor input and vendor feature interfaces) and,
// if a test wants them, interfaces of other devices that can be listed and opened for
// identification only.
//
// Hot-plug: Unplug and Plug change what Enumerate lists, make the mouse's open handles fail
// while it is away, and tell the watcher. The watcher is called on the thread that calls
// Unplug or Plug (the test's or the tool's, which stands in for the bus's own thread), never
// while the bus's lock is held, and never after StopWatching has returned (so the watcher
// itself must not call StopWatching).
class VirtualBus final : public HidBus {
public:
    static constexpr const char* kInputPath = "/dev/hidraw-virtual0";
    static constexpr const char* kFeaturePath = "/dev/hidraw-virtual1";

    explicit VirtualBus(VirtualMouse& mouse);

    // An interface of another device, listed after the mouse's.
    void AddInterface(HidInterfaceInfo info);

    void Unplug();
    void Plug();

    Result<std::vector<HidInterfaceInfo>> Enumerate() override;
    Result<std::unique_ptr<HidDevice>> Open(const std::string& path, HidAccess access) override;
    Result<void> StartWatching(std::function<void(const HidChange&)> onChange) override;
    void StopWatching() override;

private:
    void Notify(HidChange::Kind kind);

    VirtualMouse& mouse_;
    std::mutex mutex_;
    bool plugged_ = true;
    std::vector<HidInterfaceInfo> others_;
    std::mutex watcherMutex_;  // held while the watcher runs, so StopWatching can wait for it
    std::function<void(const HidChange&)> watcher_;
};

}  // namespace novu
