#include "macro/macro_editor_parsers.h"

#include <gtest/gtest.h>

#include "base/recorded_notices.h"
#include "editor_test_texts.h"

namespace novu {
namespace {

struct ValueCase {
    std::string text;
    std::optional<int> value;
    bool capped;  // tip 21 shown
};

TEST(ParseDelayText, DigitsOrDigitsBeforeTheUnit) {
    const ValueCase cases[] = {
        {"250", 250, false},
        {"250ms", 250, false},
        {"0ms", 0, false},
        {"10000ms", 10000, false},
        {"10001", 10000, true},
        {"20000ms", 10000, true},
        {"99999999999999", 10000, true},
        {"250 ms", std::nullopt, false},
        {"2a0ms", std::nullopt, false},
        {"ms", std::nullopt, false},
        {"", std::nullopt, false},
        {"-5", std::nullopt, false},
        {"250s", std::nullopt, false},
        {"12ms34ms", 12, false},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.text);
        RecordedNotices notices;
        EXPECT_EQ(ParseDelayText(c.text, "ms", notices), c.value);
        EXPECT_EQ(notices.Tips(), c.capped ? std::vector<int>{21} : std::vector<int>{});
    }
}

TEST(ParseDelayText, TheUnitIsTheLanguagesOwn) {
    RecordedNotices notices;
    EXPECT_EQ(ParseDelayText("300毫秒", "毫秒", notices), 300);
    EXPECT_EQ(ParseDelayText("300ms", "毫秒", notices), std::nullopt);
    EXPECT_EQ(ParseDelayText("300ms", "", notices), std::nullopt);
}

TEST(ParseLightingValue, DigitsOrTheNumberOfADurationRow) {
    const ValueCase cases[] = {
        {"42", 42, false},
        {"100", 100, false},
        {"101", 100, true},
        {"Time:10*122ms", 10, false},
        {"Time:55*122ms", 55, false},
        {"Time:150*122ms", 100, true},
        {"Time:時間15*122ms", std::nullopt, false},
        {"15*122ms", 15, false},  // no colon: the whole text
        {"Time:*122ms", std::nullopt, false},
        {"Time:1x*122ms", std::nullopt, false},
        {"Time:10", std::nullopt, false},
        {"", std::nullopt, false},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.text);
        RecordedNotices notices;
        EXPECT_EQ(ParseLightingValue(c.text, notices), c.value);
        EXPECT_EQ(notices.Tips(), c.capped ? std::vector<int>{21} : std::vector<int>{});
    }
}

TEST(ParseLightingValue, DropsCharactersNotBytes) {
    RecordedNotices notices;
    // A two-character unit of multi-byte characters: six characters are "*122" and the unit.
    EXPECT_EQ(ParseLightingValue("時間:12*122毫秒", notices), 12);
}

TEST(ParseDpiLevelText, OfferedValuesGiveTheirLevelOthersLevelFour) {
    struct Case {
        std::string text;
        int level;
        bool message;
    };
    const Case cases[] = {
        {"[DPI]:200 ", 1, false},  {"[DPI]:400", 2, false},   {"[DPI]:600", 3, false},
        {"[DPI]:800 ", 4, false},  {"[DPI]:1000", 5, false},  {"[DPI]:1200", 6, false},
        {"[DPI]:1600 ", 7, false}, {"[DPI]:2000", 9, false},  {"[DPI]:2400", 11, false},
        {"[DPI]:3200", 13, false}, {"[DPI]:4000", 14, false}, {"[DPI]:4800dpi", 15, false},
        {"1600", 7, false},        {"[DPI]: 1600", 7, false}, {"[DPI]:1500", 4, true},
        {"[DPI]:1400", 4, true},   {"[DPI]:", 4, true},       {"fast", 4, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        RecordedNotices notices;
        EXPECT_EQ(ParseDpiLevelText(c.text, notices), c.level);
        const std::vector<RecordedNotices::Notice> expected =
            c.message ? std::vector<RecordedNotices::Notice>{{RecordedNotices::Kind::MessageBox, -1,
                                                              "CPI(:200/400/600/800/1000/1200/"
                                                              "1600/2000/2400/3200/4000/4800)"}}
                      : std::vector<RecordedNotices::Notice>{};
        EXPECT_EQ(notices.Notices(), expected);
    }
}

TEST(ParseMoveText, TwoDigitOnlyNumbersCappedAtAHundred) {
    struct Case {
        std::string text;
        std::optional<MoveMagnitudes> move;
        std::vector<std::string> warnings;
    };
    const Case cases[] = {
        {"[X+]:5,[Y-]:7", MoveMagnitudes{5, 7}, {}},
        {"[X-]:0,[Y+]:100", MoveMagnitudes{0, 100}, {}},
        {"[X+]:5,[Y-]:120", MoveMagnitudes{5, 100}, {"[Y]; Too many"}},
        {"[X+]:300,[Y-]:999", MoveMagnitudes{100, 100}, {"[X]; Too many", "[Y]; Too many"}},
        {"5,[Y]:7", std::nullopt, {}},  // the X number starts after the first colon
        {"[X+]:5,7", std::nullopt, {}},
        {"5,7", std::nullopt, {}},
        {"[X+]:5;[Y-]:7", std::nullopt, {}},
        {"[X+]:,[Y-]:7", std::nullopt, {}},
        {"[X+]:5,[Y-]:", std::nullopt, {}},
        {"[X+]:-5,[Y-]:7", std::nullopt, {}},
        {"[X+]:5,[Y-]:7 ", std::nullopt, {}},
    };
    const test::EditorTestTexts texts;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        RecordedNotices notices;
        EXPECT_EQ(ParseMoveText(c.text, texts, notices), c.move);
        std::vector<std::string> warnings;
        for (const auto& notice : notices.Notices()) {
            EXPECT_EQ(notice.kind, RecordedNotices::Kind::WarningText);
            warnings.push_back(notice.text);
        }
        EXPECT_EQ(warnings, c.warnings);
    }
}

}  // namespace
}  // namespace novu
