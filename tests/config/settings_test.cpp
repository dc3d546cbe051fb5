#include "config/settings.h"

#include <gtest/gtest.h>

namespace novu {
namespace {

TEST(Colours, ChannelsAreStoredAsNibblesAndShownBack) {
    SharedSettings s;
    SetDpiColour(s, 2, Channel::Red, 0);
    SetDpiColour(s, 2, Channel::Green, 255);
    SetDpiColour(s, 2, Channel::Blue, 100);
    EXPECT_EQ(s.DPI_R[2], 15);
    EXPECT_EQ(s.DPI_G[2], 0);
    EXPECT_EQ(s.DPI_B[2], 9);
    // red 15 shows as 15, green 0 as 255, blue 9 as 111
    EXPECT_EQ(s.dpiDisplayColour[2], 0x6FFF0Fu);
    SetUserColour(s, 6, Channel::Blue, 255);
    EXPECT_EQ(s.LED_USER_B[6], 0);
    EXPECT_EQ((s.userDisplayColour[6] >> 16) & 0xFF, 255u);
}

TEST(ColourCycle, TheLastSetFlagCannotBeCleared) {
    SharedSettings s;
    SetCycleMask(s, 0b0000101);
    EXPECT_TRUE(ToggleCycleFlag(s, 0));
    EXPECT_FALSE(ToggleCycleFlag(s, 2));  // the only one left
    EXPECT_TRUE(s.cycleFlags[2]);
    EXPECT_TRUE(ToggleCycleFlag(s, 6));
    EXPECT_EQ(CycleMaskFromFlags(s), 0b1000100);
    EXPECT_EQ(s.CYC_7COL_EN, 0b0000101);  // the stored byte follows the flags only when saved
}

TEST(DpiLevels, ToggleKeepsOneLevelEnabledAndCurrent) {
    struct Case {
        std::array<bool, 6> enabled;
        int current;
        int toggled;
        std::array<bool, 6> enabledAfter;
        int currentAfter;
    } const cases[] = {
        // enabling a disabled level
        {{true, false, false, false, false, false},
         0,
         3,
         {true, false, false, true, false, false},
         0},
        // disabling another level leaves the current one
        {{true, true, false, false, false, false},
         0,
         1,
         {true, false, false, false, false, false},
         0},
        // disabling the current level moves on to the next enabled one, wrapping
        {{true, false, false, false, true, true},
         5,
         5,
         {true, false, false, false, true, false},
         0},
        {{false, true, false, true, false, false},
         1,
         1,
         {false, false, false, true, false, false},
         3},
        // the only enabled level stays enabled and current
        {{false, false, true, false, false, false},
         2,
         2,
         {false, false, true, false, false, false},
         2},
    };
    for (const auto& c : cases) {
        SharedSettings s;
        s.DPI_SET_EN = c.enabled;
        s.DPI_LEVEL = c.current;
        ToggleDpiLevel(s, c.toggled);
        EXPECT_EQ(s.DPI_SET_EN, c.enabledAfter) << "toggled " << c.toggled;
        EXPECT_EQ(s.DPI_LEVEL, c.currentAfter) << "toggled " << c.toggled;
    }
}

TEST(DpiLevels, OnlyEnabledLevelsCanBeSelected) {
    SharedSettings s;
    s.DPI_SET_EN = {true, false, true, false, false, false};
    EXPECT_FALSE(SelectDpiLevel(s, 1));
    EXPECT_EQ(s.DPI_LEVEL, 0);
    EXPECT_TRUE(SelectDpiLevel(s, 2));
    EXPECT_EQ(s.DPI_LEVEL, 2);
}

TEST(PinnedValues, PollingRateAndFireInterval) {
    SharedSettings s;
    SetUsbSpeed(s, 3);
    EXPECT_EQ(s.USB_SPEED, 0);
    EXPECT_EQ(s.RateCode, 7);
    SetFireTime(s, 1);
    EXPECT_EQ(s.FIRE_TIME, 8);
    SetFireTime(s, 300);
    EXPECT_EQ(s.FIRE_TIME, 300);
}

TEST(Settings, InitialValues) {
    const Settings s;
    EXPECT_EQ(s.shared.FIRE_TIME, 50);
    EXPECT_EQ(s.shared.LED_USER_COLER_EN, 1);
    EXPECT_EQ(s.shared.DPI_LEVEL, 0);
    EXPECT_EQ(s.profiles[3].K[11], 0);
    EXPECT_EQ(s.CurConfig, 0);
}

}  // namespace
}  // namespace novu
