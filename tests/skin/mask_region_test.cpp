#include "skin/mask_region.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace novu {
namespace {

TEST(MaskRule, OnlyPixelsBrightInAllThreeChannelsAreTransparent) {
    struct Case {
        MaskPixel pixel;
        bool transparent;
    };
    const Case cases[] = {
        {{101, 101, 101}, true},  {{255, 255, 255}, true},  {{100, 255, 255}, false},
        {{255, 255, 100}, false}, {{255, 100, 255}, false}, {{100, 100, 100}, false},
        {{0, 0, 0}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int{c.pixel.red} << "," << int{c.pixel.green} << "," << int{c.pixel.blue});
        EXPECT_EQ(IsMaskTransparent(c.pixel.red, c.pixel.green, c.pixel.blue), c.transparent);
    }
}

// A mask drawn as text: '#' is a dark (opaque) pixel, '.' a white one, '+' the grey
// (101, 101, 101) that counts as transparent, '-' a (100, 255, 255) that stays opaque.
MaskRegion RegionOf(const std::vector<std::string>& rows) {
    const auto height = static_cast<std::int32_t>(rows.size());
    const auto width = static_cast<std::int32_t>(rows.front().size());
    return BuildMaskRegion(width, height, [&](std::int32_t x, std::int32_t y) {
        switch (rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]) {
            case '#':
                return MaskPixel{20, 20, 20};
            case '+':
                return MaskPixel{101, 101, 101};
            case '-':
                return MaskPixel{100, 255, 255};
            default:
                return MaskPixel{255, 255, 255};
        }
    });
}

TEST(MaskRegion, HoldsExactlyTheOpaquePixels) {
    // Rounded corners, a hole and a stray opaque pixel.
    const std::vector<std::string> rows = {
        ".######.", "########", "###++###", "########", "-######.",
    };
    const auto region = RegionOf(rows);
    EXPECT_EQ(region.width, 8);
    EXPECT_EQ(region.height, 5);
    std::int64_t opaque = 0;
    for (std::int32_t y = 0; y < 5; ++y) {
        for (std::int32_t x = 0; x < 8; ++x) {
            const char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            const bool expected = c == '#' || c == '-';
            opaque += expected ? 1 : 0;
            EXPECT_EQ(region.Contains(x, y), expected) << x << "," << y;
        }
    }
    EXPECT_EQ(region.Area(), opaque);
    EXPECT_FALSE(region.Contains(8, 0));
    EXPECT_FALSE(region.Contains(0, 5));
}

TEST(MaskRegion, MergesAlikeRowsIntoOneRectangle) {
    const auto region = RegionOf({
        "..##..",
        "..##..",
        "..##..",
        "######",
        "######",
    });
    const std::vector<RegionRect> expected = {{2, 0, 2, 3}, {0, 3, 6, 2}};
    EXPECT_EQ(region.rects, expected);
}

TEST(MaskRegion, AllWhiteMaskHasNoWindowLeft) {
    const auto region = RegionOf({"...", "..."});
    EXPECT_TRUE(region.rects.empty());
    EXPECT_EQ(region.Area(), 0);
}

}  // namespace
}  // namespace novu
