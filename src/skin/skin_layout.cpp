#include "skin/skin_layout.h"

#include <algorithm>
#include <cstdint>

namespace novu {

bool SkinControl::Contains(SkinPoint point) const {
    // 64-bit sums: rectangles come from files users edit, and x + width must not overflow.
    const std::int64_t right = std::int64_t{x} + width;
    const std::int64_t bottom = std::int64_t{y} + height;
    return point.x >= x && point.x < right && point.y >= y && point.y < bottom;
}

int ControlWidth(const SkinLayout& layout, int entry) {
    return entry >= 0 && entry < static_cast<int>(layout.controls.size())
               ? layout.controls[static_cast<std::size_t>(entry)].width
               : 0;
}

int HitTest(const SkinLayout& layout, SkinPoint point, int count) {
    const int tested = std::clamp(count, 0, static_cast<int>(layout.controls.size()));
    for (int i = 0; i < tested; ++i) {
        if (layout.controls[static_cast<std::size_t>(i)].Contains(point)) {
            return i;
        }
    }
    return kNoControl;
}

int HitTest(const SkinLayout& layout, SkinPoint point) {
    return HitTest(layout, point, static_cast<int>(layout.controls.size()));
}

bool TrackHover(SkinLayout& layout, SkinPoint point, int count) {
    layout.hoverIndex = HitTest(layout, point, count);
    if (layout.hoverIndex == layout.lastHoverIndex) {
        return false;
    }
    layout.lastHoverIndex = layout.hoverIndex;
    return true;
}

bool TrackHover(SkinLayout& layout, SkinPoint point) {
    return TrackHover(layout, point, static_cast<int>(layout.controls.size()));
}

SkinPoint CaptionOrigin(const SkinControl& control, std::int32_t textWidth,
                        std::int32_t textHeight) {
    // 64-bit arithmetic for the same reason as in Contains; C++ division truncates toward
    // zero, as the placement rule asks.
    const auto centre = [](std::int32_t origin, std::int32_t size, std::int32_t text) {
        const std::int64_t at = std::int64_t{origin} + (std::int64_t{size} - text) / 2;
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(at, INT32_MIN, INT32_MAX));
    };
    return SkinPoint{centre(control.x, control.width, textWidth),
                     centre(control.y, control.height, textHeight)};
}

}  // namespace novu
