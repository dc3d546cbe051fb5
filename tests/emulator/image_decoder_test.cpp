#include "emulator/image_decoder.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace novu {
namespace {

// A hand-built memory image.
struct Image {
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(kImageSize, 0);

    void Put(std::size_t address, std::initializer_list<std::uint8_t> values) {
        for (std::uint8_t v : values) {
            bytes[address++] = v;
        }
    }
    DecodedImage Decode() const {
        auto decoded = DecodeImage(bytes);
        EXPECT_TRUE(decoded.ok());
        return decoded.ok() ? *decoded : DecodedImage{};
    }
};

TEST(ImageDecoder, SettingsOfTheMemoryMap) {
    Image image;
    image.Put(0x00, {0x5A, 0x63, 0xA5, 0x40, 0x10, 0xFA, 0x30, 0x00});
    // DPI codes 1, 5, 10, 12, 17, 18: bit 4 of the last two at 0x13, low nibbles in pairs.
    image.Put(0x13, {0b110000, 0x08, 0x15, 0xAC, 0x12, 0x14, 0x3F, 0x06, 0x00});
    image.Put(0x1C, {0x80 | 1 << 4 | 0x08 | 3, 0x80 | 0x45, 0x07});
    image.Put(0x32, {0xED, 0x80 | 0x2D});
    image.Put(0x3A, {0x40 | 0x20 | 11});
    // Colour byte x = user entry x x 16 + DPI entry x: level 0 red 1 / user 0 red 2, level 5
    // blue 15 / user 5 blue 9.
    image.Put(0x20, {0x21});
    image.Put(0x31, {0x9F});
    image.Put(0x3E, {0x4C, 0x57});  // seventh user colour R4 G12, brightness 5, blue 7
    image.Put(0x6E, {0x00, 0x04, 0x08, 0x04, 0x10, 0x04, 0x18, 0x04, 0xC2, 0x71, 0x00, 0x20, 0xC4});
    image.Put(0x98, {0x0A, 0x00, 0x00, 0x00, 0x30, 0x06});
    image.Put(0x3B, {0x00, 0xAD});  // profile 0, key 10
    image.Put(0x48, {0x17});        // profile 1, key 4
    image.Put(0x6B, {0x0F});        // profile 3, key 11

    const DecodedImage d = image.Decode();
    EXPECT_EQ(d.header.profile, 3);
    EXPECT_EQ(d.header.productId, 0x1040);
    EXPECT_EQ(d.header.vendorId, 0x30FA);
    EXPECT_EQ(d.dpi.codes, (std::array<std::uint8_t, 6>{1, 5, 10, 12, 17, 18}));
    EXPECT_EQ(d.dpi.level, 4);
    EXPECT_EQ(d.dpi.enableMask, 0x3F);
    EXPECT_EQ(d.fireInterval, 6);

    EXPECT_EQ(d.lighting.effect, 9);  // low bits at 0x1C, bit 3 at 0x33
    EXPECT_TRUE(d.lighting.reactive);
    EXPECT_EQ(d.lighting.speed, 3);
    EXPECT_TRUE(d.lighting.userColoursEnabled);
    EXPECT_EQ(d.lighting.cycleMask, 0x45);
    EXPECT_EQ(d.lighting.rateCode, 7);
    EXPECT_EQ(d.lighting.effectMask, 0x2DED);
    EXPECT_TRUE(d.lighting.symmetry);
    EXPECT_EQ(d.lighting.direction, 2);
    EXPECT_EQ(d.lighting.mode, 11);
    EXPECT_EQ(d.lighting.brightness, 5);
    EXPECT_TRUE(d.lighting.off);

    EXPECT_EQ(d.dpiColours[0].red, 1);
    EXPECT_EQ(d.userColours[0].red, 2);
    EXPECT_EQ(d.dpiColours[5].blue, 15);
    EXPECT_EQ(d.userColours[5].blue, 9);
    EXPECT_EQ(d.userColours[6].red, 4);
    EXPECT_EQ(d.userColours[6].green, 12);
    EXPECT_EQ(d.userColours[6].blue, 7);

    EXPECT_EQ(d.pointers.macroEnd, 0x0400);
    EXPECT_EQ(d.pointers.lightingBlocks, (std::array<std::uint16_t, 3>{0x0408, 0x0410, 0x0418}));
    EXPECT_EQ(d.pointers.modeByte, 0xC2);
    EXPECT_EQ(d.pointers.q, 0x0420);  // the two top bits of 0x7A are not part of Q

    EXPECT_EQ(d.macroColours[2], 2);
    EXPECT_EQ(d.macroColours[3], 1);
    EXPECT_EQ(d.macroColours[11], 6);
    EXPECT_EQ(d.macroColours[10], 0);
    EXPECT_EQ(d.macroColours[12], 6);

    const ImageKey reactive = d.profiles[0].keys[10];
    EXPECT_EQ(reactive.type, 0x0D);
    EXPECT_TRUE(reactive.reactive);
    EXPECT_EQ(reactive.reactiveType, 2);
    EXPECT_EQ(d.profiles[1].keys[4].type, 0x17);
    EXPECT_EQ(d.profiles[3].keys[11].type, 0x0F);
    EXPECT_EQ(d.profiles[2].keys[0].byte, 0);
    EXPECT_TRUE(d.regions.empty());
}

TEST(ImageDecoder, DescriptorsAndTheirRegionDecodeIntoSteps) {
    Image image;
    // Profile 2, device key 5, and profile 3, device key 13, name the region at 0x0400.
    const std::size_t first = 0xA0 + (2 * 14 + 5) * 10;
    image.Put(first,
              {0x00, 0x80 | 7, 0xFF, 0xE9, 0x00, 0x00, 0x80 | 0x40 | 0x04, 0x40, 0x80 | 3, 0});
    const std::size_t second = 0xA0 + (3 * 14 + 13) * 10;
    image.Put(second, {0x00, 7, 0xFF, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0});
    // A key without a macro carries only the allocation pointer.
    image.Put(0xA0 + 10, {0x00, 0x00, 0xFF, 0x00, 0x00, 0x08, 0x04, 0x00, 0x00, 0});

    image.Put(0x0400, {
                          0x01,       0x00,                          // play count 1
                          100 + 0x80, 0x04,                          // press A, 100 ms
                          100,        0x04,                          // release A, 100 ms
                          10,         0xF6, 0x05, 0x00, 0xFD, 0xFF,  // move X+5 Y-3
                          46,         0x00, 127,  0x00, 127,  0x00,  // 300 ms: 46 + two chunks
                          5,          0xF9, 0x18, 0x44,  // lighting block 0x0418, slot 1
                      });
    image.Put(0x0418, {0x01, 0x00, 0x00, 0x00, 0x07, 0x02, 0x0A, 0x00, 0xFF, 0x00, 0x00, 0x00});

    const DecodedImage d = image.Decode();
    const MacroDescriptor& key = d.profiles[2].descriptors[5];
    EXPECT_TRUE(key.whileHeld);
    EXPECT_EQ(key.entryCount, 7);
    EXPECT_EQ(key.keyUsage, 0xFF);
    EXPECT_EQ(key.consumerUsage, 0x00E9);
    EXPECT_EQ(key.regionAddress, 0x0400);
    EXPECT_TRUE(key.repeatUntilPressed);
    EXPECT_TRUE(key.playModeBit2);
    EXPECT_TRUE(key.playModeBit3);
    EXPECT_TRUE(key.yOffsetEnabled);
    EXPECT_EQ(key.yOffset, 3);
    EXPECT_EQ(d.profiles[3].descriptors[13].region, key.region);  // one region, shared
    EXPECT_EQ(d.profiles[0].descriptors[1].region, -1);
    EXPECT_EQ(d.profiles[0].descriptors[1].regionAddress, 0x0408);

    ASSERT_EQ(d.regions.size(), 1u);
    const MacroRegion& region = d.regions[0];
    EXPECT_EQ(region.playCount, 1);
    ASSERT_EQ(region.steps.size(), 5u);
    using Kind = MacroStep::Kind;
    EXPECT_EQ(region.steps[0].kind, Kind::Press);
    EXPECT_EQ(region.steps[0].code, 0x04);
    EXPECT_EQ(region.steps[0].delayUnits, 100);
    EXPECT_EQ(region.steps[1].kind, Kind::Release);
    EXPECT_FALSE(region.steps[1].pressBit);
    EXPECT_EQ(region.steps[2].kind, Kind::Move);
    EXPECT_EQ(region.steps[2].x, 5);
    EXPECT_EQ(region.steps[2].y, -3);
    EXPECT_EQ(region.steps[3].kind, Kind::Delay);
    EXPECT_EQ(region.steps[3].extraDelay, (std::vector<std::uint8_t>{127, 127}));
    EXPECT_EQ(region.steps[3].TotalDelayUnits(), 300);
    EXPECT_EQ(region.steps[4].kind, Kind::Lighting);
    EXPECT_EQ(region.steps[4].blockAddress, 0x0418);
    EXPECT_EQ(region.steps[4].lightingSlot, 1);
    ASSERT_EQ(region.lightingBlocks.size(), 1u);
    EXPECT_EQ(region.lightingBlocks[0].entries, 2);
    EXPECT_EQ(region.lightingBlocks[0].bytes.size(), 12u);
}

// Chunks of a long delay: full ones, then at most one empty one; a step of its own carries at
// least one unit, so entries of 0 units never start a step of the encoder's making.
TEST(ImageDecoder, ExtraDelayChunksAttachToTheStepBeforeThem) {
    Image image;
    image.Put(0xA0, {0x00, 6, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0});
    image.Put(0x0400, {
                          0x05,
                          0x00,
                          127 + 0x80,
                          0xF1,  // left press, 254 ms: 127 + (127, 0) + (0, 0)
                          127,
                          0x00,
                          0,
                          0x00,
                          1,
                          0xF8,
                          0x03,
                          0x00,  // DPI restore
                          0x81,
                          0xF8,
                          0x04,
                          0x00,  // DPI set
                          2,
                          0xF3,
                      });
    const DecodedImage d = image.Decode();
    ASSERT_EQ(d.regions.size(), 1u);
    const auto& steps = d.regions[0].steps;
    EXPECT_EQ(d.regions[0].playCount, 5);
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(steps[0].code, 0xF1);
    EXPECT_EQ(steps[0].extraDelay, (std::vector<std::uint8_t>{127, 0}));
    EXPECT_EQ(steps[0].TotalDelayUnits(), 254);
    EXPECT_EQ(steps[1].kind, MacroStep::Kind::Dpi);
    EXPECT_FALSE(steps[1].pressBit);
    EXPECT_EQ(steps[1].dpiValue, 3);
    EXPECT_TRUE(steps[2].pressBit);
    EXPECT_EQ(steps[3].kind, MacroStep::Kind::Release);
    EXPECT_EQ(steps[3].code, 0xF3);
}

TEST(ImageDecoder, RefusesOtherSizesAndReadsEveryEntryTheDescriptorCounts) {
    EXPECT_FALSE(DecodeImage(std::vector<std::uint8_t>(100, 0)).ok());
    EXPECT_FALSE(DecodeImage(std::vector<std::uint8_t>(kImageSize + 1, 0)).ok());

    Image image;
    // N = 5 + 128 x 2 at the highest region address: a press, its empty chunk, then entries
    // of 0 units, each a step of its own.
    image.Put(0xA0, {0x00, 5, 0x00, 0x00, 0x00, 0xFF, 0x3F, 0x02, 0x00, 0});
    image.Put(0x3FFF + 2, {0x81, 0x04});
    const DecodedImage d = image.Decode();
    EXPECT_EQ(d.profiles[0].descriptors[0].entryCount, 261);
    ASSERT_EQ(d.regions.size(), 1u);
    const auto& steps = d.regions[0].steps;
    ASSERT_EQ(steps.size(), 260u);
    EXPECT_EQ(steps[0].extraDelay, (std::vector<std::uint8_t>{0}));
    EXPECT_EQ(steps[259].kind, MacroStep::Kind::Delay);
    EXPECT_TRUE(steps[259].extraDelay.empty());
}

}  // namespace
}  // namespace novu
