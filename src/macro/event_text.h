#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/user_notices.h"
#include "macro/macro_record.h"

namespace novu {

// Icons of the step list, by their position in its image list.
namespace step_icon {
constexpr int kDelay = 0;
constexpr int kPress = 1;
constexpr int kRelease = 2;
constexpr int kMove = 3;
constexpr int kLighting = 4;
constexpr int kDpi = 5;
}  // namespace step_icon

// Entries of the UniqueName_Other table that the step texts use.
namespace other_text {
constexpr int kEffectLabel = 6;
constexpr int kSpeedLabel = 7;
constexpr int kNoSpeed = 8;
constexpr int kDurationLabel = 9;
constexpr int kRestoreDpi = 11;
constexpr int kDelayUnit = 12;
constexpr int kLightingStep = 13;
constexpr int kLightingError = 14;
constexpr int kPauseStep = 17;
}  // namespace other_text

// One row of a list: its text and its icon.
struct StepLine {
    std::string text;
    int icon = step_icon::kDelay;

    bool operator==(const StepLine&) const = default;
};

// The name of a key or mouse-button code (an in-memory usage) for the current layout.
using KeyNameFunction = std::function<std::string(std::uint8_t usage)>;

// "[DPI]:<value> " for a DPI level 1..15; any other level shows as 800.
std::string DpiStepText(int level);

// The line of step `index`.
StepLine FormatEventText(const MacroRecord& record, int index, const TextSource& texts,
                         const KeyNameFunction& keyName);

// The line of the pause after a step: the delay in decimal and the unit text.
StepLine FormatDelayText(std::uint16_t delay, const TextSource& texts);

// The steps the list shows: never more than a record holds, whatever eventCount claims.
int ShownStepCount(const MacroRecord& record);

// The whole step list of a macro: row 2j is step j, row 2j + 1 the pause after it. The
// counters are the press (type 1) and release (type 2) steps among the rows.
struct StepListRows {
    std::vector<StepLine> rows;
    int pressCount = 0;
    int releaseCount = 0;
};
StepListRows BuildStepList(const MacroRecord& record, const TextSource& texts,
                           const KeyNameFunction& keyName);

}  // namespace novu
