#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace novu {

// The outline of a skinned window comes from its mask image: a pixel whose red, green and
// blue values all exceed 100 is transparent (not part of the window, not clickable); a pixel
// with at least one channel at 100 or below belongs to the window.
constexpr bool IsMaskTransparent(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return red > 100 && green > 100 && blue > 100;
}

struct MaskPixel {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

struct RegionRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const RegionRect&) const = default;
};

// The window region as disjoint rectangles: horizontal runs of opaque pixels, with runs of
// consecutive rows that are alike merged into one taller rectangle, which is the form
// platform regions are cheapest to build from.
struct MaskRegion {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<RegionRect> rects;

    bool Contains(std::int32_t x, std::int32_t y) const;
    std::int64_t Area() const;  // opaque pixels
};

// Builds a MaskRegion row by row: each row given as one opacity flag per pixel.
class MaskRegionBuilder {
public:
    MaskRegionBuilder(std::int32_t width, std::int32_t height);

    // Rows are added top to bottom; `opaque` holds `width` flags.
    void AddRow(std::span<const std::uint8_t> opaque);
    MaskRegion Finish();

private:
    struct Run {
        std::int32_t x = 0;
        std::int32_t width = 0;
        bool operator==(const Run&) const = default;
    };
    void FlushBand();

    MaskRegion region_;
    std::int32_t nextRow_ = 0;
    std::int32_t bandTop_ = 0;
    std::vector<Run> bandRuns_;
    std::vector<Run> rowRuns_;
};

// The region of a mask of `width` x `height` pixels read through `pixelAt(x, y)`, which
// returns a MaskPixel. The accessor decouples the rule from any image library.
template <class PixelAt>
MaskRegion BuildMaskRegion(std::int32_t width, std::int32_t height, PixelAt&& pixelAt) {
    MaskRegionBuilder builder(width, height);
    std::vector<std::uint8_t> row(width > 0 ? static_cast<std::size_t>(width) : 0);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const MaskPixel pixel = pixelAt(x, y);
            row[static_cast<std::size_t>(x)] =
                IsMaskTransparent(pixel.red, pixel.green, pixel.blue) ? 0 : 1;
        }
        builder.AddRow(row);
    }
    return builder.Finish();
}

}  // namespace novu
