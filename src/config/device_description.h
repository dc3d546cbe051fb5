#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "config/settings.h"

namespace novu {

// The read-only description of the mouse model in config.ini: product names, the product
// string discovery expects, and the button count and numbering.
struct DeviceDescription {
    std::string PRODUCTNAME_CN;        // title while the language index is 0
    std::string PRODUCTNAME_EN;        // title for every other language
    std::string DevString;             // HID product string to match; empty accepts any
    int KEYNUM = 0;                    // buttons on the mouse, 0..12
    PerSlot<std::uint8_t> KEYMAP{};    // hardware key number 1..14 of each slot; 0 = none
    PerSlot<std::uint8_t> KEY_UIFC{};  // K<i>_INIT_VAL, kept as read

    // The slot a hardware key number belongs to, or -1 when no slot maps to it.
    int SlotOfHardwareKey(int hardwareKey) const;
    // Rebuilds the reverse table from KEYMAP (the last slot naming a key wins).
    void BuildReverseMap();

    // The window title and product name for a language.
    const std::string& ProductName(int languageIndex) const {
        return languageIndex == 0 ? PRODUCTNAME_CN : PRODUCTNAME_EN;
    }

    bool operator==(const DeviceDescription&) const = default;

private:
    std::array<std::int8_t, kHardwareKeys + 1> slotOfHardwareKey_ = MakeEmptyReverse();
    static constexpr std::array<std::int8_t, kHardwareKeys + 1> MakeEmptyReverse() {
        std::array<std::int8_t, kHardwareKeys + 1> reverse{};
        reverse.fill(-1);
        return reverse;
    }
};

}  // namespace novu
