#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace novu {

// One named usage of a key-name table.
struct KeyNameEntry {
    std::uint8_t usage;
    std::string_view name;
};

// The key names of one keyboard layout, by HID Keyboard/Keypad usage (HID Usage Tables,
// page 0x07). The three groups of printed keys hold the legend of each key position on that
// layout's keyboard; keypad keys are the layout's keypad word with the base table's suffix;
// `named` replaces, for any usage, what the groups, the keypad rule or the base table would
// give.
struct KeyNameTable {
    std::array<std::string_view, 26> letters;      // usages 0x04..0x1D
    std::array<std::string_view, 10> digitRow;     // usages 0x1E..0x27
    std::array<std::string_view, 12> punctuation;  // usages 0x2D..0x38
    std::string_view keypadWord;
    std::span<const KeyNameEntry> named;
};

constexpr std::uint8_t kFirstLetterUsage = 0x04;
constexpr std::uint8_t kFirstDigitUsage = 0x1E;
constexpr std::uint8_t kFirstPunctuationUsage = 0x2D;

// The table of a LanguageIndex: 0..24 and 26. Index 25 and anything above 26 have none.
const KeyNameTable* FindKeyNameTable(int languageIndex);

// The names every table shares unless it replaces them: the base table's named keys.
std::span<const KeyNameEntry> BaseNamedKeys();

// The suffixes of the keypad keys that follow the keypad word ("KeyPad /", "KeyPad 1" ...).
std::span<const KeyNameEntry> KeypadSuffixes();

}  // namespace novu
