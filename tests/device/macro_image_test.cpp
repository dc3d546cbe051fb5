#include "device/macro_image.h"

#include <gtest/gtest.h>

#include <vector>

#include "device/fake_macro_sources.h"
#include "device/upload_plan.h"
#include "input/key_codes.h"

namespace novu {
namespace {

using test::FakeMacroSources;
using test::MakeLongMacro;
using test::MakeMacro;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kArea = 0x0400;

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t count) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                 bytes.begin() + static_cast<std::ptrdiff_t>(from + count));
}

// The step entries of a one-step macro played by count.
struct StepCase {
    const char* what;
    MacroEvent step;
    Bytes entries;
    int n;
};

TEST(MacroRegionTest, StepEntries) {
    Bytes clamped = {0xDE, 0x04};  // 10 000 ms: 78 chunks, 94 units left on the step
    for (int c = 0; c < 78; ++c) {
        clamped.insert(clamped.end(), {0x7F, 0x00});
    }
    const StepCase cases[] = {
        {"key press 100 ms", {1, 0x04, 0, 0, 100}, {0xE4, 0x04}, 1},
        {"key release 100 ms", {2, 0x04, 0, 0, 100}, {0x64, 0x04}, 1},
        {"left button press", {1, 0xF1, 0, 0, 5}, {0x85, 0xF1}, 1},
        {"pure delay 300 ms", {0, 0x00, 0, 0, 300}, {0x2E, 0, 0x7F, 0, 0x7F, 0}, 3},
        {"254 ms", {2, 0x04, 0, 0, 254}, {0x7F, 0x04, 0x7F, 0, 0, 0}, 3},
        {"0 ms", {1, 0x04, 0, 0, 0}, {0x81, 0x04}, 1},
        {"20 000 ms", {1, 0x04, 0, 0, 20000}, clamped, 79},
        {"move X+5 Y-3", {5, 0xF6, 5, 3, 10}, {0x0A, 0xF6, 0x05, 0x00, 0xFD, 0xFF}, 1},
        {"move X-300 Y+2", {4, 0xF6, 300, 2, 10}, {0x0A, 0xF6, 0xD4, 0xFE, 0x02, 0x00}, 1},
        {"move without direction", {0, 0xF6, 5, 5, 10}, {0x0A, 0xF6, 0, 0, 0, 0}, 1},
        {"set DPI", {9, 0xF8, 3, 0, 10}, {0x8A, 0xF8, 0x03, 0x00}, 1},
        {"restore DPI", {10, 0xF8, 3, 0, 10}, {0x0A, 0xF8, 0x03, 0x00}, 1},
        {"key without press or release", {0, 0x04, 0, 0, 10}, {}, 1},
        {"counted code", {3, 0xF7, 0, 0, 10}, {}, 1},
    };
    for (const StepCase& c : cases) {
        const MacroRecord record = MakeMacro({c.step}, 0, 3);
        const MacroRegionImage region = EncodeMacroRegion(record, MacroKind::User, kArea);
        EXPECT_EQ(Slice(region.bytes, 0, 2), (Bytes{3, 0})) << c.what;
        EXPECT_EQ(Slice(region.bytes, 2, c.entries.size()), c.entries) << c.what;
        EXPECT_EQ(region.stepEntries, c.n) << c.what;
        EXPECT_TRUE(region.warnings.empty()) << c.what;
    }
}

TEST(MacroRegionTest, RegionSizes) {
    struct Case {
        const char* what;
        MacroRecord record;
        MacroKind kind;
        std::size_t size;
        int n;
    };
    const MacroEvent key{1, 0x04, 0, 0, 10};
    const MacroEvent move{6, 0xF6, 1, 1, 10};
    MacroRecord understated = MakeMacro({move, move, move});
    understated.moveCount = 0;  // entries need 20 bytes, the counters say 8
    MacroRecord overstated = MakeMacro({key});
    overstated.countF7 = 5;
    const Case cases[] = {
        {"3 steps: T = 8 reserves a full 8 more", MakeMacro({key, key, key}), MacroKind::User, 16,
         3},
        {"2 steps: T = 6", MakeMacro({key, key}), MacroKind::User, 8, 2},
        {"7 steps, one move: T = 20", MakeMacro({key, key, key, key, key, key, move}),
         MacroKind::User, 24, 7},
        {"empty user macro counts 3 entries", MacroRecord{}, MacroKind::User, 16, 3},
        {"empty preset counts 3 entries", MacroRecord{}, MacroKind::Preset, 16, 3},
        {"empty built-in counts none", MacroRecord{}, MacroKind::Builtin, 8, 0},
        {"counters below the steps: room for every entry", understated, MacroKind::User, 24, 3},
        {"counters above the steps: reserved anyway", overstated, MacroKind::User, 16, 1},
    };
    for (const Case& c : cases) {
        const MacroRegionImage region = EncodeMacroRegion(c.record, c.kind, kArea);
        EXPECT_EQ(region.bytes.size(), c.size) << c.what;
        EXPECT_EQ(region.stepEntries, c.n) << c.what;
    }
    const MacroRegionImage region = EncodeMacroRegion(understated, MacroKind::User, kArea);
    EXPECT_EQ(Slice(region.bytes, 14, 6), (Bytes{0x0A, 0xF6, 1, 0, 1, 0}))
        << "the last move is whole, not cut by the region's end";
}

TEST(MacroRegionTest, PlayCountByModeAndKind) {
    MacroRecord record = MakeMacro({{1, 0x04, 0, 0, 50}}, 1, 7);
    EXPECT_EQ(EncodeMacroRegion(record, MacroKind::User, kArea).bytes[0], 1);
    EXPECT_EQ(EncodeMacroRegion(record, MacroKind::Builtin, kArea).bytes[0], 7)
        << "built-ins are written as played by count";
    record.playMode = 3;
    EXPECT_EQ(EncodeMacroRegion(record, MacroKind::Preset, kArea).bytes[0], 7);
    record.playMode = 2;
    EXPECT_EQ(EncodeMacroRegion(record, MacroKind::Preset, kArea).bytes[0], 1);
}

TEST(MacroRegionTest, LightingBlocksAreCopiedBehindTheEntries) {
    MacroRecord record = MakeMacro(
        {{1, 0x04, 0, 0, 10}, {14, 0xF9, 1, 0, 10}, {2, 0x04, 0, 0, 10}, {13, 0xF9, 0, 0, 10}});
    record.ledCount = 2;
    record.ledBlocks[0] = {2, 9, 9, 9, 5, 3, 10, 0, 0x11, 0x12, 0x13, 0x14, 0x99};  // n = 2
    record.ledBlocks[1] = {1, 0, 0, 0, 7, 1, 4, 0, 0x55};                           // n = 1
    const MacroRegionImage region = EncodeMacroRegion(record, MacroKind::User, 0x0500);

    // Entries: 2 + 2 + 4 + 2 + 4 = 14 bytes, so the lighting area starts at 16. Block 1 (8
    // bytes) is copied first, then block 0 (12 bytes, padded to 16).
    EXPECT_EQ(Slice(region.bytes, 4, 4), (Bytes{0x0A, 0xF9, 0x10, 0x40 + 0x05})) << "slot 1";
    EXPECT_EQ(Slice(region.bytes, 10, 4), (Bytes{0x0A, 0xF9, 0x18, 0x05})) << "slot 0";
    EXPECT_EQ(Slice(region.bytes, 16, 8), (Bytes{0, 0, 0, 0, 7, 1, 4, 0}))
        << "4n + 4 bytes with n - 1 first: the 0x55 at byte 8 stays behind";
    EXPECT_EQ(Slice(region.bytes, 24, 16),
              (Bytes{1, 9, 9, 9, 5, 3, 10, 0, 0x11, 0x12, 0x13, 0x14, 0, 0, 0, 0}));
    // Sizing: T = 2 + 8 + 2 x 2 = 14 -> 16; block 0 (s = 12) 16; block 1 (s = 8) 8 + 16.
    EXPECT_EQ(region.bytes.size(), 16u + 16 + 24);
    EXPECT_TRUE(region.warnings.empty());
}

TEST(MacroRegionTest, LightingStepsTheMouseCannotTake) {
    const MacroEvent longLighting{13, 0xF9, 0, 0, 300};
    MacroRecord noBlocks = MakeMacro({longLighting, {1, 0x04, 0, 0, 10}});
    noBlocks.ledCount = 0;
    MacroRegionImage region = EncodeMacroRegion(noBlocks, MacroKind::User, kArea);
    EXPECT_EQ(region.warnings, (std::vector<int>{6}));
    EXPECT_EQ(Slice(region.bytes, 2, 6), (Bytes{0x7F, 0, 0x7F, 0, 0x8A, 0x04}))
        << "no entry of its own, its delay chunks stay";
    EXPECT_EQ(region.stepEntries, 4);

    MacroRecord wrongType = MakeMacro({{16, 0xF9, 0, 0, 10}});
    wrongType.ledBlocks[0][0] = 1;
    region = EncodeMacroRegion(wrongType, MacroKind::User, kArea);
    EXPECT_EQ(region.warnings, (std::vector<int>{6}));
    EXPECT_EQ(Slice(region.bytes, 2, 4), (Bytes{0x0A, 0xF9, 0x08, 0x04})) << "slot 0";
    EXPECT_FALSE(region.failureTip);

    MacroRecord noSuchBlock = MakeMacro({{13, 0xF9, 7, 0, 10}});
    region = EncodeMacroRegion(noSuchBlock, MacroKind::User, kArea);
    EXPECT_EQ(region.warnings, (std::vector<int>{6})) << "block index beyond the five blocks";
    EXPECT_EQ(Slice(region.bytes, 2, 2), (Bytes{0, 0}));

    MacroRecord hugeCount = MakeMacro({{13, 0xF9, 4, 0, 10}});
    hugeCount.ledBlocks[4].fill(0xEE);
    hugeCount.ledBlocks[4][0] = 40;  // 164 bytes claimed of a 68-byte block
    region = EncodeMacroRegion(hugeCount, MacroKind::User, kArea);
    EXPECT_EQ(region.bytes[8], 39);
    EXPECT_EQ(region.bytes[8 + 67], 0xEE);
    EXPECT_EQ(Slice(region.bytes, 8 + 68, 96), Bytes(96, 0)) << "nothing read past the block";

    region = EncodeMacroRegion(wrongType, MacroKind::User, 0x3FF8);
    EXPECT_EQ(region.failureTip, 6) << "a block address needs 14 bits";
}

TEST(MacroRegionTest, ShortWhileHeldMacrosAreRepeated) {
    MacroRecord record = MakeMacro({{1, 0x04, 0, 0, 4}, {6, 0xF6, 2, 2, 3}, {13, 0xF9, 0, 0, 2}},
                                   play_mode::kWhileHeld);
    record.ledBlocks[0][0] = 1;
    MacroRecord repeated = record;
    RepeatForHold(repeated);  // 1 + 9 = 10 ms: 40 / 10 = 4 copies
    EXPECT_EQ(repeated.eventCount, 12);
    EXPECT_EQ(repeated.moveCount, 4);
    EXPECT_EQ(EventAt(repeated, 3), EventAt(record, 0));
    EXPECT_EQ(EventAt(repeated, 10), EventAt(record, 1));
    EXPECT_EQ(EventAt(repeated, 5), (MacroEvent{13, 0x00, 0, 0, 2})) << "lighting -> delay";
    EXPECT_EQ(EventAt(repeated, 2).code, 0xF9) << "the original step stays";

    const MacroRegionImage region = EncodeMacroRegion(record, MacroKind::User, kArea);
    EXPECT_EQ(region.stepEntries, 12);
    EXPECT_EQ(region.bytes[0], 1);

    record.playMode = play_mode::kWhileHeld | 0x04;  // only a play mode of exactly 2 repeats
    EXPECT_EQ(EncodeMacroRegion(record, MacroKind::User, kArea).stepEntries, 3);
    record.playMode = play_mode::kWhileHeld;
    EXPECT_EQ(EncodeMacroRegion(record, MacroKind::Builtin, kArea).stepEntries, 3);

    MacroRecord instant = MakeLongMacro(200, play_mode::kWhileHeld);
    for (int j = 0; j < 200; ++j) {
        instant.eventDelay[static_cast<std::size_t>(j)] = 0;
    }
    RepeatForHold(instant);
    EXPECT_EQ(instant.eventCount, 275);

    MacroRecord longEnough = MakeMacro({{1, 0x04, 0, 0, 20}}, play_mode::kWhileHeld);
    RepeatForHold(longEnough);  // 40 / 21 = 1: no copy
    EXPECT_EQ(longEnough.eventCount, 1);
}

class MacroTableTest : public ::testing::Test {
protected:
    void Assign(int profile, int key, std::int32_t code, std::int32_t leftMac = 0) {
        MacroCatalog catalog(sources);
        const std::uint8_t mode =
            MacroKindOf(code) != MacroKind::None ? catalog.Record(code).playMode : 0;
        keys.keyType[static_cast<std::size_t>(profile)][static_cast<std::size_t>(key)] =
            DeviceKeyType(code, leftMac, mode);
        keys.keyCode[static_cast<std::size_t>(profile)][static_cast<std::size_t>(key)] = code;
    }
    MacroImage Build() {
        MacroCatalog catalog(sources);
        return BuildMacroImage(keys, catalog, 0);
    }
    static Bytes Descriptor(const MacroImage& image, int profile, int key) {
        const auto at = static_cast<std::size_t>((profile * 14 + key) * 10);
        return Bytes(image.descriptors.begin() + static_cast<std::ptrdiff_t>(at),
                     image.descriptors.begin() + static_cast<std::ptrdiff_t>(at + 10));
    }

    FakeMacroSources sources;
    KeyTables keys;
};

TEST_F(MacroTableTest, DescriptorsAndSharedRegions) {
    MacroRecord flagged = MakeLongMacro(130, play_mode::kWhileHeld | 0x04 | 0x08);
    flagged.eventDelay[0] = 100;  // long enough not to be repeated
    flagged.yOffsetEnabled = 1;
    flagged.yOffset = 10;
    sources.groups = {{flagged, MakeMacro({{1, 0x04, 0, 0, 10}}, play_mode::kUntilPressed)}};
    for (int i = 0; i < 21; ++i) {
        sources.presets.push_back(MakeMacro({{1, 0x05, 0, 0, 10}}));
    }
    Assign(0, 0, 256);
    Assign(0, 1, 12);    // no descriptor
    Assign(0, 12, 256);  // hardware key 13: same region, no flags
    Assign(1, 3, 25);
    Assign(1, 4, 70);
    Assign(2, 0, 256);
    Assign(3, 2, 257);

    const MacroImage image = Build();
    ASSERT_FALSE(image.failureTip);
    // 130 entries: T = 262 -> 264 bytes at 0x400; preset 20 (8 bytes) at 0x508; macro 257
    // at 0x510.
    EXPECT_EQ(Descriptor(image, 0, 0),
              (Bytes{0, 0x80 + 2, 0xFF, 0, 0, 0x00, 0x40 + 0x04, 0x40 + 1, 0x8A, 0}));
    EXPECT_EQ(Descriptor(image, 0, 1), Bytes(10, 0));
    EXPECT_EQ(Descriptor(image, 0, 12), (Bytes{0, 2, 0xFF, 0, 0, 0x00, 0x04, 1, 0x8A, 0}));
    EXPECT_EQ(Descriptor(image, 1, 3), (Bytes{0, 0, 0xFF, 0x8A, 0x01, 0x08, 0x05, 0, 0, 0}))
        << "multimedia: consumer usage, the pointer as it stands, no macro fields";
    const std::uint8_t usage = VkToHidUsage(KeyPositionToVk(0), 0);
    EXPECT_EQ(Descriptor(image, 1, 4), (Bytes{0, 1, usage, 0, 0, 0x08, 0x05, 0, 0, 0}))
        << "code 70 names keyboard position 0";
    EXPECT_EQ(Descriptor(image, 2, 0), Descriptor(image, 0, 0)) << "shared region";
    EXPECT_EQ(Descriptor(image, 3, 2), (Bytes{0, 1, 0xFF, 0, 0, 0x10, 0x80 + 0x05, 0, 0, 0}));

    ASSERT_EQ(image.regions.size(), 3u) << "one region per code";
    EXPECT_EQ(image.regions[0].address, 0x400);
    EXPECT_EQ(image.regions[1].address, 0x508);
    EXPECT_EQ(image.regions[2].address, 0x510);
    EXPECT_EQ(image.macroEnd, 0x518);
}

TEST_F(MacroTableTest, FlagsOfBuiltinsComeFromTheirPlayMode) {
    MacroRecord builtin = MakeMacro({{1, 0x04, 0, 0, 10}}, play_mode::kUntilPressed, 5);
    sources.builtins = {builtin};
    Assign(0, 3, 33, 1);
    Assign(0, 4, 49);  // index 16: built-in 0
    const MacroImage image = Build();
    EXPECT_EQ(Descriptor(image, 0, 3)[6], 0x80 + 0x04);
    EXPECT_EQ(Descriptor(image, 0, 4)[1], 1);
    EXPECT_EQ(image.regions.size(), 2u);
    EXPECT_EQ(image.regions[0].bytes[0], 5) << "region played by count";
    EXPECT_EQ(image.regions[1].bytes, image.regions[0].bytes);
}

// Region sizes of 250 steps of 200 ms (1008 bytes) and n steps of 200 ms.
TEST(MacroAreaTest, FullAreaWritesNothing) {
    FakeMacroSources sources;
    MacroRecord big = MakeLongMacro(250);
    MacroRecord rest = MakeLongMacro(206);
    for (auto* record : {&big, &rest}) {
        for (auto& delay : record->eventDelay) {
            delay = 200;
        }
    }
    ASSERT_EQ(EncodeMacroRegion(big, MacroKind::User, kArea).bytes.size(), 1008u);
    ASSERT_EQ(EncodeMacroRegion(rest, MacroKind::User, kArea).bytes.size(), 832u);
    sources.groups = {{big, big, rest}};

    UploadInput input;
    input.device.KEYNUM = 3;
    input.device.KEYMAP = {1, 2, 3};
    input.settings.profiles[0].K = {256, 257, 258};
    input.settings.profiles[1].K = {258, 260, 0};  // 260 is dead: replaced, not fatal
    UploadPlan plan = BuildUploadPlan(input, sources);
    EXPECT_EQ(plan.failureTip, 29) << "2848 bytes reach 0x0F20";
    EXPECT_TRUE(plan.blocks.empty());
    EXPECT_EQ(plan.deadCodes, (std::vector<DeadCode>{{1, 1, 260}}));

    rest = MakeLongMacro(205);
    for (auto& delay : rest.eventDelay) {
        delay = 200;
    }
    sources.groups = {{big, big, rest}};
    plan = BuildUploadPlan(input, sources);
    ASSERT_TRUE(plan.Fits());
    EXPECT_EQ(plan.macroEnd, 0x0400 + 2840);
    EXPECT_EQ(plan.blocks.back().address, 0x0F10);
    EXPECT_EQ(plan.blocks.back().length, 8);
    EXPECT_EQ(plan.blocks.size(), 89u + 2840 / 8);
}

TEST(MacroAreaTest, EachMacroIsReadOnce) {
    FakeMacroSources sources;
    sources.groups = {{MakeMacro({{1, 0x04, 0, 0, 10}})}};
    UploadInput input;
    input.device.KEYNUM = 2;
    input.device.KEYMAP = {1, 2};
    for (auto& profile : input.settings.profiles) {
        profile.K = {256, 256};
    }
    const UploadPlan plan = BuildUploadPlan(input, sources);
    EXPECT_EQ(sources.reads, 1);
    EXPECT_EQ(plan.macroEnd, 0x0408);
}

}  // namespace
}  // namespace novu
