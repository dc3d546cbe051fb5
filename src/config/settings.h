#pragma once

#include <array>
#include <cstdint>

namespace novu {

constexpr int kProfileCount = 4;
constexpr int kButtonSlots = 12;  // ButtonSlot 0..11
constexpr int kDpiLevels = 6;
constexpr int kUserColours = 7;
constexpr int kEffectSwitches = 10;
constexpr int kHardwareKeys = 14;  // hardware key numbers 1..14

template <class T>
using PerSlot = std::array<T, kButtonSlots>;

// What each button slot of one profile does.
struct ProfileSettings {
    PerSlot<std::int32_t> K{};               // FunctionCode of the slot
    PerSlot<std::int32_t> LEFT_MAC{};        // macro mode flag 0/1
    PerSlot<std::int32_t> LED_REACT_EN{};    // reactive lighting on this button
    PerSlot<std::int32_t> LED_REACT_TYPE{};  // reactive lighting kind 0..3

    bool operator==(const ProfileSettings&) const = default;
};

// Everything shared by the four profiles (section ShareData, and MAC_COR held once).
struct SharedSettings {
    PerSlot<std::int32_t> MAC_COR{};                 // macro key colour index 0..6
    std::int32_t WHEEL_STATUS = 0;                   // always 0
    std::int32_t DPI_LEVEL = 0;                      // current DPI level 0..5
    std::array<std::uint8_t, kDpiLevels> DPI_SET{};  // DPI slider step 0..16 per level
    std::array<bool, kDpiLevels> DPI_SET_EN{};
    std::array<std::int32_t, kDpiLevels> DPI_R{}, DPI_G{}, DPI_B{};  // ColourNibble values
    std::array<std::uint32_t, kDpiLevels> dpiDisplayColour{};        // 0x00BBGGRR
    std::uint8_t LED_TYPE = 0;                                       // lighting effect 0..13
    std::array<std::int32_t, kEffectSwitches> LED_TYPE_SW_EN{};
    std::uint8_t LED_CYCTIME = 0;  // effect speed 0..5
    std::int32_t LED_USER_COLER_EN = 1;
    std::int32_t LED_FEATURE_SCOLOR = 0;
    std::int32_t LED_FEATURE_DIREC = 0;     // 0..3
    std::int32_t LED_FEATURE_SYMMETRY = 0;  // 0/1
    std::int32_t LED_BRIGHT = 0;            // 0..7, 0 brightest
    std::int32_t MODE_LIGHT = 0;            // 1 = lighting switched off
    std::int32_t SOFT_HARD_MAC = 0;         // 1 = software macro mode
    std::array<std::int32_t, kUserColours> LED_USER_R{}, LED_USER_G{}, LED_USER_B{};
    std::array<std::uint32_t, kUserColours> userDisplayColour{};
    std::uint8_t CYC_7COL_EN = 0;                 // the cycle mask as stored
    std::array<bool, kUserColours> cycleFlags{};  // the same mask as seven flags
    std::uint8_t DPI_SPEED = 0;                   // pointer speed 1..11
    std::uint8_t WHEEL_SPEED = 0;                 // wheel speed 1..11
    std::uint8_t USB_SPEED = 0;                   // polling-rate index, pinned to 0
    std::uint8_t RateCode = 0;                    // polling interval byte, pinned to 7
    std::int32_t FIRE_TIME = 50;                  // fire interval 8..300

    bool operator==(const SharedSettings&) const = default;
};

// The settings the product edits: the four profiles, the shared settings and the two
// application values.
struct Settings {
    std::array<ProfileSettings, kProfileCount> profiles{};
    SharedSettings shared{};
    std::int32_t CurConfig = 0;  // current profile 0..3
    std::int32_t VER_SEL = 0;    // LanguageIndex as stored

    bool operator==(const Settings&) const = default;
};

// --- Colours ------------------------------------------------------------------------------

// A 0..255 channel stored as (255 - x) / 16: 0 is full intensity, 15 the darkest.
constexpr std::int32_t ColourNibble(int channel) {
    return (255 - channel) / 16;
}
// The channel a nibble shows as: the low byte of 255 - 16 * nibble.
constexpr std::uint8_t DisplayChannel(std::int32_t nibble) {
    return static_cast<std::uint8_t>((255 - 16 * nibble) & 0xFF);
}
// Red in bits 0..7, green in 8..15, blue in 16..23.
constexpr std::uint32_t DisplayColour(std::int32_t r, std::int32_t g, std::int32_t b) {
    return DisplayChannel(r) | (std::uint32_t{DisplayChannel(g)} << 8) |
           (std::uint32_t{DisplayChannel(b)} << 16);
}

enum class Channel { Red, Green, Blue };

// Stores one channel of a DPI level's or a user colour's, picked as 0..255, and recomputes
// that entry's display colour.
void SetDpiColour(SharedSettings& shared, int level, Channel channel, int value);
void SetUserColour(SharedSettings& shared, int colour, Channel channel, int value);
// Recomputes every display colour from the stored nibbles.
void RefreshDisplayColours(SharedSettings& shared);

// --- Colour cycling -----------------------------------------------------------------------

// The mask rebuilt from the seven flags (flag n as bit n).
std::uint8_t CycleMaskFromFlags(const SharedSettings& shared);
// Bits 0..6 of `mask` as the seven flags, and the mask stored as given.
void SetCycleMask(SharedSettings& shared, std::uint8_t mask);
// Toggles flag n; clearing is refused while it is the only set flag. Returns whether the
// flag changed.
bool ToggleCycleFlag(SharedSettings& shared, int n);

// --- Polling rate -------------------------------------------------------------------------

// Every polling-rate choice ends with index 0 and the interval byte 7 (125 reports per
// second): the rate controls exist on the page, but the mouse is always run at that rate.
void SetUsbSpeed(SharedSettings& shared, int usbSpeed);

// --- DPI levels ---------------------------------------------------------------------------

// Enables a disabled level, or disables an enabled one; disabling the current level moves
// the current level on to the next enabled one, and the last enabled level stays enabled.
void ToggleDpiLevel(SharedSettings& shared, int level);
// Makes an enabled level current; a disabled one is refused. Returns whether it changed.
bool SelectDpiLevel(SharedSettings& shared, int level);

// --- Fire interval ------------------------------------------------------------------------

constexpr std::int32_t kMinimumFireTime = 8;
void SetFireTime(SharedSettings& shared, std::int32_t value);

}  // namespace novu
