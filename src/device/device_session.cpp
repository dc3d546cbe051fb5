#include "device/device_session.h"

namespace novu {

int SendHostFunctionKeys(FeatureTransport& transport, const SettingsStore& store) {
    const DeviceDescription device = store.Device();
    const std::vector<std::uint8_t> keys =
        store.Read([&](const Settings& settings) { return HostFunctionKeys(settings, device); });
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
