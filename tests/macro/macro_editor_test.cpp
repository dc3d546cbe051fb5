#include "macro/macro_editor.h"

#include <gtest/gtest.h>

#include "editor_fixture.h"
#include "macro/macro_editor_parsers.h"
#include "macro/macro_editor_steps.h"

namespace novu {
namespace {

using Notice = RecordedNotices::Notice;
using NoticeKind = RecordedNotices::Kind;

class MacroEditorTest : public test::EditorFixture {};

TEST_F(MacroEditorTest, InsertCommandsPlaceTheStepBeforeOrAfterTheSelectedStep) {
    struct Case {
        const char* name;
        int steps;
        int selection;  // the step list's selected row, -1 for none
        int command;
        int position;     // where the new step lands
        int selectedRow;  // the editor's selected row afterwards
    };
    const Case cases[] = {
        {"after, empty list", 0, -1, insert_command::kLeftPressAfter, 0, 0},
        {"after, empty list with a stale selection", 0, 5, insert_command::kPause, 0, 0},
        {"before, empty list", 0, -1, insert_command::kLeftPressBefore, 0, 0},
        {"after, no selection: step 0 counts as selected", 2, -1, insert_command::kPause, 1, 2},
        {"before step 0", 2, 0, insert_command::kLeftPressBefore, 0, 2},
        {"before step 1 from its pause line", 2, 3, insert_command::kLeftPressBefore, 1, 5},
        {"after step 1", 2, 2, insert_command::kSetDpi, 2, 4},
        {"after the last step from its pause line", 2, 3, insert_command::kMoveLeftUp, 2, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MacroRecord macro = KeySteps(c.steps);
        const MacroRecord before = macro;
        editor_.InsertControl(TreeRow::Macro, c.selection);

        const MacroPageEffects effects = editor_.InsertCommand(macro, c.command);

        ASSERT_EQ(macro.eventCount, c.steps + 1);
        EXPECT_EQ(macro.eventDelay[static_cast<std::size_t>(c.position)], 100);
        for (int i = 0; i < c.steps; ++i) {
            const int moved = i < c.position ? i : i + 1;
            EXPECT_EQ(EventAt(macro, moved), EventAt(before, i)) << "step " << i;
        }
        EXPECT_EQ(editor_.SelectedRow(), c.selectedRow);
        ASSERT_TRUE(effects.stepList.has_value());
        EXPECT_EQ(effects.stepList->steps.rows.size(), 2u * macro.eventCount);
        EXPECT_EQ(effects.selectStepRow, c.selectedRow);
        EXPECT_FALSE(effects.stepList->repeatBox.has_value()) << "insert leaves the box alone";
        EXPECT_FALSE(editor_.InsertFlag());
    }
}

TEST_F(MacroEditorTest, EveryInsertCodeInsertsItsStep) {
    struct Case {
        int command;
        MacroEvent step;  // the inserted step
    };
    const Case cases[] = {
        {0xF1, {1, 0xF1, 0, 0, 100}},   {0xF2, {2, 0xF1, 0, 0, 100}},
        {0xF3, {1, 0xF2, 0, 0, 100}},   {0xF4, {2, 0xF2, 0, 0, 100}},
        {0xF5, {1, 0xF3, 0, 0, 100}},   {0xF6, {2, 0xF3, 0, 0, 100}},
        {0xF7, {1, 0xF1, 0, 0, 100}},   {0xF8, {2, 0xF1, 0, 0, 100}},
        {0xF9, {1, 0xF2, 0, 0, 100}},   {0xFA, {2, 0xF2, 0, 0, 100}},
        {0xFB, {1, 0xF3, 0, 0, 100}},   {0xFC, {2, 0xF3, 0, 0, 100}},
        {0xFD, {3, 0xF6, 10, 10, 100}}, {0xFE, {4, 0xF6, 10, 10, 100}},
        {0xFF, {5, 0xF6, 10, 10, 100}}, {0x100, {6, 0xF6, 10, 10, 100}},
        {0x101, {9, 0xF8, 4, 0, 100}},  {0x102, {10, 0xF8, 4, 0, 100}},
        {0x91, {13, 0xF9, 0, 0, 100}},  {0x92, {0, 0x00, 0, 0, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.command);
        // The slot the step lands in holds a move, whose parameters must not carry over.
        MacroRecord macro;
        Append(macro, {3, step_code::kMove, 77, 88, 5});
        editor_.InsertControl(TreeRow::Macro, 0);
        const bool before = c.command >= 0xF1 && c.command <= 0xF6;

        editor_.InsertCommand(macro, c.command);

        EXPECT_EQ(EventAt(macro, before ? 0 : 1), c.step);
        EXPECT_EQ(EventAt(macro, before ? 1 : 0), (MacroEvent{3, 0xF6, 77, 88, 5}));
        EXPECT_EQ(macro.moveCount, c.step.code == 0xF6 ? 2 : 1);
        EXPECT_EQ(macro.dpiCount, c.step.code == 0xF8 ? 1 : 0);
        EXPECT_EQ(macro.ledCount, c.step.code == 0xF9 ? 1 : 0);
    }
    MacroRecord macro = KeySteps(1);
    const MacroRecord unchanged = macro;
    EXPECT_FALSE(editor_.InsertCommand(macro, 0x90).stepList.has_value());
    EXPECT_EQ(macro, unchanged);
}

TEST_F(MacroEditorTest, LimitsRefuseAnInsertWithTheirTip) {
    struct Case {
        const char* name;
        int command;
        void (*fill)(MacroRecord&);
        int tip;
    };
    const Case cases[] = {
        {"276th step", insert_command::kPause,
         [](MacroRecord& m) {
             while (m.eventCount < kMaxMacroSteps) {
                 Append(m, {0, 0, 0, 0, 1});
             }
         },
         21},
        {"51st move", insert_command::kMoveRightDown,
         [](MacroRecord& m) {
             for (int i = 0; i < 50; ++i) {
                 Append(m, {6, step_code::kMove, 1, 1, 1});
             }
         },
         6},
        {"6th DPI step", insert_command::kRestoreDpi,
         [](MacroRecord& m) {
             for (int i = 0; i < 5; ++i) {
                 Append(m, {9, step_code::kDpi, 4, 0, 1});
             }
         },
         6},
        {"6th lighting step", insert_command::kLighting,
         [](MacroRecord& m) {
             for (int i = 0; i < 5; ++i) {
                 AppendLighting(m, 0);
             }
         },
         21},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MacroRecord macro;
        c.fill(macro);
        const MacroRecord before = macro;
        notices_.Clear();
        editor_.InsertControl(TreeRow::Macro, 0);

        const MacroPageEffects effects = editor_.InsertCommand(macro, c.command);

        EXPECT_EQ(macro, before);
        EXPECT_EQ(notices_.Tips(), std::vector<int>{c.tip});
        EXPECT_EQ(editor_.SelectedRow(), 0);
        EXPECT_TRUE(effects.stepList.has_value());
    }
}

TEST_F(MacroEditorTest, TheKindLimitOfInsertStepItselfIsTipSix) {
    MacroRecord macro;
    for (int i = 0; i < 5; ++i) {
        AppendLighting(macro, 0);
    }
    EXPECT_FALSE(InsertStep(macro, 0, step_code::kLighting, step_type::kLighting, notices_));
    EXPECT_EQ(notices_.Tips(), std::vector<int>{6});
}

TEST_F(MacroEditorTest, ALightingStepBetweenTwoOthersTakesTheMiddleBlock) {
    MacroRecord macro;
    AppendLighting(macro, 0xA0);               // step 0, block 0
    Append(macro, {1, 0x04, 0, 0, 10});        // step 1
    AppendLighting(macro, 0xA1);               // step 2, block 1
    editor_.InsertControl(TreeRow::Macro, 2);  // after step 1

    editor_.InsertCommand(macro, insert_command::kLighting);

    ASSERT_EQ(macro.eventCount, 4);
    EXPECT_EQ(macro.ledCount, 3);
    const std::uint16_t blocks[] = {macro.eventParam[0][0], macro.eventParam[2][0],
                                    macro.eventParam[3][0]};
    EXPECT_EQ(blocks[0], 0);
    EXPECT_EQ(blocks[1], 1) << "the new step";
    EXPECT_EQ(blocks[2], 2);
    LedBlock fresh{};
    fresh[0] = 1;
    fresh[6] = 10;
    EXPECT_EQ(macro.ledBlocks[1], fresh);
    EXPECT_EQ(macro.ledBlocks[0][7], 0xA0);
    EXPECT_EQ(macro.ledBlocks[2][7], 0xA1);
}

TEST_F(MacroEditorTest, ALightingStepBeforeAllOthersTakesBlockZero) {
    MacroRecord macro;
    Append(macro, {1, 0x04, 0, 0, 10});
    AppendLighting(macro, 0xA0);
    AppendLighting(macro, 0xA1);
    editor_.InsertControl(TreeRow::Macro, 0);

    editor_.InsertCommand(macro, insert_command::kLighting);

    EXPECT_EQ(macro.eventParam[1][0], 0);
    EXPECT_EQ(macro.eventParam[2][0], 1);
    EXPECT_EQ(macro.eventParam[3][0], 2);
    EXPECT_EQ(macro.ledBlocks[0][6], 10);
    EXPECT_EQ(macro.ledBlocks[1][7], 0xA0);
    EXPECT_EQ(macro.ledBlocks[2][7], 0xA1);
}

TEST_F(MacroEditorTest, ALightingStepWhoseBlocksWouldNotFitIsRefused) {
    // Numbered by hand past the blocks a record holds: shifting would leave the record.
    MacroRecord macro;
    AppendLighting(macro, 0);
    macro.eventParam[0][0] = 4;
    const MacroRecord before = macro;
    editor_.InsertControl(TreeRow::Macro, -1);
    editor_.InsertCommand(macro, insert_command::kLighting);
    EXPECT_EQ(macro, before);
    EXPECT_EQ(notices_.Tips(), std::vector<int>{6});
}

TEST_F(MacroEditorTest, DeletingTheFirstOfThreeLightingStepsMovesTheBlocksDown) {
    MacroRecord macro;
    AppendLighting(macro, 0xA0);
    Append(macro, {1, 0x04, 0, 0, 10});
    AppendLighting(macro, 0xA1);
    AppendLighting(macro, 0xA2);
    editor_.InsertControl(TreeRow::Macro, 0);

    const MacroPageEffects effects = editor_.InsertCommand(macro, insert_command::kDelete);

    ASSERT_EQ(macro.eventCount, 3);
    EXPECT_EQ(macro.ledCount, 2);
    EXPECT_EQ(EventAt(macro, 0), (MacroEvent{1, 0x04, 0, 0, 10}));
    EXPECT_EQ(macro.eventParam[1][0], 0);
    EXPECT_EQ(macro.eventParam[2][0], 1);
    EXPECT_EQ(macro.ledBlocks[0][7], 0xA1);
    EXPECT_EQ(macro.ledBlocks[1][7], 0xA2);
    EXPECT_EQ(macro.ledBlocks[2], LedBlock{});
    EXPECT_EQ(EventAt(macro, 3), MacroEvent{}) << "the freed slot is cleared";
    EXPECT_TRUE(effects.emptyLightingList);
    EXPECT_FALSE(effects.stepList->repeatBox.has_value()) << "from the insert menu";
}

TEST_F(MacroEditorTest, DeleteKeepsTheCountersAndMovesTheSelectionUp) {
    struct Case {
        int selection;
        int deletedStep;
        int selectedRow;
    };
    const Case cases[] = {{5, 2, 3}, {3, 1, 1}, {2, 1, 0}, {1, 0, 0}, {-1, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selection);
        MacroRecord macro;
        Append(macro, {3, step_code::kMove, 5, 5, 1});
        Append(macro, {9, step_code::kDpi, 4, 0, 2});
        Append(macro, {1, 0x04, 0, 0, 3});
        const MacroRecord before = macro;
        editor_.StepListRightClick(macro, 0);
        editor_.InsertControl(TreeRow::Macro, c.selection);

        const MacroPageEffects effects = editor_.StepMenuCommand(macro, 2);

        EXPECT_EQ(macro.eventCount, 2);
        EXPECT_EQ(macro.moveCount, c.deletedStep == 0 ? 0 : 1);
        EXPECT_EQ(macro.dpiCount, c.deletedStep == 1 ? 0 : 1);
        for (int i = 0, j = 0; i < 3; ++i) {
            if (i != c.deletedStep) {
                EXPECT_EQ(EventAt(macro, j++), EventAt(before, i));
            }
        }
        EXPECT_EQ(editor_.SelectedRow(), c.selectedRow);
        ASSERT_TRUE(effects.stepList.has_value());
        EXPECT_TRUE(effects.stepList->repeatBox.has_value()) << "from the step menu";
    }
}

TEST_F(MacroEditorTest, DeleteInAnEmptyMacroOrWhileRecordingChangesNothing) {
    MacroRecord empty;
    EXPECT_FALSE(editor_.DeleteStep(empty).stepList.has_value());
    EXPECT_EQ(empty, MacroRecord{});

    // A damaged record whose counters are already 0 keeps them at 0.
    MacroRecord damaged;
    SetEvent(damaged, 0, {3, step_code::kMove, 1, 1, 1});
    damaged.eventCount = 1;
    editor_.DeleteStep(damaged);
    EXPECT_EQ(damaged.moveCount, 0);

    MacroRecord recorded = KeySteps(2);
    MacroRecord other = KeySteps(4);
    StartRecording(recorded);
    const MacroRecord before = other;
    EXPECT_FALSE(editor_.InsertCommand(other, insert_command::kPause).stepList.has_value());
    EXPECT_FALSE(editor_.InsertCommand(other, insert_command::kDelete).stepList.has_value());
    EXPECT_FALSE(editor_.StepMenuCommand(other, 2).stepList.has_value());
    EXPECT_EQ(other, before);
}

TEST_F(MacroEditorTest, ShowMacroFillsTheRepeatBoxByPlayMode) {
    MacroRecord macro = KeySteps(3);
    macro.repeatCount = 12;
    EXPECT_EQ(editor_.ShowMacro(macro).stepList->repeatBox, (RepeatBoxState{"12", true}));
    macro.playMode = 0x04;  // a device flag does not change the mode
    EXPECT_EQ(editor_.ShowMacro(macro).stepList->repeatBox, (RepeatBoxState{"12", true}));
    for (const std::uint8_t mode : {1, 2, 3}) {
        macro.playMode = mode;
        EXPECT_EQ(editor_.ShowMacro(macro).stepList->repeatBox, (RepeatBoxState{"1", false}));
    }
    const MacroView empty = *editor_.ShowMacro(MacroRecord{}).stepList;
    EXPECT_TRUE(empty.steps.rows.empty());
    EXPECT_FALSE(empty.repeatBox.has_value());
}

TEST_F(MacroEditorTest, ModifyStepDispatchesByTheSelectedRow) {
    MacroRecord macro;
    Append(macro, {1, 0x04, 0, 0, 1});
    Append(macro, {2, 0xF1, 0, 0, 1});
    Append(macro, {3, step_code::kMove, 1, 1, 1});
    Append(macro, {9, step_code::kDpi, 4, 0, 1});
    AppendLighting(macro, 0);
    Append(macro, {0, step_code::kDelay, 0, 0, 1});
    struct Case {
        int row;
        bool editor;
        std::optional<std::uint8_t> capture;
    };
    const Case cases[] = {
        {0, false, 0x04},        {1, true, std::nullopt},   {2, false, 0xF1},
        {4, true, std::nullopt}, {6, true, std::nullopt},   {8, false, std::nullopt},
        {9, true, std::nullopt}, {10, false, std::nullopt}, {12, false, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        editor_.InsertControl(TreeRow::Macro, c.row);
        const MacroPageEffects effects = editor_.StepMenuCommand(macro, 1);
        EXPECT_EQ(effects.openStepEditor, c.editor);
        ASSERT_EQ(effects.keyCapture.has_value(), c.capture.has_value());
        if (c.capture) {
            EXPECT_EQ(effects.keyCapture->code, *c.capture);
            EXPECT_EQ(effects.keyCapture->keyName, test::TestKeyName(*c.capture));
        }
    }
    MacroRecord recorded;
    StartRecording(recorded);
    editor_.InsertControl(TreeRow::Macro, 1);
    EXPECT_FALSE(editor_.ModifyStep(macro).openStepEditor);
}

TEST_F(MacroEditorTest, ACapturedKeyReplacesTheCodeOfTheSelectedKeyStep) {
    MacroRecord macro = KeySteps(2);
    editor_.StepListRightClick(macro, 2);
    const MacroPageEffects effects = editor_.ApplyCapturedKey(macro, 0x2C);
    EXPECT_EQ(EventAt(macro, 1), (MacroEvent{2, 0x2C, 0, 0, 20}));
    EXPECT_EQ(effects.stepList->steps.rows[2], (StepLine{"K2C", 2}));

    editor_.StepListRightClick(macro, 1);  // a pause line: no key to replace
    const MacroRecord before = macro;
    editor_.ApplyCapturedKey(macro, 0x2D);
    EXPECT_EQ(macro, before);
}

TEST_F(MacroEditorTest, CommittedStepEditsChangeTheStep) {
    struct Case {
        const char* name;
        int row;
        std::string text;
        MacroEvent step;  // step row/2 afterwards
        std::vector<Notice> notices;
    };
    const MacroEvent move{5, step_code::kMove, 10, 10, 100};
    const MacroEvent dpi{9, step_code::kDpi, 4, 0, 100};
    const std::string dpiMessage(kDpiChoicesMessage);
    const Case cases[] = {
        {"pause with unit", 1, "250ms", {5, step_code::kMove, 10, 10, 250}, {}},
        {"pause digits", 1, "0", {5, step_code::kMove, 10, 10, 0}, {}},
        {"pause with a letter", 1, "2x0ms", move, {}},
        {"pause above the limit",
         1,
         "20000",
         {5, step_code::kMove, 10, 10, 10000},
         {{NoticeKind::Tip, 21, ""}}},
        {"move",
         0,
         "[X+]:5,[Y-]:120",
         {5, step_code::kMove, 5, 100, 100},
         {{NoticeKind::WarningText, -1, "[Y]; Too many"}}},
        {"move, both too far",
         0,
         "[X+]:101,[Y-]:100",
         {5, step_code::kMove, 100, 100, 100},
         {{NoticeKind::WarningText, -1, "[X]; Too many"}}},
        {"move without a comma", 0, "[X+]:5 [Y-]:7", move, {}},
        {"move with a blank", 0, "[X+]:5,[Y-]: 7", move, {}},
        {"empty text", 0, "", move, {}},
        {"DPI", 2, "[DPI]:1600 ", {9, step_code::kDpi, 7, 0, 100}, {}},
        {"DPI digits only", 2, "4800", {9, step_code::kDpi, 15, 0, 100}, {}},
        {"DPI not offered", 2, "[DPI]:1500", dpi, {{NoticeKind::MessageBox, -1, dpiMessage}}},
        {"restore DPI is not edited", 4, "[DPI]:200", {10, step_code::kDpi, 4, 0, 100}, {}},
        {"key step is not edited", 6, "[X+]:1,[Y+]:1", {1, 0x04, 0, 0, 100}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MacroRecord macro;
        Append(macro, {5, step_code::kMove, 10, 10, 100});
        Append(macro, {9, step_code::kDpi, 4, 0, 100});
        Append(macro, {10, step_code::kDpi, 4, 0, 100});
        Append(macro, {1, 0x04, 0, 0, 100});
        notices_.Clear();

        const MacroPageEffects effects = editor_.CommitStepEdit(macro, c.row, c.text);

        EXPECT_EQ(EventAt(macro, c.row / 2), c.step);
        EXPECT_EQ(notices_.Notices(), c.notices);
        ASSERT_TRUE(effects.stepList.has_value()) << "the macro is always shown again";
        EXPECT_EQ(effects.selectStepRow, c.row);
        EXPECT_FALSE(effects.writeMacro);
    }
}

TEST_F(MacroEditorTest, RightClickOnAStepLineOpensTheStepMenuExceptForPausesAndLighting) {
    MacroRecord macro;
    Append(macro, {0, step_code::kDelay, 0, 0, 1});
    AppendLighting(macro, 0);
    Append(macro, {1, 0x04, 0, 0, 1});
    const std::optional<int> menus[] = {std::nullopt, 13, std::nullopt, 13, 13, 13};
    for (int row = 0; row < 6; ++row) {
        const MacroPageEffects effects = editor_.StepListRightClick(macro, row);
        EXPECT_EQ(effects.openMenu, menus[row]) << row;
        EXPECT_EQ(effects.selectStepRow, row);
        EXPECT_EQ(editor_.SelectedRow(), row);
    }
    EXPECT_FALSE(editor_.StepListRightClick(macro, 6).openMenu.has_value());
    EXPECT_EQ(editor_.SelectedRow(), 5);
}

TEST_F(MacroEditorTest, TheInsertControlNeedsAMacroRow) {
    EXPECT_FALSE(editor_.InsertControl(TreeRow::Group, 0).openMenu.has_value());
    EXPECT_EQ(notices_.Tips(), std::vector<int>{24});
    EXPECT_FALSE(editor_.InsertControl(TreeRow::None, 0).openMenu.has_value());
    EXPECT_EQ(editor_.InsertControl(TreeRow::Macro, 3).openMenu, macro_menu::kInsert);
    EXPECT_EQ(editor_.SelectedStep(), 1);
    EXPECT_EQ(notices_.Tips(), std::vector<int>{24});
}

TEST_F(MacroEditorTest, PlayModeControlsSetModeCountAndBox) {
    MacroRecord macro = KeySteps(2);
    macro.playMode = 0x0C;  // by count, both device flags
    macro.repeatCount = 9;

    MacroPageEffects effects = editor_.ChoosePlayMode(macro, play_mode_control::kWhileHeld);
    EXPECT_EQ(macro.playMode, 0x0A);
    EXPECT_EQ(macro.repeatCount, 1);
    EXPECT_EQ(effects.repeatBox, (RepeatBoxState{"1", false}));
    EXPECT_TRUE(effects.writeMacro);

    macro.playMode |= 0x04;
    effects = editor_.ChoosePlayMode(macro, play_mode_control::kUntilPressed);
    EXPECT_EQ(macro.playMode, 0x09);
    EXPECT_EQ(effects.repeatBox, (RepeatBoxState{"1", false}));

    macro.repeatCount = 40;
    macro.playMode |= 0x04;
    effects = editor_.ChoosePlayMode(macro, play_mode_control::kByCount);
    EXPECT_EQ(macro.playMode, 0x04);
    EXPECT_EQ(effects.repeatBox, (RepeatBoxState{"40", true}));
    EXPECT_TRUE(effects.writeMacro);

    EXPECT_FALSE(editor_.ChoosePlayMode(macro, 5).writeMacro);
}

TEST_F(MacroEditorTest, TheRepeatCountStaysWithinOneToAThousand) {
    struct Case {
        std::string text;
        std::string shown;
    };
    const Case cases[] = {{"0", "1"},   {"", "1"},    {"5000", "1000"},       {"1000", "1000"},
                          {"37", "37"}, {"007", "7"}, {"99999999999", "1000"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        MacroEditor editor(recorder_, texts_, notices_, test::TestKeyName);
        MacroRecord macro;
        const MacroPageEffects effects = editor.RepeatCountChanged(&macro, c.text);
        EXPECT_EQ(effects.repeatBox, (RepeatBoxState{c.shown, std::nullopt}));
        EXPECT_EQ(macro.repeatCount, std::stoi(c.shown));
        EXPECT_TRUE(effects.writeMacro);
        // The box rewritten with the settled count reports no further change.
        EXPECT_FALSE(editor.RepeatCountChanged(&macro, c.shown).repeatBox.has_value());
    }
    // Without a macro row the box is still settled but nothing is stored.
    const MacroPageEffects effects = editor_.RepeatCountChanged(nullptr, "12");
    EXPECT_EQ(effects.repeatBox, (RepeatBoxState{"12", std::nullopt}));
    EXPECT_FALSE(effects.writeMacro);
}

TEST(RowUnderCursor, CountsFromTheFirstVisibleRow) {
    EXPECT_EQ(RowUnderCursor(100, 100, 0, 20), 0);
    EXPECT_EQ(RowUnderCursor(139, 100, 0, 20), 1);
    EXPECT_EQ(RowUnderCursor(145, 100, 3, 20), 5);
    EXPECT_EQ(RowUnderCursor(145, 100, 3, 0), 0);
}

}  // namespace
}  // namespace novu
