#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "base/result.h"
#include "device/hid.h"

namespace novu {

struct DeviceDescription;

// How the mouse identifies itself on the HID bus.
constexpr std::uint16_t kMouseVendorId = 0x30FA;
constexpr std::uint16_t kProductIdVariant1 = 0x1040;
constexpr std::uint16_t kProductIdVariant0 = 0x1201;
constexpr std::uint16_t kInputUsagePage = 0xFF00;    // vendor input interface (events)
constexpr std::uint16_t kFeatureUsagePage = 0xFF01;  // vendor feature interface (commands)
constexpr std::uint16_t kVendorUsage = 1;

// The product variant before any interface of the mouse was matched.
constexpr int kVariantUnknown = 2;
// Discovery looks at no more than this many interfaces of the system's list.
constexpr std::size_t kMaxInterfacesExamined = 100;

// The variant a product ID stands for: 1 for 0x1040, 0 for 0x1201, nullopt for any other.
std::optional<int> VariantOfProductId(std::uint16_t productId);

// The link to the mouse: its vendor input and vendor feature interfaces, opened from the
// system's HID list, the variant of the product, and what happens when the mouse comes and
// goes.
//
// Each role gets a handle of its own, even where one interface path carries both vendor
// collections (a Linux hidraw node lists once per top-level collection under the same path):
// the input reader can then be interrupted without touching the command channel.
//
// Every member is safe to call from any thread. Devices are handed out as shared pointers so
// a thread that is still using one (a blocked input read) keeps it alive while a later
// discovery replaces it; whoever holds a plain pointer (the feature transport) takes the
// devices again after each discovery.
class DeviceLink {
public:
    // `onRemoved` is called, outside the link's lock, when the matched mouse is removed; while
    // the link watches the bus that is on the bus's thread, so it must neither destroy the
    // link nor stop its watching.
    explicit DeviceLink(HidBus& bus, std::function<void()> onRemoved = {});
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Looks through the system's HID interfaces for the mouse and opens its two vendor
    // interfaces. Returns (and stores) whether both are open.
    bool OpenDevice(const DeviceDescription& description);
    // The same, restricted to the interfaces whose path is `path` (a path the user named).
    bool OpenDeviceAt(const DeviceDescription& description, const std::string& path);

    bool Connected() const;
    // 1 for product ID 0x1040, 0 for 0x1201, kVariantUnknown before any match.
    int Variant() const;
    // The interface path of the last matched interface ("" before any match).
    std::string DevicePath() const;
    // Whether some interface's product string once satisfied the device description. It
    // stays set across calls: once one interface matched, later interfaces are judged by
    // their IDs alone.
    bool ProductStringMatched() const;
    // Why the last interface of the mouse that could not be opened failed (a permission
    // problem reads as one), or nullopt when every open succeeded.
    std::optional<Error> LastOpenError() const;

    // The vendor input interface (null until it opened) and the length of its input
    // reports, which sizes every read of the device event thread.
    std::shared_ptr<HidDevice> InputDevice() const;
    std::size_t InputReportLength() const;
    // The vendor feature interface (null until it opened) and the length every feature
    // report is sent with.
    std::shared_ptr<HidDevice> FeatureDevice() const;
    std::size_t FeatureReportLength() const;
    // What the system reported for each vendor interface when it was opened.
    HidInterfaceInfo InputInterface() const;
    HidInterfaceInfo FeatureInterface() const;

    // Whether a notification is about the matched mouse: its path equals the stored device
    // path, letter case aside.
    bool MatchesNotification(const HidChange& change) const;
    // Reacts to a device change: an arrival of the mouse while not connected discovers
    // again with the last description; the removal of the mouse clears `connected` and calls
    // `onRemoved`. Anything else changes nothing.
    void HandleDeviceChange(const HidChange& change);

    // Watches the bus and handles its changes on the bus's thread until StopWatching.
    Result<void> StartWatching();
    void StopWatching();

private:
    bool Discover(const std::string& devString, const std::string* onlyPath);
    bool MatchesLocked(const std::string& path) const;

    HidBus& bus_;
    std::function<void()> onRemoved_;
    mutable std::mutex mutex_;
    bool watching_ = false;
    std::string devString_;
    std::optional<std::string> onlyPath_;
    bool productStringMatched_ = false;
    bool connected_ = false;
    int variant_ = kVariantUnknown;
    std::string devicePath_;
    std::optional<Error> lastOpenError_;
    std::shared_ptr<HidDevice> input_;
    std::shared_ptr<HidDevice> feature_;
    HidInterfaceInfo inputInterface_;
    HidInterfaceInfo featureInterface_;
};

}  // namespace novu
