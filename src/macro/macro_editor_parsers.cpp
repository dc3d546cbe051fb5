#include "macro/macro_editor_parsers.h"

#include <array>
#include <string>
#include <utility>

#include "base/text.h"
#include "macro/macro_editor_steps.h"

namespace novu {

namespace {

// How many characters (UTF-16 code units, as the list counts them) the lighting parser
// drops from the end of a duration row: "*122" and the unit.
constexpr std::size_t kDurationSuffixUnits = 6;

constexpr std::array<std::pair<int, int>, 12> kDpiLevelOfValue = {{
    {200, 1},
    {400, 2},
    {600, 3},
    {800, 4},
    {1000, 5},
    {1200, 6},
    {1600, 7},
    {2000, 9},
    {2400, 11},
    {3200, 13},
    {4000, 14},
    {4800, 15},
}};

std::string_view AfterFirstColon(std::string_view text) {
    const auto colon = text.find(':');
    return colon == std::string_view::npos ? text : text.substr(colon + 1);
}

int CapWithTip(int value, int limit, UserNotices& notices) {
    if (value > limit) {
        notices.ShowTip(editor_tip::kLimit);
        return limit;
    }
    return value;
}

}  // namespace

std::optional<int> ParseDelayText(std::string_view text, std::string_view unit,
                                  UserNotices& notices) {
    std::string_view digits = text;
    if (!IsAllDigits(text)) {
        const auto unitAt = unit.empty() ? std::string_view::npos : text.find(unit);
        digits = unitAt == std::string_view::npos ? std::string_view{} : text.substr(0, unitAt);
        if (!IsAllDigits(digits)) {
            return std::nullopt;
        }
    }
    return CapWithTip(ParseDecimal(digits), kMaxEditedDelay, notices);
}

std::optional<int> ParseLightingValue(std::string_view text, UserNotices& notices) {
    std::string digits(text);
    if (!IsAllDigits(text)) {
        std::u16string rest = Utf8ToUtf16(AfterFirstColon(text));
        rest.resize(rest.size() > kDurationSuffixUnits ? rest.size() - kDurationSuffixUnits : 0);
        digits = Utf16ToUtf8(rest);
        if (!IsAllDigits(digits)) {
            return std::nullopt;
        }
    }
    return CapWithTip(ParseDecimal(digits), kMaxLightingValue, notices);
}

int ParseDpiLevelText(std::string_view text, UserNotices& notices) {
    const int value = ParseDecimal(AfterFirstColon(text));
    for (const auto& [dpi, level] : kDpiLevelOfValue) {
        if (dpi == value) {
            return level;
        }
    }
    notices.ShowMessageBox(kDpiChoicesMessage);
    return kFallbackDpiLevel;
}

std::optional<MoveMagnitudes> ParseMoveText(std::string_view text, const TextSource& texts,
                                            UserNotices& notices) {
    // Positions as the line's own layout puts them; a missing mark counts as position 0.
    const auto find = [&](char mark, std::size_t from) {
        const auto at = text.find(mark, from);
        return at == std::string_view::npos ? std::size_t{0} : at;
    };
    const auto firstColon = text.find(':');
    const std::size_t i = firstColon == std::string_view::npos ? 0 : firstColon + 1;
    const std::size_t j = find(',', i);
    const auto nextColon = text.find(':', j);
    const std::size_t k = nextColon == std::string_view::npos ? 0 : nextColon + 1;
    const std::string_view xText = j > i ? text.substr(i, j - i) : std::string_view{};
    const std::string_view yText = text.substr(k);
    if (!IsAllDigits(xText) || !IsAllDigits(yText)) {
        return std::nullopt;
    }
    MoveMagnitudes move{ParseDecimal(xText), ParseDecimal(yText)};
    const std::string tip = texts.Text(TextTable::TipText, editor_tip::kKindLimit);
    if (move.x > kMaxMoveMagnitude) {
        notices.ShowWarningText("[X]; " + tip);
        move.x = kMaxMoveMagnitude;
    }
    if (move.y > kMaxMoveMagnitude) {
        notices.ShowWarningText("[Y]; " + tip);
        move.y = kMaxMoveMagnitude;
    }
    return move;
}

}  // namespace novu
