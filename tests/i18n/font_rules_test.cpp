#include "i18n/font_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace novu {
namespace {

TEST(BaseFontSize, FollowsTheDisplayScale) {
    struct Case {
        double dpi;
        int a;
    };
    const Case cases[] = {
        {96, 87},
        {120, 63},
        {144, 53},
        {168, 43},
        {192, 43},
        {240, 30},
        {200, 30},  // 2.08: between 2 and 3
        {288, 20},
        // Scales between the steps take the nearest step, not an unreadable size.
        {110, 63},
        {72, 87},
        {106, 87},
        {130, 63},
        {150, 53},
        {336, 20},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BaseFontSize(c.dpi), c.a) << c.dpi << " dpi";
    }
}

TEST(FontSets, SizesAndTheSetOfEachLanguage) {
    EXPECT_EQ(DefaultSetSizes(87), (FontSizes{92, 92, 117, 127, 137}));
    EXPECT_EQ(EmbeddedSetSizes(87), (FontSizes{92, 92, 97, 127, 137}));

    struct Case {
        int language;
        FontSetId set;
        std::string_view typeface;
    };
    const Case cases[] = {
        {0, FontSetId::YaHeiA, "微软雅黑"},  {19, FontSetId::YaHeiA, "微软雅黑"},
        {1, FontSetId::Roboto, "Roboto"},    {13, FontSetId::Cairo, "Cairo"},
        {12, FontSetId::YaHeiB, "微软雅黑"}, {2, FontSetId::Arial, "Arial"},
        {11, FontSetId::Arial, "Arial"},     {25, FontSetId::Arial, "Arial"},
        {26, FontSetId::Arial, "Arial"},     {200, FontSetId::Arial, "Arial"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EmbeddedSetFor(c.language), c.set) << "language " << c.language;
        EXPECT_EQ(EmbeddedSetTypeface(c.set), c.typeface) << "language " << c.language;
    }
}

TEST(CreateFonts, WithoutFontFlagCreatesTheEmbeddedSetsOnce) {
    FontState fonts;
    const FontPlan plan = fonts.CreateFonts(96, 1, FontKeys{});
    EXPECT_EQ(plan.baseSize, 87);
    EXPECT_EQ(plan.fontFile, std::nullopt);
    EXPECT_EQ(plan.resources,
              (std::vector<FontResource>{FontResource::RobotoRegular, FontResource::CairoRegular}));
    EXPECT_EQ(static_cast<int>(plan.resources[0]), 190);
    EXPECT_EQ(plan.defaultSet, std::nullopt);
    ASSERT_EQ(plan.embeddedSets.size(), 5u);
    std::vector<FontSetId> order;
    for (const auto& set : plan.embeddedSets) {
        order.push_back(set.set);
    }
    EXPECT_EQ(order, (std::vector<FontSetId>{FontSetId::Roboto, FontSetId::Cairo, FontSetId::Arial,
                                             FontSetId::YaHeiA, FontSetId::YaHeiB}));
    EXPECT_TRUE(fonts.EmbeddedSetsReady());
    EXPECT_FALSE(fonts.RecreateAfterMenuChange());

    // Language 1 at 96 dpi: class 2 is Roboto at 9.2 points, class 3 at 9.7 points.
    ASSERT_EQ(fonts.SetFor(1), FontSetId::Roboto);
    EXPECT_EQ(plan.embeddedSets[0].typeface, "Roboto");
    EXPECT_EQ(plan.embeddedSets[0].sizes[1], 92);
    EXPECT_EQ(plan.embeddedSets[0].sizes[2], 97);

    // Once they exist, creating the fonts again makes the default set only.
    const FontPlan again = fonts.CreateFonts(96, 1, FontKeys{});
    EXPECT_TRUE(again.resources.empty());
    EXPECT_TRUE(again.embeddedSets.empty());
    EXPECT_EQ(again.defaultSet, (FontSetPlan{FontSetId::Default, "Arial", DefaultSetSizes(87)}));
}

TEST(CreateFonts, FontFlagSelectsTheDefaultSet) {
    struct Case {
        FontKeys keys;
        int language;
        std::optional<std::string> fontFile;
        std::string typeface;
    };
    const Case cases[] = {
        {{"0", "", ""}, 12, std::nullopt, "微软雅黑"},
        {{"0", "", ""}, 0, std::nullopt, "微软雅黑"},
        {{"0", "", ""}, 13, std::nullopt, "Arial"},
        {{"0", "", ""}, 19, std::nullopt, "Arial"},
        {{"abc", "", ""}, 1, std::nullopt, "Arial"},  // not empty, reads as 0
        {{"1", "fonts/Local.ttf", "Local Sans"}, 13, "fonts/Local.ttf", "Local Sans"},
        {{" 7", "x.ttf", "X"}, 0, "x.ttf", "X"},
    };
    for (const auto& c : cases) {
        FontState fonts;
        const FontPlan plan = fonts.CreateFonts(120, c.language, c.keys);
        EXPECT_EQ(plan.fontFile, c.fontFile) << "flag '" << c.keys.fontFlag << "'";
        EXPECT_TRUE(plan.resources.empty());
        EXPECT_TRUE(plan.embeddedSets.empty());
        EXPECT_EQ(plan.defaultSet,
                  (FontSetPlan{FontSetId::Default, c.typeface, DefaultSetSizes(63)}))
            << "flag '" << c.keys.fontFlag << "' language " << c.language;
        EXPECT_FALSE(fonts.EmbeddedSetsReady());
        EXPECT_EQ(fonts.SetFor(c.language), FontSetId::Default);
        EXPECT_TRUE(fonts.RecreateAfterMenuChange());
    }
}

TEST(ControlFont, ThaiAndKoreanKeepTheSystemFontWithTheEmbeddedSets) {
    FontState fonts;
    EXPECT_EQ(fonts.ControlFontSet(11), FontSetId::Default);
    (void)fonts.CreateFonts(96, 11, FontKeys{});
    EXPECT_EQ(fonts.SetFor(11), FontSetId::Arial) << "captions";
    EXPECT_EQ(fonts.ControlFontSet(11), std::nullopt);
    EXPECT_EQ(fonts.ControlFontSet(10), std::nullopt);
    EXPECT_EQ(fonts.ControlFontSet(1), FontSetId::Roboto);
}

}  // namespace
}  // namespace novu
