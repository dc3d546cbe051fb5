#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace novu {

// The value that names no control anywhere in the skinned interface: a hit-test that finds
// nothing, a hover index with nothing under the mouse, a button index with no button.
constexpr int kNoControl = 255;

struct SkinPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const SkinPoint&) const = default;
};

// One numbered control of a skinned window: its rectangle in client pixels and its caption.
struct SkinControl {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::string caption;

    // The control covers x <= px < x + width and y <= py < y + height: the right and bottom
    // edges belong to the neighbour.
    bool Contains(SkinPoint point) const;
    bool operator==(const SkinControl&) const = default;
};

// The controls of one skinned window and the mouse state its painting depends on.
struct SkinLayout {
    std::vector<SkinControl> controls;  // index = control number
    int hoverIndex = kNoControl;        // control under the mouse
    int lastHoverIndex = kNoControl;    // hoverIndex when a repaint was last requested
    bool pressed = false;               // the left button went down on a control
    std::int32_t windowWidth = 0;       // size of the mask image
    std::int32_t windowHeight = 0;
};

// The width of control `entry`, 0 when the layout has no such control.
int ControlWidth(const SkinLayout& layout, int entry);

// The first control, in index order, whose rectangle holds `point`: overlapping controls
// resolve to the lower index. Only controls 0 .. `count` - 1 are tested (windows that test a
// part of their layout pass the size of that part); kNoControl when none holds the point.
int HitTest(const SkinLayout& layout, SkinPoint point, int count);
int HitTest(const SkinLayout& layout, SkinPoint point);

// Mouse move: sets hoverIndex from the hit-test and answers whether the window must be
// repainted, which is exactly when the hovered control differs from the one at the last
// repaint request (lastHoverIndex then follows). Moving within one control repaints nothing.
bool TrackHover(SkinLayout& layout, SkinPoint point, int count);
bool TrackHover(SkinLayout& layout, SkinPoint point);

// Where a caption of the measured size is drawn so that it is centred in its control:
// x + (width - textWidth) / 2, y + (height - textHeight) / 2, each division truncating toward
// zero (a caption wider than its control therefore overflows both sides evenly).
SkinPoint CaptionOrigin(const SkinControl& control, std::int32_t textWidth,
                        std::int32_t textHeight);

}  // namespace novu
