#include "device/device_session.h"

#include <algorithm>

namespace novu {

namespace {

// Function codes the utility serves itself in software macro mode: the hold signal (18) and
// everything above the mouse's own functions (built-in macros from 41, presets, user macros).
bool IsHostFunction(std::int32_t code) {
    return code == 18 || code > 40;
}

}  // namespace

std::vector<std::uint8_t> HostFunctionKeys(const ProfileSettings& profile,
                                           const DeviceDescription& device) {
    std::vector<std::uint8_t> keys;
    const int slots = std::clamp(device.KEYNUM, 0, kButtonSlots);
    for (int s = 0; s < slots; ++s) {
        const auto si = static_cast<std::size_t>(s);
        const int hardwareKey = device.KEYMAP[si];
        if (IsHostFunction(profile.K[si]) && hardwareKey >= 1 && hardwareKey <= kHardwareKeys) {
            keys.push_back(static_cast<std::uint8_t>(hardwareKey));
        }
    }
    return keys;
}

int SendHostFunctionKeys(FeatureTransport& transport, const SettingsStore& store) {
    const DeviceDescription device = store.Device();
    const std::vector<std::uint8_t> keys = store.Read([&](const Settings& settings) {
        if (settings.shared.SOFT_HARD_MAC != 1) {
            return std::vector<std::uint8_t>{};
        }
        return HostFunctionKeys(settings.profiles[static_cast<std::size_t>(settings.CurConfig & 3)],
                                device);
    });
    for (std::uint8_t key : keys) {
        transport.SetKeyFunction(key, 0);
    }
    return static_cast<int>(keys.size());
}

bool DeviceSession::Open(const DeviceDescription& description,
                         const std::optional<std::string>& path) {
    const bool connected =
        path ? link_.OpenDeviceAt(description, *path) : link_.OpenDevice(description);
    Reattach();
    if (connected) {
        lightingMode_.store(kLightingModeFound);
    }
    return connected;
}

void DeviceSession::Reattach() {
    std::shared_ptr<HidDevice> feature = link_.FeatureDevice();
    transport_.Attach(feature.get(), link_.FeatureReportLength());
    // The previous interface is released only once the transport no longer points at it.
    feature_ = std::move(feature);
}

void DeviceSession::Close() {
    transport_.Finish();
    if (transport_.Attached()) {
        transport_.CloseDevice();
    }
}

}  // namespace novu
