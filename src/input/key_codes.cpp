#include "input/key_codes.h"

#include <array>
#include <optional>
#include <span>

#include "input/key_layouts.h"

namespace novu {

namespace {

std::optional<std::uint8_t> Lookup(std::span<const CodePair> pairs, std::uint8_t from) {
    for (const CodePair& pair : pairs) {
        if (pair.from == from) {
            return pair.to;
        }
    }
    return std::nullopt;
}

std::optional<std::uint8_t> ReverseLookup(std::span<const CodePair> pairs, std::uint8_t to) {
    for (const CodePair& pair : pairs) {
        if (pair.to == to) {
            return pair.from;
        }
    }
    return std::nullopt;
}

// The program's own codes for the mouse buttons in macro files (0xF0 left, 0xF1 right,
// 0xF2 middle) and their in-memory codes (0xF1 left, 0xF3 right, 0xF2 middle).
constexpr std::array<CodePair, 3> kMouseButtons = {{{0xF0, 0xF1}, {0xF1, 0xF3}, {0xF2, 0xF2}}};

// Keyboard-picture positions 0..78.
constexpr std::array<std::uint8_t, 79> kKeyPositions = {
    0x1B,                                                                    // 0 Escape
    0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B,  // 1..12 F1..F12
    0x2D, 0xC0,                                                              // 13 Insert, 14
    0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x30,              // 15..24 1..0
    0xBD, 0xBB, 0x08, 0x2E, 0x09,                                            // 25..29
    0x51, 0x57, 0x45, 0x52, 0x54, 0x59, 0x55, 0x49, 0x4F, 0x50,              // 30..39 Q..P
    0xDB, 0xDD, 0xDC, 0x14,                                                  // 40..43
    0x41, 0x53, 0x44, 0x46, 0x47, 0x48, 0x4A, 0x4B, 0x4C,                    // 44..52 A..L
    0xBA, 0xDE, 0x0D, 0xA0,                                                  // 53..56
    0x5A, 0x58, 0x43, 0x56, 0x42, 0x4E, 0x4D,                                // 57..63 Z..M
    0xBC, 0xBE, 0xBF, 0xA1,                                                  // 64..67
    0xA2, 0xA4, 0x5B, 0x20, 0x5C, 0xA5, 0xA3,                                // 68..74
    0x25, 0x26, 0x27, 0x28,                                                  // 75..78 arrows
};

// Multimedia functions 0..10 as HID Consumer-page usages (HID Usage Tables, page 0x0C):
// AC Home, AL Consumer Control Configuration, AL Email Reader, Volume Increment, Volume
// Decrement, Scan Previous Track, Scan Next Track, Mute, Play/Pause, AL Calculator, Stop.
constexpr std::array<std::uint16_t, 11> kMediaKeys = {
    0x223, 0x183, 0x18A, 0xE9, 0xEA, 0xB6, 0xB5, 0xE2, 0xCD, 0x192, 0xB7,
};

}  // namespace

std::uint8_t VkToHidUsage(std::uint8_t vk, int languageIndex) {
    const KeyLayout* layout = FindKeyLayout(languageIndex);
    if (layout == nullptr) {
        return vk;
    }
    if (auto over = Lookup(layout->forward, vk)) {
        return *over;
    }
    if (vk >= 0x41 && vk <= 0x5A) {
        return static_cast<std::uint8_t>(vk - 0x3D);
    }
    if (vk >= 0x31 && vk <= 0x39) {
        return static_cast<std::uint8_t>(vk - 0x13);
    }
    if (vk >= 0x70 && vk <= 0x7B) {
        return static_cast<std::uint8_t>(vk - 0x36);
    }
    if (vk >= 0x7C && vk <= 0x87) {
        return static_cast<std::uint8_t>(vk - 0x14);
    }
    if (auto button = Lookup(kMouseButtons, vk)) {
        return *button;
    }
    return Lookup(BaseForwardEntries(), vk).value_or(vk);
}

std::uint8_t HidUsageToVk(std::uint8_t usage, int languageIndex) {
    const KeyLayout* layout = FindKeyLayout(languageIndex);
    if (layout == nullptr) {
        return 0;
    }
    if (auto over = Lookup(layout->reverse, usage)) {
        return *over;
    }
    if (usage >= 0x04 && usage <= 0x1D) {
        return static_cast<std::uint8_t>(usage + 0x3D);
    }
    if (usage >= 0x1E && usage <= 0x26) {
        return static_cast<std::uint8_t>(usage + 0x13);
    }
    if (usage >= 0x3A && usage <= 0x45) {
        return static_cast<std::uint8_t>(usage + 0x36);
    }
    if (usage >= 0x68 && usage <= 0x73) {
        return static_cast<std::uint8_t>(usage + 0x14);
    }
    if (auto button = ReverseLookup(kMouseButtons, usage)) {
        return *button;
    }
    // The base reverse map is the exact inverse of the base forward entries.
    return ReverseLookup(BaseForwardEntries(), usage).value_or(usage);
}

std::uint8_t KeyPositionToVk(int position) {
    if (position < 0 || position >= static_cast<int>(kKeyPositions.size())) {
        return 0xFF;
    }
    return kKeyPositions[static_cast<std::size_t>(position)];
}

std::uint16_t MediaKeyToConsumerUsage(int index) {
    if (index < 0 || index >= static_cast<int>(kMediaKeys.size())) {
        return 0;
    }
    return kMediaKeys[static_cast<std::size_t>(index)];
}

}  // namespace novu
