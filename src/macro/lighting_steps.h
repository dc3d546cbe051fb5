#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/user_notices.h"
#include "macro/event_text.h"
#include "macro/macro_record.h"

namespace novu {

// Bytes of a lighting block.
namespace led_block {
constexpr int kEntryCount = 0;
constexpr int kEffect = 4;
constexpr int kSpeed = 5;
constexpr int kDuration = 6;
constexpr int kEntrySize = 4;  // each colour entry holds effect, speed, duration and one more
}  // namespace led_block

// Lighting effects a lighting step offers.
namespace led_effect {
constexpr std::uint8_t kStatic = 6;  // effects 6 and 7 have no speed
constexpr std::uint8_t kOff = 7;
}  // namespace led_effect

// The effect byte an entry 1.. of the effect menu stores (an entry past the offered effects
// stores the "off" effect).
std::uint8_t EffectOfMenuEntry(int entry);

// Whether an effect has a speed to choose.
constexpr bool EffectHasSpeed(std::uint8_t effect) {
    return effect != led_effect::kStatic && effect != led_effect::kOff;
}

// The block byte that lighting row `row` shows (row 0 is byte 4).
constexpr int LightingRowByte(int row) {
    return row + led_block::kEffect;
}

// What a lighting row is for, by its position within a colour entry's four rows.
enum class LightingRowKind { Effect, Speed, Duration, Other };
constexpr LightingRowKind KindOfLightingRow(int row) {
    return static_cast<LightingRowKind>(row % led_block::kEntrySize);
}

// The rows of the lighting-step list for block `block` of the macro: for each colour entry
// its effect, speed and duration, all with icon 0. Showing settles what the rows show: an
// effect without a name of its own becomes the "off" effect and a shown speed of 0 becomes 1,
// in the block as on the screen. A block index outside the record shows no rows.
std::vector<StepLine> ShowLightingStep(MacroRecord& macro, int block, const TextSource& texts);

}  // namespace novu
