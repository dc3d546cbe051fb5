#include <gtest/gtest.h>

#include "skin/advanced_page_rules.h"
#include "skin/button_page_rules.h"
#include "skin/lighting_page_rules.h"
#include "skin/macro_page_rules.h"
#include "skin/main_window_rules.h"
#include "skin/warning_rules.h"

namespace novu {
namespace {

SkinLayout LayoutWith(std::vector<SkinControl> controls) {
    SkinLayout layout;
    layout.controls = std::move(controls);
    return layout;
}

// --- Button page ---------------------------------------------------------------------------

TEST(ButtonPageRules, SlotLabelsComeFromTheirCodesSource) {
    FunctionNameTable functions;
    for (int i = 0; i < kFunctionNameCount; ++i) {
        functions.names[static_cast<std::size_t>(i)] = "F" + std::to_string(i);
    }
    functions.extras.Add({30001, "Extra", 1});
    const SlotLabelSources sources{
        functions,
        [](int group, int macro) {
            return "M" + std::to_string(group) + "." + std::to_string(macro);
        },
        [](int preset) { return preset == 0 ? std::string("Rifle") : std::string(); },
    };
    struct Case {
        std::int32_t code;
        std::string label;
    };
    const Case cases[] = {
        {0, "F0"},     {47, "F47"},           {48, ""},         {50, "Rifle"}, {51, ""},
        {256, "M0.0"}, {3 * 256 + 5, "M2.5"}, {30001, "Extra"}, {30002, ""},   {40000, "F41"},
        {-1, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SlotLabel(c.code, sources), c.label) << c.code;
    }
}

TEST(ButtonPageRules, LongLabelsAreCutAfterSixteenCharacters) {
    EXPECT_EQ(CutLabel("abcdefghijklmnop"), "abcdefghijklmnop");
    EXPECT_EQ(CutLabel("abcdefghijklmnopqrst"), "abcdefghijklmnop...");
    // Characters, not bytes: seventeen Chinese characters keep sixteen of them.
    const std::string seventeen = "一二三四五六七八九十一二三四五六七";
    EXPECT_EQ(CutLabel(seventeen), seventeen.substr(0, 16 * 3) + "...");
}

TEST(ButtonPageRules, ASlotAndItsMarkLightTogether) {
    EXPECT_EQ(ButtonPageHighlights(20, 8), (std::vector<int>{20, 35}));
    EXPECT_EQ(ButtonPageHighlights(42, 8), (std::vector<int>{42, 27}));  // mark of slot 7
    EXPECT_EQ(ButtonPageHighlights(28, 8), (std::vector<int>{28}));      // no slot 8 here
    EXPECT_TRUE(ButtonPageHighlights(50, 8).empty());  // 50 .. 48 + KEYNUM stay unlit
    EXPECT_TRUE(ButtonPageHighlights(56, 8).empty());
    EXPECT_EQ(ButtonPageHighlights(57, 8), (std::vector<int>{57}));
    EXPECT_TRUE(ButtonPageHighlights(kNoControl, 8).empty());
    EXPECT_EQ(HoveredSlot(27, 8), 7);
    EXPECT_EQ(HoveredSlot(28, 8), -1);
}

// --- Advanced page -------------------------------------------------------------------------

TEST(AdvancedPageRules, SliderStepsFromTheCursor) {
    const SkinControl slider{100, 0, 110, 10, {}};  // 11 steps of 10 pixels
    struct Case {
        int x;
        int step;
    };
    const Case cases[] = {
        {90, 1},  {100, 1}, {109, 1},  {110, 1},  {114, 1},
        {115, 2}, {150, 5}, {204, 10}, {206, 11}, {400, 11},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SliderStep(c.x, slider, kSpeedSteps), c.step) << c.x;
    }
}

TEST(AdvancedPageRules, DisplayedDpiAndFills) {
    EXPECT_EQ(DisplayedDpi(0), 200);
    EXPECT_EQ(DisplayedDpi(10), 2400);
    EXPECT_EQ(DisplayedDpi(16), 7200);
    EXPECT_EQ(DisplayedDpi(17), 0);
    EXPECT_EQ(DpiSliderFill(0), 17);  // 303 / 17 = 17.8, truncated
    EXPECT_EQ(DpiSliderFill(8), 160);
    EXPECT_EQ(DpiSliderFill(16), 303);
    EXPECT_EQ(LinearSliderFill(5, 330, 11), 150);
    EXPECT_EQ(LinearSliderFill(11, 330, 11), 330);
    EXPECT_EQ(LinearSliderFill(500, 330, 300), 330);
}

TEST(AdvancedPageRules, LookAndValues) {
    SharedSettings shared;
    shared.DPI_LEVEL = 2;
    shared.DPI_SET = {0, 1, 7, 3, 4, 5};
    shared.DPI_SET_EN = {true, false, true, false, false, false};
    shared.DPI_SPEED = 11;
    shared.FIRE_TIME = 50;
    SkinLayout layout;
    layout.controls.resize(83);
    layout.controls[advanced_entry::kDpiSlider] = {74, 490, 303, 42, {}};
    layout.controls[advanced_entry::kPointerSlider] = {560, 176, 330, 16, {}};

    const AdvancedLook look = AdvancedPageLook(shared, layout);
    EXPECT_EQ(look.fromDown, (std::vector<int>{62, 47, 49, 34, 38}));
    ASSERT_EQ(look.sliders.size(), 4u);
    EXPECT_EQ(look.sliders[0].fill, DpiSliderFill(7));
    EXPECT_EQ(look.sliders[0].knob, (SkinPoint{74 + DpiSliderFill(7) - 5, 503}));
    EXPECT_EQ(look.sliders[1].fill, 330);
    EXPECT_EQ(look.sliders[1].knob, (SkinPoint{560 + 330 - 6, 176}));

    EXPECT_EQ(AdvancedEntryText(72, shared), (EntryText{"1600", kCurrentLevelTextColour}));
    EXPECT_EQ(AdvancedEntryText(70, shared), (EntryText{"200"}));
    EXPECT_EQ(AdvancedEntryText(advanced_entry::kFireValue, shared),
              (EntryText{"50", 0x00FFFFFF, true}));
    EXPECT_FALSE(AdvancedEntryText(0, shared));
}

// --- Lighting page -------------------------------------------------------------------------

TEST(LightingPageRules, GreyedAreasAndHiddenTextsFollowTheEffect) {
    EXPECT_EQ(std::vector<int>(GreyedEntries(3).begin(), GreyedEntries(3).end()),
              std::vector<int>{71});
    EXPECT_EQ(GreyedEntries(10).size(), 6u);
    EXPECT_TRUE(GreyedEntries(14).empty());

    SharedSettings shared;
    struct Case {
        int effect;
        int entry;
        LightingText text;
    };
    const Case cases[] = {
        {3, 15, LightingText::Skin},
        {0, 15, LightingText::None},
        {1, 15, LightingText::Skin},
        {1, 38, LightingText::None},
        {2, 39, LightingText::None},
        {4, 34, LightingText::None},
        {4, 33, LightingText::Skin},
        {3, 98, LightingText::Skin},
        {7, 98, LightingText::None},
        {3, 35, LightingText::EffectName},
        {12, 61, LightingText::ReactiveKindName},
        {12, 69, LightingText::Skin},  // 8 buttons
        {3, 61, LightingText::Skin},
        {3, 22, LightingText::None},
        {3, 40, LightingText::SkinNarrowed},
    };
    for (const Case& c : cases) {
        shared.LED_TYPE = static_cast<std::uint8_t>(c.effect);
        EXPECT_EQ(LightingTextOf(c.entry, shared, 8), c.text) << c.effect << " " << c.entry;
    }
    shared.MODE_LIGHT = 1;
    EXPECT_EQ(LightingTextOf(18, shared, 8), LightingText::Skin);
    EXPECT_EQ(LightingTextOf(22, shared, 8), LightingText::Skin);
    EXPECT_EQ(LightingTextOf(35, shared, 8), LightingText::None);
}

TEST(LightingPageRules, LookOfTheOnAndOffStates) {
    SharedSettings shared;
    shared.LED_TYPE = 0;
    shared.LED_BRIGHT = 6;
    shared.LED_CYCTIME = 5;
    shared.LED_FEATURE_DIREC = 2;
    shared.LED_USER_COLER_EN = 0;
    shared.cycleFlags = {true, false, true, false, false, false, false};
    ProfileSettings profile;
    profile.LED_REACT_EN[1] = 1;
    profile.LED_REACT_EN[9] = 1;  // beyond KEYNUM
    SkinLayout layout;
    layout.controls.resize(103);
    layout.controls[lighting_entry::kSpeedSlider] = {170, 243, 280, 6, {}};
    layout.controls[lighting_entry::kBrightnessSlider] = {170, 293, 280, 6, {}};

    LightingLook look = LightingPageLook(shared, profile, 8, layout);
    EXPECT_FALSE(look.lightingOff);
    EXPECT_EQ(look.fromDown, (std::vector<int>{17, 49, 7, 9, 52, 0, 2}));
    EXPECT_TRUE(look.colours.empty());
    ASSERT_EQ(look.sliders.size(), 2u);
    EXPECT_EQ(look.sliders[0].fill, 280);  // the fastest speed fills the slider
    EXPECT_EQ(look.sliders[0].knob, (SkinPoint{170 + 280 - 5, 238}));
    EXPECT_EQ(look.sliders[1].fill, 40);  // brightness 6 fills a seventh
    EXPECT_EQ(look.greyed, (std::vector<int>{50, 71, 72, 74, 75}));
    EXPECT_EQ(BrightnessSliderFill(0, 280), 280);

    shared.LED_USER_COLER_EN = 1;
    look = LightingPageLook(shared, profile, 8, layout);
    EXPECT_EQ(look.colours.size(), 7u);
    EXPECT_EQ(look.fromDown.back(), lighting_entry::kUserColourSwitch);

    shared.MODE_LIGHT = 1;
    look = LightingPageLook(shared, profile, 8, layout);
    EXPECT_TRUE(look.lightingOff);
    EXPECT_EQ(look.fromDown, std::vector<int>{lighting_entry::kLightingOff});
    EXPECT_TRUE(look.greyed.empty());
}

TEST(LightingPageRules, EffectAndReactiveKindNames) {
    EXPECT_EQ(std::vector<int>(OfferedEffects().begin(), OfferedEffects().end()),
              (std::vector<int>{0, 2, 3, 5, 6, 7, 8, 10, 11, 13}));
    EXPECT_EQ(EffectNameText(12), 13);
    EXPECT_EQ(ReactiveKindNameText(0), 2);
    EXPECT_EQ(ReactiveKindNameText(3), 5);
    EXPECT_EQ(ReactiveKindNameText(4), 0);
}

// --- Main window ---------------------------------------------------------------------------

MainLayouts Layouts() {
    MainLayouts layouts;
    layouts[kButtonPage] = LayoutWith({});
    layouts[kButtonPage].controls.resize(71);
    layouts[kButtonPage].controls[6] = {240, 8, 124, 48, "Tab"};
    layouts[kButtonPage].controls[20] = {40, 150, 210, 44, {}};
    layouts[kAdvancedPage] = LayoutWith({{30, 140, 100, 100, {}}});
    layouts[kMacroPage] = LayoutWith({});
    layouts[kLightingPage] = LayoutWith({{500, 500, 10, 10, {}}});
    return layouts;
}

TEST(MainWindowRules, TheButtonPagesSlotsAreTestedOnlyOnTheButtonPage) {
    EXPECT_EQ(HitTestedEntries(kButtonPage, kButtonPage), 71);
    EXPECT_EQ(HitTestedEntries(kButtonPage, kAdvancedPage), 20);
    EXPECT_EQ(HitTestedEntries(kAdvancedPage, kButtonPage), 138);
    EXPECT_EQ(HitTestedEntries(kLightingPage, kMacroPage), 71);
    EXPECT_EQ(HitTestedEntries(kMacroPage, kLightingPage), 20);

    MainLayouts layouts = Layouts();
    const SkinPoint onSlot{50, 160};  // slot 0 and, on the advanced page, its entry 0
    TrackMainWindowHover(layouts, kAdvancedPage, onSlot);
    EXPECT_EQ(layouts[kButtonPage].hoverIndex, kNoControl);
    EXPECT_FALSE(PressMovesWindow(layouts, kAdvancedPage));  // the advanced entry is there
    TrackMainWindowHover(layouts, kMacroPage, onSlot);
    EXPECT_TRUE(PressMovesWindow(layouts, kMacroPage));  // nothing of the macro page is
    TrackMainWindowHover(layouts, kButtonPage, onSlot);
    EXPECT_EQ(layouts[kButtonPage].hoverIndex, 20);
    EXPECT_FALSE(PressMovesWindow(layouts, kButtonPage));
}

TEST(MainWindowRules, RepaintOnlyForVisibleHoverChanges) {
    MainLayouts layouts = Layouts();
    EXPECT_FALSE(TrackMainWindowHover(layouts, kButtonPage, {5, 5}));
    EXPECT_TRUE(TrackMainWindowHover(layouts, kButtonPage, {250, 10}));   // the tab
    EXPECT_FALSE(TrackMainWindowHover(layouts, kButtonPage, {260, 20}));  // the same tab
    // Onto the lighting layout's control while the button page shows: tracked, not drawn.
    EXPECT_TRUE(TrackMainWindowHover(layouts, kButtonPage, {505, 505}));  // the tab is left
    EXPECT_EQ(layouts[kLightingPage].hoverIndex, 0);
    EXPECT_FALSE(TrackMainWindowHover(layouts, kButtonPage, {506, 506}));
    EXPECT_FALSE(TrackMainWindowHover(layouts, kButtonPage, {600, 600}));  // left it, unseen
    EXPECT_TRUE(TrackMainWindowHover(layouts, kLightingPage, {505, 505}));
}

TEST(MainWindowRules, HeaderActionsAndLook) {
    using A = HeaderAction;
    const std::pair<int, HeaderRelease> cases[] = {
        {0, {A::Minimise}},
        {2, {A::Minimise}},
        {1, {A::Close}},
        {3, {A::Apply}},
        {10, {A::SelectProfile, 0}},
        {13, {A::SelectProfile, 3}},
        {14, {A::Import}},
        {15, {A::Export}},
        {16, {A::FactoryReset}},
        {19, {A::OpenLink}},
        {4, {A::None}},
        {6, {A::None}},
        {17, {A::None}},
        {20, {A::None}},
    };
    for (const auto& [entry, release] : cases) {
        EXPECT_EQ(HeaderActionOnRelease(entry), release) << entry;
    }
    EXPECT_EQ(PageOfTab(9), kLightingPage);
    EXPECT_FALSE(PageOfTab(10));
    EXPECT_EQ(HeaderLookOf(2, kMacroPage, 3, false), (HeaderLook{{12, 8}, 3}));
    EXPECT_EQ(HeaderLookOf(2, kMacroPage, 3, true), (HeaderLook{{12, 8, 3}, kNoControl}));
    EXPECT_EQ(HeaderLookOf(0, kButtonPage, kNoControl, true), (HeaderLook{{10, 6}, kNoControl}));
    EXPECT_FALSE(HeaderShowsText(header_entry::kLink));
    EXPECT_EQ(LanguageMenuChoices(header_entry::kLanguageButton), (std::vector<int>{0, 1}));
    EXPECT_EQ(LanguageMenuChoices(header_entry::kLanguageList), std::vector<int>{1});
}

// --- Warning dialog and macro page ---------------------------------------------------------

TEST(WarningRules, HoverAndResult) {
    const SkinLayout layout =
        LayoutWith({{0, 0, 10, 10, {}}, {5, 0, 10, 10, {}}, {0, 20, 30, 5, {}}});
    EXPECT_EQ(WarningHover(layout, {6, 5}), 1);  // overlap: the first button wins
    EXPECT_EQ(WarningHover(layout, {12, 5}), 2);
    EXPECT_EQ(WarningHover(layout, {1, 21}), kNoControl);
    EXPECT_EQ(WarningResultOnRelease(1), 1);
    EXPECT_EQ(WarningResultOnRelease(2), 2);
    EXPECT_EQ(WarningResultOnRelease(kNoControl), 0);
    EXPECT_EQ(WarningResultOnRelease(kWarningNotHovered), 0);
}

TEST(MacroPageRules, PlayModeAndExecutionSwitch) {
    EXPECT_EQ(PlayModeEntry(0x02), macro_entry::kWhileHeld);
    EXPECT_EQ(PlayModeEntry(0x81), macro_entry::kUntilPressedAgain);
    EXPECT_EQ(PlayModeEntry(0x04), macro_entry::kByCount);
    EXPECT_EQ(PlayModeEntry(0x03), kNoControl);
    SharedSettings shared;
    shared.SOFT_HARD_MAC = 1;
    EXPECT_EQ(MacroPageSelected(shared, std::nullopt),
              std::vector<int>{macro_entry::kSoftwareMode});
    shared.SOFT_HARD_MAC = 0;
    EXPECT_EQ(MacroPageSelected(shared, std::uint8_t{2}),
              std::vector<int>{macro_entry::kWhileHeld});
}

}  // namespace
}  // namespace novu
