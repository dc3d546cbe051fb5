#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/device_description.h"
#include "config/settings.h"
#include "config/settings_store.h"
#include "device/device_link.h"
#include "device/feature_transport.h"
#include "device/host_function_keys.h"

namespace novu {

// LightingMode before the mouse is found, and once it is.
constexpr std::uint8_t kLightingModeNotFound = 0;
constexpr std::uint8_t kLightingModeFound = 11;

// In software macro mode (SOFT_HARD_MAC 1), SetKeyFunction(key, 0) for every host-function
// key of the current profile, so the mouse leaves those buttons to the utility. Returns the
// number of reports sent.
int SendHostFunctionKeys(FeatureTransport& transport, const SettingsStore& store);

// The device steps of the program's start and end, shared by the window and the tool:
// looking for the mouse, attaching the feature transport to it, LightingMode, and the
// closing sequence.
class DeviceSession {
public:
    DeviceSession(DeviceLink& link, FeatureTransport& transport)
        : link_(link), transport_(transport) {}
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // Start-up: looks for the mouse (only at `path` when given), attaches the transport to
    // whatever feature interface the link opened, and sets LightingMode to 11 once both
    // interfaces are open. Returns whether they are. The device event thread must be told
    // (DeviceThreads::InputChanged) that the input interface may now be read.
    bool Open(const DeviceDescription& description,
              const std::optional<std::string>& path = std::nullopt);
    // Attaches the transport to the link's feature interface again, after the link found
    // the mouse anew (hot-plug).
    void Reattach();

    // The feature interface the transport is attached to (null when none is open); kept
    // alive here while attached, since the transport holds a plain pointer.
    std::shared_ptr<HidDevice> Feature() const { return feature_; }

    std::atomic<std::uint8_t>& LightingMode() { return lightingMode_; }

    // The closing sequence's device part: Finish, then CloseDevice when the feature
    // interface is open.
    void Close();

private:
    DeviceLink& link_;
    FeatureTransport& transport_;
    std::shared_ptr<HidDevice> feature_;
    std::atomic<std::uint8_t> lightingMode_{kLightingModeNotFound};
};

}  // namespace novu
