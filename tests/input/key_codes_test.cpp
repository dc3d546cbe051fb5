#include "input/key_codes.h"

#include <gtest/gtest.h>

#include <vector>

namespace novu {
namespace {

constexpr int kCn = 0, kEn = 1, kFr = 2, kDe = 4, kRu = 7, kTu = 8, kPo = 9, kPobr = 18, kNlbe = 20,
              kSl = 22, kNoLayout = 25, kHun = 26;

struct Conversion {
    int layout;
    std::uint8_t in;
    std::uint8_t out;
};

TEST(VkToHidUsage, LayoutCases) {
    const Conversion cases[] = {
        {kCn, 0x41, 0x04},   {kEn, 0x30, 0x27},       {kEn, 0x7C, 0x68}, {kEn, 0x10, 0x10},
        {kEn, 0x87, 0x73},   {kEn, 0x69, 0x61},       {kEn, 0xDF, 0xDF}, {kEn, 0xE2, 0xE2},
        {kEn, 0xF3, 0xF3},   {kEn, 0xF4, 0xF4},       {kFr, 0x41, 0x14}, {kFr, 0x51, 0x04},
        {kFr, 0xA5, 0xE6},   {kDe, 0x59, 0x1D},       {kDe, 0x5A, 0x1C}, {kHun, 0x59, 0x1C},
        {kHun, 0xE2, 0x64},  {kTu, 0xBD, 0x56},       {kRu, 0xBD, 0x56}, {kRu, 0xDF, 0x2E},
        {kPo, 0xDF, 0x55},   {kPobr, 0xDF, 0x55},     {kSl, 0xDF, 0x2E}, {kNlbe, 0x4D, 0x10},
        {kNlbe, 0xBC, 0x10}, {kNoLayout, 0x41, 0x41}, {27, 0x41, 0x41},  {255, 0x0D, 0x0D},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VkToHidUsage(c.in, c.layout), c.out)
            << "layout " << c.layout << " vk " << int{c.in};
    }
}

TEST(HidUsageToVk, LayoutCases) {
    const Conversion cases[] = {
        {kEn, 0x04, 0x41},   {kEn, 0x58, 0x58},       {kEn, 0x31, 0xDC},  {kEn, 0x62, 0x60},
        {kEn, 0x32, 0x32},   {kEn, 0x64, 0x64},       {kEn, 0x27, 0x30},  {kFr, 0x14, 0x41},
        {kFr, 0xE6, 0xA2},   {kHun, 0x1C, 0x5A},      {kHun, 0x1D, 0x59}, {kHun, 0x64, 0xE2},
        {kTu, 0x56, 0x6D},   {kTu, 0x55, 0x6A},       {kRu, 0x2E, 0xBB},  {kNlbe, 0x33, 0xBD},
        {kNlbe, 0x2E, 0x2E}, {kNoLayout, 0x04, 0x00}, {30, 0x04, 0x00},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HidUsageToVk(c.in, c.layout), c.out)
            << "layout " << c.layout << " usage " << int{c.in};
    }
}

TEST(KeyCodes, MouseButtonCodesInEveryLayout) {
    for (int layout = 0; layout <= 26; ++layout) {
        if (layout == kNoLayout) {
            continue;
        }
        EXPECT_EQ(VkToHidUsage(0xF0, layout), 0xF1) << layout;
        EXPECT_EQ(VkToHidUsage(0xF1, layout), 0xF3) << layout;
        EXPECT_EQ(VkToHidUsage(0xF2, layout), 0xF2) << layout;
        EXPECT_EQ(HidUsageToVk(0xF1, layout), 0xF0) << layout;
        EXPECT_EQ(HidUsageToVk(0xF3, layout), 0xF1) << layout;
        EXPECT_EQ(HidUsageToVk(0xF2, layout), 0xF2) << layout;
        EXPECT_EQ(HidUsageToVk(0xF0, layout), 0xF0) << layout;
        EXPECT_EQ(HidUsageToVk(0xF4, layout), 0xF4) << layout;
    }
}

// Forward and reverse maps are transcribed separately; a key that converts to a usage must
// read back as the same key, except where a layout deliberately differs.
TEST(KeyCodes, EveryMappedKeyRoundTripsExceptTheKnownIrregularities) {
    struct Irregular {
        int layout;
        std::uint8_t vk;
        std::uint8_t readBack;
        bool operator==(const Irregular&) const = default;
    };
    const std::vector<Irregular> known = {
        {kFr, 0xA5, 0xA2},    // right Alt reads back as left Ctrl
        {kFr, 0xBD, 0xDB},    // OEM minus shares usage 0x2D with the ")" key
        {kRu, 0xBD, 0x6D},    // OEM minus round-trips to keypad minus
        {kRu, 0xDF, 0xBB},    // OEM 8 round-trips to the "=" key
        {kTu, 0xBD, 0x6D},    // to keypad minus
        {kTu, 0xDF, 0x6A},    // to keypad asterisk
        {kPo, 0xDF, 0x6A},    // to keypad asterisk
        {kPobr, 0xDF, 0x6A},  // to keypad asterisk
        {kNlbe, 0x4D, 0xBC},  // M keeps usage 0x10, which reads back as OEM comma
        {kNlbe, 0xBD, 0x2E},  // usage 0x2E is left unchanged by the reverse map
        {kSl, 0xBB, 0xDF},    // OEM plus shares usage 0x2E with OEM 8
        {kHun, 0x59, 0x5A},   // Y and Z are swapped in the reverse map only
        {kHun, 0x5A, 0x59},
    };
    std::vector<Irregular> found;
    for (int layout = 0; layout <= 26; ++layout) {
        if (layout == kNoLayout) {
            continue;
        }
        for (int code = 0; code < 256; ++code) {
            const auto vk = static_cast<std::uint8_t>(code);
            const auto usage = VkToHidUsage(vk, layout);
            if (usage == vk) {
                continue;  // passed through: not a mapped key
            }
            if (const auto back = HidUsageToVk(usage, layout); back != vk) {
                found.push_back({layout, vk, back});
            }
        }
    }
    EXPECT_EQ(found, known);
}

TEST(KeyCodes, KeyboardPictureAndMultimediaTables) {
    EXPECT_EQ(VkToHidUsage(KeyPositionToVk(0), kEn), 0x29);
    EXPECT_EQ(VkToHidUsage(KeyPositionToVk(0), kFr), 0x29);
    EXPECT_EQ(VkToHidUsage(KeyPositionToVk(30), kCn), 0x14);
    EXPECT_EQ(VkToHidUsage(KeyPositionToVk(30), kFr), 0x04);
    EXPECT_EQ(KeyPositionToVk(79), 0xFF);
    EXPECT_EQ(KeyPositionToVk(-1), 0xFF);
    EXPECT_EQ(VkToHidUsage(KeyPositionToVk(79), kEn), 0xFF);
    EXPECT_EQ(KeyPositionToVk(78), 0x28);
    EXPECT_EQ(MediaKeyToConsumerUsage(0), 0x223);
    EXPECT_EQ(MediaKeyToConsumerUsage(10), 0xB7);
    EXPECT_EQ(MediaKeyToConsumerUsage(11), 0);

    int layout = kEn;
    const MacVkAndText keys([&] { return layout; });
    EXPECT_EQ(keys.KeyPositionToHidUsage(30), 0x14);
    layout = kFr;  // the layout is read anew at every call
    EXPECT_EQ(keys.KeyPositionToHidUsage(30), 0x04);
    EXPECT_EQ(keys.HidUsageToVk(0x14), 0x41);
}

}  // namespace
}  // namespace novu
