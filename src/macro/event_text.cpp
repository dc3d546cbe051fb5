#include "macro/event_text.h"

#include <algorithm>
#include <array>

#include "base/text.h"

namespace novu {

namespace {

// The shown value of each DPI level 1..15; levels 7/8, 9/10 and 11/12 share a value.
constexpr std::array<int, 16> kDpiOfLevel = {800,  200,  400,  600,  800,  1000, 1200, 1600,
                                             1600, 2000, 2000, 2400, 2400, 3200, 4000, 4800};

std::string MoveText(const MacroEvent& event) {
    const char* x = nullptr;
    const char* y = nullptr;
    switch (event.type) {
        case step_type::kMoveLeftUp:
            x = "[X-]:";
            y = ",[Y-]:";
            break;
        case step_type::kMoveLeftDown:
            x = "[X-]:";
            y = ",[Y+]:";
            break;
        case step_type::kMoveRightUp:
            x = "[X+]:";
            y = ",[Y-]:";
            break;
        case step_type::kMoveRightDown:
            x = "[X+]:";
            y = ",[Y+]:";
            break;
        default:
            return "[X]:eeror,[Y]:eeror";
    }
    return x + FormatDecimal(event.param1) + y + FormatDecimal(event.param2);
}

std::string DpiText(const MacroEvent& event, const TextSource& texts) {
    switch (event.type) {
        case step_type::kSetDpi:
            return DpiStepText(event.param1);
        case step_type::kRestoreDpi:
            return texts.Text(TextTable::UniqueName_Other, other_text::kRestoreDpi);
        default:
            return "[DPI]:Error";
    }
}

std::string LightingText(const MacroEvent& event, const TextSource& texts) {
    std::string text = texts.Text(TextTable::UniqueName_Other, other_text::kLightingStep);
    // Types 14 and 15 are accepted by the device encoding as well as the editor's 13.
    if (event.type >= step_type::kLighting && event.type <= step_type::kLighting + 2) {
        return text + FormatDecimal(event.param1 + 1);
    }
    return text + texts.Text(TextTable::UniqueName_Other, other_text::kLightingError);
}

}  // namespace

std::string DpiStepText(int level) {
    const int dpi =
        (level >= 1 && level <= 15) ? kDpiOfLevel[static_cast<std::size_t>(level)] : kDpiOfLevel[0];
    return "[DPI]:" + FormatDecimal(dpi) + " ";
}

StepLine FormatEventText(const MacroRecord& record, int index, const TextSource& texts,
                         const KeyNameFunction& keyName) {
    const MacroEvent event = EventAt(record, index);
    switch (event.code) {
        case step_code::kMove:
            return {MoveText(event), step_icon::kMove};
        case step_code::kDpi:
            return {DpiText(event, texts), step_icon::kDpi};
        case step_code::kLighting:
            return {LightingText(event, texts), step_icon::kLighting};
        case step_code::kDelay:
            return {texts.Text(TextTable::UniqueName_Other, other_text::kPauseStep),
                    step_icon::kDelay};
        default:
            break;
    }
    int icon = step_icon::kDelay;
    if (event.type == step_type::kPress) {
        icon = step_icon::kPress;
    } else if (event.type == step_type::kRelease) {
        icon = step_icon::kRelease;
    }
    return {keyName(event.code), icon};
}

StepLine FormatDelayText(std::uint16_t delay, const TextSource& texts) {
    return {FormatDecimal(delay) + texts.Text(TextTable::UniqueName_Other, other_text::kDelayUnit),
            step_icon::kDelay};
}

int ShownStepCount(const MacroRecord& record) {
    return std::min<int>(record.eventCount, kMaxMacroSteps);
}

StepListRows BuildStepList(const MacroRecord& record, const TextSource& texts,
                           const KeyNameFunction& keyName) {
    StepListRows list;
    const int count = ShownStepCount(record);
    list.rows.reserve(static_cast<std::size_t>(count) * 2);
    for (int j = 0; j < count; ++j) {
        const auto i = static_cast<std::size_t>(j);
        list.rows.push_back(FormatEventText(record, j, texts, keyName));
        list.rows.push_back(FormatDelayText(record.eventDelay[i], texts));
        if (record.eventType[i] == step_type::kPress) {
            ++list.pressCount;
        } else if (record.eventType[i] == step_type::kRelease) {
            ++list.releaseCount;
        }
    }
    return list;
}

}  // namespace novu
