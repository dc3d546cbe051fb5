#include "skin/mask_region.h"

#include <algorithm>

namespace novu {

bool MaskRegion::Contains(std::int32_t x, std::int32_t y) const {
    return std::any_of(rects.begin(), rects.end(), [&](const RegionRect& r) {
        return x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
    });
}

std::int64_t MaskRegion::Area() const {
    std::int64_t area = 0;
    for (const auto& r : rects) {
        area += std::int64_t{r.width} * r.height;
    }
    return area;
}

MaskRegionBuilder::MaskRegionBuilder(std::int32_t width, std::int32_t height) {
    region_.width = std::max(width, 0);
    region_.height = std::max(height, 0);
}

void MaskRegionBuilder::AddRow(std::span<const std::uint8_t> opaque) {
    rowRuns_.clear();
    const auto width =
        std::min<std::size_t>(opaque.size(), static_cast<std::size_t>(region_.width));
    std::size_t x = 0;
    while (x < width) {
        if (opaque[x] == 0) {
            ++x;
            continue;
        }
        const std::size_t start = x;
        while (x < width && opaque[x] != 0) {
            ++x;
        }
        rowRuns_.push_back(
            Run{static_cast<std::int32_t>(start), static_cast<std::int32_t>(x - start)});
    }
    if (nextRow_ == 0 || rowRuns_ != bandRuns_) {
        FlushBand();
        bandTop_ = nextRow_;
        bandRuns_.swap(rowRuns_);
    }
    ++nextRow_;
}

void MaskRegionBuilder::FlushBand() {
    const std::int32_t bandHeight = nextRow_ - bandTop_;
    if (bandHeight <= 0) {
        return;
    }
    for (const auto& run : bandRuns_) {
        region_.rects.push_back(RegionRect{run.x, bandTop_, run.width, bandHeight});
    }
}

MaskRegion MaskRegionBuilder::Finish() {
    FlushBand();
    bandRuns_.clear();
    bandTop_ = nextRow_;
    return std::move(region_);
}

}  // namespace novu
