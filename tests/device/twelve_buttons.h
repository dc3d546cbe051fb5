#pragma once

#include "config/device_description.h"

namespace novu::test {

// A mouse whose slots 0..11 are hardware keys 1..12.
inline DeviceDescription TwelveButtons() {
    DeviceDescription device;
    device.KEYNUM = 12;
    for (int s = 0; s < 12; ++s) {
        device.KEYMAP[static_cast<std::size_t>(s)] = static_cast<std::uint8_t>(s + 1);
    }
    device.BuildReverseMap();
    return device;
}

}  // namespace novu::test
