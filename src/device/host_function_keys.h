#pragma once

#include <cstdint>
#include <vector>

#include "config/device_description.h"
#include "config/settings.h"

namespace novu {

// The hardware keys of the slots 0..KEYNUM-1 of `profile` whose function the utility plays
// itself in software macro mode (FunctionCode 18 or above 40), in slot order. Slots without
// a hardware key are left out.
std::vector<std::uint8_t> HostFunctionKeys(const ProfileSettings& profile,
                                           const DeviceDescription& device);

// The same for the current profile of `settings`, and none in hardware macro mode
// (SOFT_HARD_MAC other than 1): the keys whose function is kept off the mouse's own button.
std::vector<std::uint8_t> HostFunctionKeys(const Settings& settings,
                                           const DeviceDescription& device);

}  // namespace novu
