#pragma once

#include <cstdint>
#include <span>

namespace novu {

// One replacement of a keyboard layout: `from` converts to `to` instead of the base result.
struct CodePair {
    std::uint8_t from;
    std::uint8_t to;
};

// A keyboard layout as overrides of the base maps, one list per direction. The reverse list
// is its own data, not the inverse of the forward one: several layouts are deliberately not
// exact inverses (keys that round-trip to the keypad, FR's right Alt, HUN's Y and Z).
struct KeyLayout {
    std::span<const CodePair> forward;  // virtual-key code -> HID usage
    std::span<const CodePair> reverse;  // HID usage -> virtual-key code
};

// The layout of a LanguageIndex: 0..24 and 26. Index 25 and anything above 26 have none.
const KeyLayout* FindKeyLayout(int languageIndex);

// Base entries outside the arithmetic ranges (letters, digits, F1..F24), shared by every
// layout: virtual-key code -> HID Keyboard/Keypad usage (HID Usage Tables, page 0x07).
std::span<const CodePair> BaseForwardEntries();

}  // namespace novu
