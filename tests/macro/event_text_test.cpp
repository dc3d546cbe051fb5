#include "macro/event_text.h"

#include <gtest/gtest.h>

#include "editor_test_texts.h"

namespace novu {
namespace {

using test::EditorTestTexts;
using test::TestKeyName;

MacroRecord WithStep(MacroEvent event) {
    MacroRecord record;
    record.eventCount = 1;
    SetEvent(record, 0, event);
    return record;
}

TEST(FormatEventText, EveryStepKindHasItsTextAndIcon) {
    struct Case {
        MacroEvent event;
        StepLine line;
    };
    const Case cases[] = {
        {{3, 0xF6, 7, 9, 0}, {"[X-]:7,[Y-]:9", 3}},
        {{4, 0xF6, 7, 9, 0}, {"[X-]:7,[Y+]:9", 3}},
        {{5, 0xF6, 100, 0, 0}, {"[X+]:100,[Y-]:0", 3}},
        {{6, 0xF6, 1, 65535, 0}, {"[X+]:1,[Y+]:65535", 3}},
        {{2, 0xF6, 1, 1, 0}, {"[X]:eeror,[Y]:eeror", 3}},
        {{9, 0xF8, 7, 0, 0}, {"[DPI]:1600 ", 5}},
        {{10, 0xF8, 7, 0, 0}, {"[DPI]:Restore", 5}},
        {{11, 0xF8, 7, 0, 0}, {"[DPI]:Error", 5}},
        {{13, 0xF9, 0, 0, 0}, {"Lighting 1", 4}},
        {{14, 0xF9, 2, 0, 0}, {"Lighting 3", 4}},
        {{15, 0xF9, 4, 0, 0}, {"Lighting 5", 4}},
        {{12, 0xF9, 4, 0, 0}, {"Lighting Error", 4}},
        {{0, 0x00, 0, 0, 0}, {"Pause", 0}},
        {{1, 0x00, 0, 0, 0}, {"Pause", 0}},
        {{1, 0x04, 0, 0, 0}, {"K04", 1}},
        {{2, 0x04, 0, 0, 0}, {"K04", 2}},
        {{0, 0x04, 0, 0, 0}, {"K04", 0}},
        {{1, 0xF1, 0, 0, 0}, {"KF1", 1}},
        {{2, 0xF3, 0, 0, 0}, {"KF3", 2}},
        {{1, 0xF7, 0, 0, 0}, {"KF7", 1}},
    };
    const EditorTestTexts texts;
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "code " << int{c.event.code} << " type " << int{c.event.type});
        EXPECT_EQ(FormatEventText(WithStep(c.event), 0, texts, TestKeyName), c.line);
    }
}

TEST(FormatEventText, DpiTextOfEveryLevel) {
    const char* const expected[] = {
        "[DPI]:800 ",  "[DPI]:200 ",  "[DPI]:400 ",  "[DPI]:600 ",  "[DPI]:800 ",  "[DPI]:1000 ",
        "[DPI]:1200 ", "[DPI]:1600 ", "[DPI]:1600 ", "[DPI]:2000 ", "[DPI]:2000 ", "[DPI]:2400 ",
        "[DPI]:2400 ", "[DPI]:3200 ", "[DPI]:4000 ", "[DPI]:4800 ", "[DPI]:800 ",
    };
    for (int level = 0; level <= 16; ++level) {
        EXPECT_EQ(DpiStepText(level), expected[level]) << level;
    }
    EXPECT_EQ(DpiStepText(-1), "[DPI]:800 ");
    EXPECT_EQ(DpiStepText(65535), "[DPI]:800 ");
}

TEST(BuildStepList, StepRowsAlternateWithTheirPausesAndCountPressesAndReleases) {
    MacroRecord record;
    record.eventCount = 3;
    SetEvent(record, 0, {1, 0x04, 0, 0, 150});
    SetEvent(record, 1, {2, 0x04, 0, 0, 0});
    SetEvent(record, 2, {1, 0xF1, 0, 0, 20});
    SetEvent(record, 3, {1, 0x05, 0, 0, 1});  // beyond eventCount: not shown
    const EditorTestTexts texts;

    const StepListRows list = BuildStepList(record, texts, TestKeyName);

    const std::vector<StepLine> expected = {
        {"K04", 1}, {"150ms", 0}, {"K04", 2}, {"0ms", 0}, {"KF1", 1}, {"20ms", 0},
    };
    EXPECT_EQ(list.rows, expected);
    EXPECT_EQ(list.rows[3], FormatDelayText(0, texts));  // the pause after step 1
    EXPECT_EQ(list.pressCount, 2);
    EXPECT_EQ(list.releaseCount, 1);
}

TEST(BuildStepList, NeverShowsMoreStepsThanARecordHolds) {
    MacroRecord record;
    record.eventCount = 60000;  // as a damaged file may claim
    const EditorTestTexts texts;
    EXPECT_EQ(BuildStepList(record, texts, TestKeyName).rows.size(), 2u * kMaxMacroSteps);
    record.eventCount = 0;
    EXPECT_TRUE(BuildStepList(record, texts, TestKeyName).rows.empty());
}

}  // namespace
}  // namespace novu
