#include "device/host_function_keys.h"

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

std::vector<std::uint8_t> HostFunctionKeys(const Settings& settings,
                                           const DeviceDescription& device) {
    if (settings.shared.SOFT_HARD_MAC != 1) {
        return {};
    }
    return HostFunctionKeys(settings.profiles[static_cast<std::size_t>(settings.CurConfig & 3)],
                            device);
}

}  // namespace novu
