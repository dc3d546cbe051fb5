#include "macro/macro_assignment.h"

#include <gtest/gtest.h>

namespace novu {
namespace {

class AssignmentTest : public ::testing::Test {
protected:
    AssignmentTest() {
        store_.Update([](Settings& settings) {
            for (ProfileSettings& profile : settings.profiles) {
                profile.K = {1, 2, 3, 4, 5, 6, 0, 0, 0, 0, 0, 0};
                profile.LEFT_MAC.fill(1);
            }
        });
    }
    void SetProfile(int profile) {
        store_.Update([&](Settings& settings) { settings.CurConfig = profile; });
    }
    ProfileSettings Profile(int profile) const {
        return store_.Snapshot().profiles[static_cast<std::size_t>(profile)];
    }
    MacroMenuClick Click(int group, int hovered, int slot) const {
        MacroMenuClick click;
        click.group = group;
        click.hovered = hovered;
        click.groupCount = 3;
        click.macroCount = 4;
        click.slot = slot;
        click.keyNum = 6;
        return click;
    }

    SettingsStore store_;
};

TEST_F(AssignmentTest, ChoosingMacroThreeOfGroupTwoAssignsCode514) {
    SetProfile(2);
    EXPECT_EQ(AssignMacroToButton(store_, Click(2, 3, 4)), MacroMenuResult::Assigned);
    EXPECT_EQ(Profile(2).K[4], 514);
    EXPECT_EQ(Profile(2).LEFT_MAC[4], 0);
    EXPECT_EQ(Profile(0).K[4], 5) << "only the current profile";
    EXPECT_EQ(UserMacroCode(1, 1), 256);
    EXPECT_EQ(UserMacroCode(12, 12), 3083);
}

TEST_F(AssignmentTest, LeftMacFlagIsClearedOnlyFromTheMacroGroupsEntry) {
    MacroMenuClick click = Click(1, 1, 2);
    click.buttonMenuEntry = 8;
    AssignMacroToButton(store_, click);
    EXPECT_EQ(Profile(0).K[2], 256);
    EXPECT_EQ(Profile(0).LEFT_MAC[2], 1);
}

TEST_F(AssignmentTest, NothingChosenOrAGroupGoneChangesNothing) {
    const Settings before = store_.Snapshot();
    EXPECT_EQ(AssignMacroToButton(store_, Click(4, 1, 2)), MacroMenuResult::Closed);
    EXPECT_EQ(AssignMacroToButton(store_, Click(0, 1, 2)), MacroMenuResult::Closed);
    EXPECT_EQ(AssignMacroToButton(store_, Click(2, kNoMenuItem, 2)), MacroMenuResult::Ignored);
    EXPECT_EQ(AssignMacroToButton(store_, Click(2, 5, 2)), MacroMenuResult::Ignored);
    EXPECT_EQ(AssignMacroToButton(store_, Click(2, 0, 2)), MacroMenuResult::Ignored);
    EXPECT_EQ(store_.Snapshot(), before);
}

TEST_F(AssignmentTest, ProfileZeroKeepsALeftButton) {
    struct Case {
        int profile;
        int slot;
        std::array<std::int32_t, 6> k;  // the first six slots afterwards
    };
    const Case cases[] = {
        {0, 0, {256, 1, 3, 4, 5, 6}},  // the next slot becomes the left button
        {0, 5, {1, 2, 3, 4, 5, 256}},  // another slot still holds code 1
        {1, 0, {256, 2, 3, 4, 5, 6}},  // other profiles have no safeguard
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        store_.Update([](Settings& settings) {
            for (ProfileSettings& profile : settings.profiles) {
                profile.K = {1, 2, 3, 4, 5, 6, 0, 0, 0, 0, 0, 0};
            }
        });
        SetProfile(c.profile);
        AssignMacroToButton(store_, Click(1, 1, c.slot));
        const ProfileSettings profile = Profile(c.profile);
        EXPECT_TRUE(std::equal(c.k.begin(), c.k.end(), profile.K.begin()));
    }
}

TEST(ApplyLeftButtonSafeguard, TheLastSlotTakesCodeOneBack) {
    ProfileSettings profile;
    profile.K = {2, 3, 256, 0, 0, 1, 0, 0, 0, 0, 0, 0};  // code 1 only beyond the buttons
    ApplyLeftButtonSafeguard(profile, 2, 3);
    EXPECT_EQ(profile.K[2], 1);
    EXPECT_EQ(profile.K[1], 3);

    ProfileSettings twelve;
    twelve.K.fill(5);
    ApplyLeftButtonSafeguard(twelve, 11, 12);
    EXPECT_EQ(twelve.K[11], 1);
}

TEST(MacroSelectionMenu, GeometryFollowsTheGroupsMacros) {
    // A mask of 15 bands of 24 pixels, 180 wide; group 3 of a submenu at (500, 200).
    EXPECT_EQ(MacroSelectionMenuGeometry(180, 360, 3, 4, 500, 200),
              (MacroMenuGeometry{24, 180, 97, 500, 176}));
    EXPECT_EQ(MacroSelectionMenuGeometry(180, 360, 3, 0, 500, 200),
              (MacroMenuGeometry{24, 180, 0, 500, 272}));
    EXPECT_EQ(MacroSelectionMenuGeometry(0, 0, 1, 4, 500, 200).height, 1);
}

TEST(MacroSelectionMenu, OnlyTheGroupsMacrosBecomeHovered) {
    EXPECT_EQ(MenuItemAt(10, 0, 180, 24), 1);
    EXPECT_EQ(MenuItemAt(10, 47, 180, 24), 2);
    EXPECT_EQ(MenuItemAt(10, 359, 180, 24), 15);
    EXPECT_EQ(MenuItemAt(10, 360, 180, 24), kNoMenuItem);
    EXPECT_EQ(MenuItemAt(180, 10, 180, 24), kNoMenuItem);
    EXPECT_EQ(MenuItemAt(10, 10, 180, 0), kNoMenuItem);

    EXPECT_EQ(HoveredMacroAfterMove(3, 4, kNoMenuItem), 3);
    EXPECT_EQ(HoveredMacroAfterMove(5, 4, 3), 3);
    EXPECT_EQ(HoveredMacroAfterMove(kNoMenuItem, 4, 2), 2);
    EXPECT_EQ(HoveredMacroAfterMove(1, 0, kNoMenuItem), kNoMenuItem);
}

}  // namespace
}  // namespace novu
