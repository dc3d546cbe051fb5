#include "skin/skin_layout.h"

#include <gtest/gtest.h>

#include <vector>

#include "skin/popup_position.h"

namespace novu {
namespace {

SkinLayout LayoutOf(std::vector<SkinControl> controls) {
    SkinLayout layout;
    layout.controls = std::move(controls);
    return layout;
}

TEST(HitTest, RightAndBottomEdgesBelongToTheNeighbour) {
    const auto layout = LayoutOf({{10, 20, 30, 40, ""}});
    struct Case {
        SkinPoint point;
        int expected;
    };
    const Case cases[] = {
        {{10, 20}, 0},          {{39, 59}, 0},         {{40, 20}, kNoControl},
        {{10, 60}, kNoControl}, {{9, 20}, kNoControl}, {{10, 19}, kNoControl},
        {{40, 60}, kNoControl},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
        EXPECT_EQ(HitTest(layout, c.point), c.expected);
    }
}

TEST(HitTest, OverlappingControlsResolveToTheLowerIndex) {
    const auto layout = LayoutOf({{0, 0, 5, 5, ""}, {50, 50, 20, 20, ""}, {40, 40, 40, 40, ""}});
    EXPECT_EQ(HitTest(layout, {55, 55}), 1);  // inside 1 and 2
    EXPECT_EQ(HitTest(layout, {45, 45}), 2);  // only inside 2
    // A window that tests only part of its layout never reports the controls beyond it.
    EXPECT_EQ(HitTest(layout, {55, 55}, 1), kNoControl);
    EXPECT_EQ(HitTest(layout, {1, 1}, 0), kNoControl);
}

TEST(HitTest, EmptyAndExtremeRectanglesAreHarmless) {
    const auto layout =
        LayoutOf({{0, 0, 0, 0, ""}, {INT32_MAX - 1, 0, INT32_MAX, 10, ""}, {-5, -5, 10, 10, ""}});
    EXPECT_EQ(HitTest(layout, {0, 0}), 2);  // a zero-size control is never hit
    EXPECT_EQ(HitTest(layout, {INT32_MAX - 1, 5}), 1);
}

TEST(TrackHover, RepaintsExactlyOncePerChangeOfTheHoveredControl) {
    auto layout = LayoutOf({{0, 0, 10, 10, ""}, {20, 0, 10, 10, ""}});
    EXPECT_EQ(layout.hoverIndex, kNoControl);
    EXPECT_EQ(layout.lastHoverIndex, kNoControl);
    struct Move {
        SkinPoint point;
        bool repaint;
        int hover;
    };
    const Move moves[] = {
        {{15, 5}, false, kNoControl},  // between the controls: still nothing hovered
        {{1, 1}, true, 0},             // onto control 0
        {{9, 9}, false, 0},            // within control 0
        {{20, 0}, true, 1},            // onto control 1
        {{25, 5}, false, 1},
        {{35, 5}, true, kNoControl},  // off every control
        {{36, 5}, false, kNoControl},
        {{5, 5}, true, 0},
    };
    for (const auto& m : moves) {
        SCOPED_TRACE(testing::Message() << m.point.x << "," << m.point.y);
        EXPECT_EQ(TrackHover(layout, m.point), m.repaint);
        EXPECT_EQ(layout.hoverIndex, m.hover);
        EXPECT_EQ(layout.lastHoverIndex, m.hover);
    }
}

TEST(CaptionOrigin, CentresWithDivisionTruncatingTowardZero) {
    struct Case {
        SkinControl control;
        int textWidth, textHeight;
        SkinPoint expected;
    };
    const Case cases[] = {
        {{10, 20, 100, 30, ""}, 40, 10, {40, 30}},
        {{10, 20, 101, 31, ""}, 40, 10, {40, 30}},  // odd slack: half rounded down
        // Wider than the control: -5 / 2 is -2 (toward zero), not -3.
        {{10, 20, 10, 4, ""}, 15, 9, {8, 18}},
        {{0, 0, 0, 0, ""}, 0, 0, {0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CaptionOrigin(c.control, c.textWidth, c.textHeight), c.expected);
    }
}

TEST(WarningPopupPosition, FollowsTheMainWindowOnceStartupIsOver) {
    const SkinPoint centre{960, 540};
    const SkinPoint origin{100, 50};
    EXPECT_EQ(WarningPopupPosition(true, centre, origin), (SkinPoint{760, 440}));
    EXPECT_EQ(WarningPopupPosition(false, centre, origin), (SkinPoint{430, 330}));
}

}  // namespace
}  // namespace novu
