#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/user_notices.h"

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
// which is read anew at every call so a language change takes effect at once. Key names also
// need the current language's texts (the mouse-button names); without them those names are
// empty.
class MacVkAndText {
public:
    using LanguageIndexSource = std::function<int()>;
    explicit MacVkAndText(LanguageIndexSource languageIndex, const TextSource* texts = nullptr)
        : languageIndex_(std::move(languageIndex)), texts_(texts) {}

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
    // The name of a usage under the current layout (see KeyName in key_names.h).
    std::string KeyName(std::uint8_t usage) const;

private:
    LanguageIndexSource languageIndex_;
    const TextSource* texts_;
};

}  // namespace novu
