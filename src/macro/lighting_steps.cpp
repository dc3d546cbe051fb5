#include "macro/lighting_steps.h"

#include <algorithm>
#include <array>
#include <optional>

#include "base/text.h"

namespace novu {

namespace {

// The effects the effect menu offers, in its order.
constexpr std::array<std::uint8_t, 6> kMenuEffects = {1, 2, 3, 6, 7, 9};

// The UniqueName_LED entry naming an effect; the "off" name for every effect without one.
struct EffectName {
    std::uint8_t effect;
    int ledText;
};
constexpr std::array<EffectName, 6> kEffectNames = {{
    {1, 15},
    {2, 3},
    {3, 4},
    {6, 7},
    {7, 8},
    {9, 2},
}};
constexpr int kOffEffectText = 8;

std::optional<int> NameOfEffect(std::uint8_t effect) {
    for (const auto& name : kEffectNames) {
        if (name.effect == effect) {
            return name.ledText;
        }
    }
    return std::nullopt;
}

std::string OtherText(const TextSource& texts, int index) {
    return texts.Text(TextTable::UniqueName_Other, index);
}

}  // namespace

std::uint8_t EffectOfMenuEntry(int entry) {
    if (entry >= 1 && entry <= static_cast<int>(kMenuEffects.size())) {
        return kMenuEffects[static_cast<std::size_t>(entry - 1)];
    }
    return led_effect::kOff;
}

std::vector<StepLine> ShowLightingStep(MacroRecord& macro, int block, const TextSource& texts) {
    std::vector<StepLine> rows;
    if (block < 0 || block >= kLedBlockCount) {
        return rows;
    }
    LedBlock& data = macro.ledBlocks[static_cast<std::size_t>(block)];
    // Rows run over the colour entries the block counts, never past its end.
    const int end =
        std::min(led_block::kEntrySize * data[led_block::kEntryCount] + 3, kLedBlockSize);
    for (int byte = led_block::kEffect; byte < end; ++byte) {
        std::uint8_t& value = data[static_cast<std::size_t>(byte)];
        std::string text;
        switch (KindOfLightingRow(byte - led_block::kEffect)) {
            case LightingRowKind::Effect: {
                const auto name = NameOfEffect(value);
                if (!name || *name == kOffEffectText) {
                    value = led_effect::kOff;
                }
                text = OtherText(texts, other_text::kEffectLabel) + " " +
                       texts.Text(TextTable::UniqueName_LED, name.value_or(kOffEffectText));
                break;
            }
            case LightingRowKind::Speed:
                if (!EffectHasSpeed(data[static_cast<std::size_t>(byte) - 1])) {
                    text = OtherText(texts, other_text::kNoSpeed);
                    break;
                }
                value = std::max<std::uint8_t>(value, 1);
                text = OtherText(texts, other_text::kSpeedLabel) + "   " + FormatDecimal(value);
                break;
            case LightingRowKind::Duration:
                text = OtherText(texts, other_text::kDurationLabel) + FormatDecimal(value) +
                       "*122" + OtherText(texts, other_text::kDelayUnit);
                break;
            case LightingRowKind::Other:
                text = FormatDecimal(value);
                break;
        }
        rows.push_back({std::move(text), step_icon::kDelay});
    }
    return rows;
}

}  // namespace novu
