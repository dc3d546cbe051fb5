#pragma once

#include <cstdint>
#include <functional>

namespace novu {

// Conversion between Windows virtual-key codes (how macro and preset files store keys) and
// HID Keyboard/Keypad usages (how memory and the mouse hold them), for the keyboard layout
// that the LanguageIndex names. No conversion fails: a code without an entry passes unchanged.
std::uint8_t VkToHidUsage(std::uint8_t vk, int languageIndex);
// For an index without a layout (25, above 26) the result is 0.
std::uint8_t HidUsageToVk(std::uint8_t usage, int languageIndex);

// The virtual-key code at a position 0..78 of the drawn keyboard; 0xFF elsewhere.
std::uint8_t KeyPositionToVk(int position);

// The HID Consumer-page usage (page 0x0C) of multimedia function 0..10; 0 elsewhere.
std::uint16_t MediaKeyToConsumerUsage(int index);

// The converters as the rest of the product uses them: bound to the current LanguageIndex,
// which is read anew at every call so a language change takes effect at once.
class MacVkAndText {
public:
    using LanguageIndexSource = std::function<int()>;
    explicit MacVkAndText(LanguageIndexSource languageIndex)
        : languageIndex_(std::move(languageIndex)) {}

    std::uint8_t VkToHidUsage(std::uint8_t vk) const {
        return novu::VkToHidUsage(vk, languageIndex_());
    }
    std::uint8_t HidUsageToVk(std::uint8_t usage) const {
        return novu::HidUsageToVk(usage, languageIndex_());
    }
    // The usage of a keyboard-picture position under the current layout.
    std::uint8_t KeyPositionToHidUsage(int position) const {
        return VkToHidUsage(KeyPositionToVk(position));
    }
    int LanguageIndex() const { return languageIndex_(); }

private:
    LanguageIndexSource languageIndex_;
};

}  // namespace novu
