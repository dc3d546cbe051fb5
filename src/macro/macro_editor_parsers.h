#pragma once

#include <optional>
#include <string_view>

#include "base/user_notices.h"

namespace novu {

constexpr int kMaxEditedDelay = 10'000;  // ms
constexpr int kMaxMoveMagnitude = 100;
constexpr int kMaxLightingValue = 100;
constexpr int kFallbackDpiLevel = 4;

// The message box of a DPI text that names none of the offered values.
inline constexpr std::string_view kDpiChoicesMessage =
    "CPI(:200/400/600/800/1000/1200/1600/2000/2400/3200/4000/4800)";

// The pause of an edited pause line: digits only, or digits followed by the unit text the
// line shows (`unit`). Empty when the text is neither; above 10 000 it is 10 000 after tip
// 21.
std::optional<int> ParseDelayText(std::string_view text, std::string_view unit,
                                  UserNotices& notices);

// A value of an edited lighting row: digits only, or the row's text with the number between
// the first ":" and the last six characters (the "*122" and a two-character unit). Empty when
// neither holds digits only; above 100 it is 100 after tip 21.
std::optional<int> ParseLightingValue(std::string_view text, UserNotices& notices);

// The DPI level of an edited DPI line: the number after the first ":" (or at the start) must
// be one of the twelve offered values; any other shows the choices and gives level 4.
int ParseDpiLevelText(std::string_view text, UserNotices& notices);

// The magnitudes of an edited move line "[X±]:x,[Y±]:y": the digits between the first ":"
// and the next ",", and those after the next ":". Empty unless both are digits only; each
// above 100 is 100 after the warning "[X]; " or "[Y]; " with tip text 6.
struct MoveMagnitudes {
    int x = 0;
    int y = 0;
    bool operator==(const MoveMagnitudes&) const = default;
};
std::optional<MoveMagnitudes> ParseMoveText(std::string_view text, const TextSource& texts,
                                            UserNotices& notices);

}  // namespace novu
