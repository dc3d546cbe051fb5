#include "macro/lighting_steps.h"

#include <gtest/gtest.h>

#include "editor_fixture.h"

namespace novu {
namespace {

using test::EditorTestTexts;

std::vector<std::string> Texts(const std::vector<StepLine>& rows) {
    std::vector<std::string> texts;
    for (const StepLine& row : rows) {
        EXPECT_EQ(row.icon, 0);
        texts.push_back(row.text);
    }
    return texts;
}

TEST(ShowLightingStep, ThreeRowsForEachEffect) {
    struct Case {
        std::uint8_t effect;
        std::uint8_t speed;
        std::vector<std::string> rows;
        std::uint8_t storedEffect;
        std::uint8_t storedSpeed;
    };
    const Case cases[] = {
        {1, 3, {"Effect: Flash", "Speed:   3", "Time:10*122ms"}, 1, 3},
        {2, 0, {"Effect: Breathing", "Speed:   1", "Time:10*122ms"}, 2, 1},
        {3, 7, {"Effect: Neon", "Speed:   7", "Time:10*122ms"}, 3, 7},
        {6, 0, {"Effect: Static", "Speed: none", "Time:10*122ms"}, 6, 0},
        {7, 2, {"Effect: Off", "Speed: none", "Time:10*122ms"}, 7, 2},
        {9, 5, {"Effect: Wave", "Speed:   5", "Time:10*122ms"}, 9, 5},
        {0, 4, {"Effect: Off", "Speed: none", "Time:10*122ms"}, 7, 4},
        {12, 0, {"Effect: Off", "Speed: none", "Time:10*122ms"}, 7, 0},
    };
    const EditorTestTexts texts;
    for (const Case& c : cases) {
        SCOPED_TRACE(int{c.effect});
        MacroRecord macro;
        LedBlock& block = macro.ledBlocks[3];
        block[0] = 1;
        block[4] = c.effect;
        block[5] = c.speed;
        block[6] = 10;
        EXPECT_EQ(Texts(ShowLightingStep(macro, 3, texts)), c.rows);
        EXPECT_EQ(block[4], c.storedEffect);
        EXPECT_EQ(block[5], c.storedSpeed);
    }
}

TEST(ShowLightingStep, RowsFollowTheColourEntriesWithinTheBlock) {
    const EditorTestTexts texts;
    MacroRecord macro;
    LedBlock& block = macro.ledBlocks[0];
    EXPECT_TRUE(ShowLightingStep(macro, 0, texts).empty()) << "no colour entry";

    block = {2, 0, 0, 0, 1, 2, 30, 99, 9, 4, 40};
    EXPECT_EQ(Texts(ShowLightingStep(macro, 0, texts)),
              (std::vector<std::string>{"Effect: Flash", "Speed:   2", "Time:30*122ms", "99",
                                        "Effect: Wave", "Speed:   4", "Time:40*122ms"}));

    block[0] = 255;  // a hand-edited count never reads past the block
    EXPECT_EQ(ShowLightingStep(macro, 0, texts).size(), std::size_t{kLedBlockSize - 4});
    EXPECT_TRUE(ShowLightingStep(macro, 5, texts).empty());
    EXPECT_TRUE(ShowLightingStep(macro, -1, texts).empty());
}

TEST(EffectOfMenuEntry, EntriesPastTheOfferedEffectsAreOff) {
    const std::uint8_t expected[] = {7, 1, 2, 3, 6, 7, 9, 7, 7};
    for (int entry = 0; entry <= 8; ++entry) {
        EXPECT_EQ(EffectOfMenuEntry(entry), expected[entry]) << entry;
    }
}

class LightingEditTest : public test::EditorFixture {
protected:
    LightingEditTest() {
        Append(macro_, {1, 0x04, 0, 0, 10});
        AppendLighting(macro_, 0xA0);
        AppendLighting(macro_, 0xA1);  // step 2, block 1
        macro_.ledBlocks[1][4] = 1;
    }
    MacroRecord macro_;
};

TEST_F(LightingEditTest, SelectingALightingStepShowsItsBlock) {
    const MacroPageEffects shown = editor_.SelectStepRow(macro_, 4);
    ASSERT_TRUE(shown.lightingList.has_value());
    EXPECT_EQ(Texts(*shown.lightingList),
              (std::vector<std::string>{"Effect: Flash", "Speed:   3", "Time:10*122ms"}));
    EXPECT_EQ(editor_.LightingBlock(), 1);

    for (const int row : {-1, 0, 1, 6}) {
        const MacroPageEffects other = editor_.SelectStepRow(macro_, row);
        EXPECT_TRUE(other.emptyLightingList) << row;
        EXPECT_FALSE(other.lightingList.has_value()) << row;
    }
}

TEST_F(LightingEditTest, RightClicksOpenTheEffectAndSpeedMenus) {
    EXPECT_FALSE(editor_.LightingRightClick(macro_, 0).openMenu.has_value())
        << "the selected step is not a lighting step";
    editor_.SelectStepRow(macro_, 4);
    EXPECT_EQ(editor_.LightingRightClick(macro_, 0).openMenu, macro_menu::kLightingEffect);
    EXPECT_EQ(editor_.LightingRightClick(macro_, 1).openMenu, macro_menu::kLightingSpeed);
    EXPECT_FALSE(editor_.LightingRightClick(macro_, 2).openMenu.has_value());
    EXPECT_FALSE(editor_.LightingRightClick(macro_, 3).openMenu.has_value()) << "no such row";

    macro_.ledBlocks[1][4] = led_effect::kStatic;
    EXPECT_FALSE(editor_.LightingRightClick(macro_, 1).openMenu.has_value());
}

TEST_F(LightingEditTest, MenuChoicesChangeTheShownBlockWithoutWriting) {
    editor_.SelectStepRow(macro_, 4);
    editor_.LightingRightClick(macro_, 0);
    MacroPageEffects effects = editor_.ChooseLightingEffect(macro_, 2);
    EXPECT_EQ(macro_.ledBlocks[1][4], 2);
    EXPECT_EQ(Texts(*effects.lightingList)[0], "Effect: Breathing");
    EXPECT_EQ(effects.selectLightingRow, 0);
    EXPECT_FALSE(effects.writeMacro);

    editor_.LightingRightClick(macro_, 1);
    effects = editor_.ChooseLightingSpeed(macro_, 7);
    EXPECT_EQ(macro_.ledBlocks[1][5], 7);
    EXPECT_EQ(effects.selectLightingRow, 1);
    EXPECT_FALSE(effects.writeMacro);

    const MacroRecord before = macro_;
    EXPECT_FALSE(editor_.ChooseLightingSpeed(macro_, 8).lightingList.has_value());
    EXPECT_FALSE(editor_.ChooseLightingEffect(macro_, 255).lightingList.has_value());
    EXPECT_EQ(macro_, before);
    EXPECT_EQ(macro_.ledBlocks[0][4], 2) << "other blocks untouched";
}

TEST_F(LightingEditTest, ACommittedDurationIsStoredAndWritten) {
    struct Case {
        std::string text;
        std::uint8_t duration;
        std::vector<int> tips;
    };
    const Case cases[] = {
        {"25", 25, {}},
        {"Time:55*122ms", 55, {}},
        {"250", 100, {21}},
        {"long", 10, {}},  // not a number: nothing stored, still written
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        macro_.ledBlocks[1][6] = 10;
        notices_.Clear();
        editor_.SelectStepRow(macro_, 4);
        ASSERT_TRUE(editor_.LightingDoubleClick(macro_, 2).openLightingEditor);

        const MacroPageEffects effects = editor_.CommitLightingEdit(macro_, c.text);

        EXPECT_EQ(macro_.ledBlocks[1][6], c.duration);
        EXPECT_EQ(macro_.ledBlocks[0][6], 10);
        EXPECT_EQ(notices_.Tips(), c.tips);
        EXPECT_TRUE(effects.writeMacro);
        ASSERT_TRUE(effects.lightingList.has_value());
        EXPECT_EQ(effects.selectLightingRow, 2);
    }
    EXPECT_FALSE(editor_.LightingDoubleClick(macro_, 1).openLightingEditor);

    editor_.SelectStepRow(macro_, 0);  // a key step
    EXPECT_FALSE(editor_.CommitLightingEdit(macro_, "5").writeMacro);
}

}  // namespace
}  // namespace novu
