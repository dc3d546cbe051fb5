#include "device/memory_image.h"

#include <gtest/gtest.h>

#include <vector>

#include "device/fake_macro_sources.h"
#include "device/macro_image.h"
#include "device/twelve_buttons.h"
#include "device/upload_plan.h"

namespace novu {
namespace {

using test::FakeMacroSources;
using test::MakeMacro;
using test::TwelveButtons;
namespace kt = device_key_type;

const MacroEvent kKeyA{step_type::kPress, 0x04, 0, 0, 10};

class MemoryImageTest : public ::testing::Test {
protected:
    std::vector<std::uint8_t> Memory() {
        UploadInput input{settings, device, variant, 11, previousMacroEnd};
        plan = BuildUploadPlan(input, sources);
        std::vector<std::uint8_t> memory(0x10000);
        ApplyPlan(plan, memory);
        return memory;
    }
    KeyDerivation Derive() {
        MacroCatalog catalog(sources);
        return DeriveKeyTables(settings, device, catalog);
    }
    ProfileSettings& Profile(int p) { return settings.profiles[static_cast<std::size_t>(p)]; }

    Settings settings;
    DeviceDescription device = TwelveButtons();
    FakeMacroSources sources;
    int variant = 1;
    std::uint16_t previousMacroEnd = 0;
    UploadPlan plan;
};

TEST(DeviceKeyTypeTest, FunctionCodesWithoutMacro) {
    struct Case {
        std::int32_t code;
        std::uint8_t type;
    };
    const Case cases[] = {
        {0, 0x00},  {1, 0x01},     {6, 0x06},     {7, 0x02},  {12, 0x07},     {14, 0x09},
        {15, 0x15}, {16, 0x0B},    {17, 0x0C},    {18, 0x14}, {19, 0x17},     {20, 0x18},
        {22, 0x1A}, {23, 0x0F},    {25, 0x0F},    {32, 0x0F}, {30000, 0x00},  {30001, 0x00},
        {30004, 0}, {40000, 0x16}, {40001, 0x00}, {-1, 0x00}, {29999 + 1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DeviceKeyType(c.code, 0, 0), c.type) << "code " << c.code;
    }
}

TEST(DeviceKeyTypeTest, MacroRuleByHoldModeAndHost) {
    struct Case {
        std::int32_t code;
        std::int32_t leftMac;
        std::uint8_t playMode;
        std::uint8_t type;
    };
    const Case cases[] = {
        {60, 0, 2, kt::kHeldHostMacro},  // recoil presets are played on the host
        {60, 0, 0, kt::kHostMacro},
        {300, 0, 2, kt::kHeldUserMacro},  // user macro repeated while held
        {300, 0, 1, kt::kDeviceMacro},
        {300, 1, 2, kt::kHeldHostMacro},  // LEFT_MAC moves it to the host
        {300, 1, 1, kt::kHostMacro},
        {33, 0, 2, kt::kDeviceMacro},  // built-ins held without host stay 0x0D
        {33, 1, 0, kt::kHostMacro},
        {300, 0, 6, kt::kHeldUserMacro},  // only bits 0..1 decide
        {300, 0, 3, kt::kDeviceMacro},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DeviceKeyType(c.code, c.leftMac, c.playMode), c.type)
            << c.code << " LEFT_MAC " << c.leftMac << " mode " << int{c.playMode};
    }
}

TEST_F(MemoryImageTest, CodesNamingNothingBecomeZero) {
    sources.groups = {{MakeMacro({kKeyA})}, {MakeMacro({kKeyA}), MakeMacro({kKeyA})}};
    sources.presets = {MakeMacro({kKeyA}, 2)};
    Profile(0).K = {0x0203, 0x0202, 50, 51, 0x0303, 0x0100, 0x0400, 33, 49};
    Profile(2).K[5] = 0x0203;

    const KeyDerivation derived = Derive();
    // Group 1 has 2 macros: index 3 is past it, index 2 still names its empty record (the
    // count is compared with "above"); preset 1 does not exist; group 2 has no macros;
    // group 3 is past the groups; built-ins never die.
    const std::vector<DeadCode> expected = {
        {0, 0, 0x0203}, {0, 3, 51}, {0, 4, 0x0303}, {0, 6, 0x0400}, {2, 5, 0x0203}};
    EXPECT_EQ(derived.deadCodes, expected);
    const auto& types = derived.tables.slotType[0];
    EXPECT_EQ(types[0], kt::kNone);
    EXPECT_EQ(types[1], kt::kDeviceMacro);
    EXPECT_EQ(types[2], kt::kHeldHostMacro);
    EXPECT_EQ(types[3], kt::kNone);
    EXPECT_EQ(types[5], kt::kDeviceMacro);
    EXPECT_EQ(types[7], kt::kDeviceMacro);
    EXPECT_EQ(derived.tables.keyCode[0][0], 0);

    sources.groups[1].push_back(MakeMacro({kKeyA}, 2));
    const KeyDerivation threeMacros = Derive();
    EXPECT_EQ(threeMacros.deadCodes.front(), (DeadCode{0, 3, 51})) << "3 macros: 0x0203 stays";
    EXPECT_EQ(threeMacros.tables.slotType[0][0], kt::kDeviceMacro) << "as its empty record";

    sources.groups.clear();
    sources.presets.clear();
    const KeyDerivation none = Derive();
    EXPECT_EQ(none.deadCodes.size(), 8u) << "every preset and user code dies without tables";
}

TEST_F(MemoryImageTest, SlotsLandOnTheirHardwareKeys) {
    device.KEYNUM = 5;
    device.KEYMAP = {3, 0, 13, 14, 1, 7, 7, 7, 7, 7, 7, 7};  // slots 5.. are beyond KEYNUM
    Profile(1).K = {18, 7, 25, 300, 12, 2};
    Profile(1).LED_REACT_EN = {1, 1, 1, 1, 1, 1};
    Profile(1).LED_REACT_TYPE = {2, 3, 1, 0, 0, 0};
    sources.groups = {{}, {MakeMacro({kKeyA})}};  // 300 = group 0 macro 44: dead

    const KeyTables tables = Derive().tables;
    EXPECT_TRUE(tables.holdSignal[1][0]);
    EXPECT_FALSE(tables.holdSignal[1][1]);
    EXPECT_EQ(tables.slotType[1][1], 0x02) << "a slot without a key still gets its type";
    EXPECT_EQ(tables.keyByte[1][2], 0x80 + 0x20 + kt::kHoldSignal);
    EXPECT_EQ(tables.keyType[1][12], kt::kMultimedia) << "hardware key 13";
    EXPECT_EQ(tables.keyCode[1][13], 0) << "hardware key 14 holds the dead code as 0";
    EXPECT_EQ(tables.keyType[1][0], 0x07);
    EXPECT_EQ(tables.keyType[1][6], 0) << "slot 5 is beyond KEYNUM";
    EXPECT_EQ(tables.keyByte[0], (PerDeviceKey<std::uint8_t>{})) << "profile 0 untouched";

    // Device keys 12 and 13 have descriptors but no key bytes.
    const auto memory = Memory();
    EXPECT_EQ(memory[0x44 + 2], 0xB4);
    EXPECT_EQ(memory[0x44], 0x27);
    EXPECT_EQ(memory[0xA0 + (14 + 12) * 10 + 3], 0x8A) << "consumer usage of code 25";
}

TEST_F(MemoryImageTest, KeyBytesAndDpiEncodings) {
    sources.groups = {{MakeMacro({kKeyA}, 1)}};
    Profile(0).K[0] = 256;  // user macro, played by count on the mouse
    Profile(0).LED_REACT_EN[0] = 1;
    Profile(0).LED_REACT_TYPE[0] = 2;
    Profile(0).K[9] = 20;
    Profile(2).K[11] = 1;
    Profile(3).K[8] = 16;
    settings.shared.DPI_SET = {0, 4, 9, 10, 15, 16};
    settings.shared.DPI_SET_EN = {true, false, true, false, false, true};
    settings.shared.DPI_LEVEL = 4;
    settings.shared.FIRE_TIME = 50;

    const auto m = Memory();
    EXPECT_EQ(m[0x08], 0xAD) << "reactive type 2, reactive on, type 0x0D";
    EXPECT_EQ(m[0x3B], 0x18) << "profile 0 key 9";
    EXPECT_EQ(m[0x5B], 0x01) << "profile 2 key 11";
    EXPECT_EQ(m[0x68], 0x0B) << "profile 3 key 8";
    // Codes 1, 5, 10, 12, 17, 18.
    EXPECT_EQ(m[0x13], 0b110000);
    EXPECT_EQ(m[0x15], 0x15);
    EXPECT_EQ(m[0x16], 0xAC);
    EXPECT_EQ(m[0x17], 0x12);
    EXPECT_EQ(m[0x14], 0x08);
    EXPECT_EQ(m[0x18], 0x14);
    EXPECT_EQ(m[0x19], 0b100101);
    EXPECT_EQ(m[0x1A], 6);
    EXPECT_EQ(m[0x1B], 0);
    EXPECT_EQ(m[0x1E], 7);
}

TEST(DpiCodeTest, StepsToCodes) {
    const std::pair<int, int> cases[] = {{0, 1},   {9, 10},  {10, 12}, {16, 18},
                                         {17, 19}, {22, 24}, {23, 24}, {255, 24}};
    for (auto [step, code] : cases) {
        EXPECT_EQ(DpiCode(step), code) << "step " << step;
    }
}

TEST_F(MemoryImageTest, LightingFields) {
    struct Case {
        std::uint8_t ledType;
        std::uint8_t cycTime;
        std::uint8_t at1C;
        std::uint8_t at33;
    };
    const Case cases[] = {
        {0, 3, 0x83, 0x2D},
        {9, 2, 0x80 + 0x10 + 2, 0x2D + 0x80},  // bit 3 of the effect goes to 0x33
        {11, 5, 0x80 + 0x30 + 5, 0xAD},
        {12, 4, 0x80 + 0x10 + 0x08 + 4, 0x2D},  // effect 1 with the reactive bit
        {13, 1, 0x80 + 7, 0x2D},                // effect 0, speed 7
        {7, 13, 0x80 + 0x70 + 5, 0x2D},         // only 3 speed bits
    };
    for (const Case& c : cases) {
        settings.shared.LED_TYPE = c.ledType;
        settings.shared.LED_CYCTIME = c.cycTime;
        const auto m = Memory();
        EXPECT_EQ(m[0x1C], c.at1C) << "LED_TYPE " << int{c.ledType};
        EXPECT_EQ(m[0x33], c.at33) << "LED_TYPE " << int{c.ledType};
        EXPECT_EQ(m[0x32], 0xED);
    }

    settings.shared.cycleFlags = {true, false, true, false, false, false, true};
    settings.shared.CYC_7COL_EN = 0x7F;  // stale: the flags decide
    settings.shared.LED_FEATURE_SYMMETRY = 1;
    settings.shared.LED_FEATURE_DIREC = 2;
    settings.shared.LED_BRIGHT = 5;
    settings.shared.MODE_LIGHT = 1;
    settings.CurConfig = 2;
    settings.shared.LED_USER_R[6] = 0xA;
    settings.shared.LED_USER_G[6] = 0x3;
    settings.shared.LED_USER_B[6] = 0xC;
    const auto m = Memory();
    EXPECT_EQ(m[0x1D], 0x80 + 0x45);
    EXPECT_EQ(m[0x3A], 64 + 32 + 11);
    EXPECT_EQ(m[0x3E], 0xA3);
    EXPECT_EQ(m[0x3F], 0x5C);
    EXPECT_EQ(m[0x76], 0x80 + 0x40 + 2);
    EXPECT_EQ(m[0x01], 2 * 32 + 3);
    EXPECT_EQ(plan.cycleMask, 0x45);
}

TEST_F(MemoryImageTest, ColourBytesPairUserAndDpiEntries) {
    for (int i = 0; i < 6; ++i) {
        settings.shared.DPI_R[static_cast<std::size_t>(i)] = i;
        settings.shared.DPI_G[static_cast<std::size_t>(i)] = 15 - i;
        settings.shared.DPI_B[static_cast<std::size_t>(i)] = 7;
        settings.shared.LED_USER_R[static_cast<std::size_t>(i)] = 1;
        settings.shared.LED_USER_G[static_cast<std::size_t>(i)] = 2;
        settings.shared.LED_USER_B[static_cast<std::size_t>(i)] = i + 8;
    }
    const auto m = Memory();
    for (int level = 0; level < 6; ++level) {
        const std::size_t at = 0x20 + 3 * static_cast<std::size_t>(level);
        EXPECT_EQ(m[at], 0x10 + level) << level;
        EXPECT_EQ(m[at + 1], 0x20 + 15 - level) << level;
        EXPECT_EQ(m[at + 2], (level + 8) * 16 + 7) << level;
    }
}

TEST_F(MemoryImageTest, MacroColoursFollowTheHardwareKeys) {
    device.KEYMAP = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    for (int s = 0; s < 12; ++s) {
        settings.shared.MAC_COR[static_cast<std::size_t>(s)] = s % 7;
    }
    device.KEYMAP[4] = 0;  // hardware key 5 has no slot: colour 0
    const auto m = Memory();
    // Byte j: key 2j+2 (slot 2j+1) + 8 x key 2j+3 (slot 2j+2).
    EXPECT_EQ(m[0x98], 1 + 8 * 2);
    EXPECT_EQ(m[0x99], 3 + 8 * 0);
    EXPECT_EQ(m[0x9A], 5 + 8 * 6);
    EXPECT_EQ(m[0x9B], 0 + 8 * 1);
    EXPECT_EQ(m[0x9C], 2 + 8 * 3);
    EXPECT_EQ(m[0x9D], 4);
    EXPECT_EQ(m[0x9E], 0);
}

TEST_F(MemoryImageTest, HeaderAndPointersWithoutMacros) {
    variant = 0;
    settings.CurConfig = 1;
    auto m = Memory();
    const std::vector<std::uint8_t> header(m.begin(), m.begin() + 8);
    EXPECT_EQ(header, (std::vector<std::uint8_t>{0x5A, 0x23, 0xA5, 0x40, 0x10, 0xFA, 0x30, 0}));
    EXPECT_EQ(plan.macroEnd, 0x0400);
    const std::vector<std::uint8_t> pointers(m.begin() + 0x6E, m.begin() + 0x7B);
    EXPECT_EQ(pointers, (std::vector<std::uint8_t>{0x00, 0x04, 0x08, 0x04, 0x10, 0x04, 0x18, 0x04,
                                                   0x41, 0x71, 0x00, 0x20, 0x04}));
    EXPECT_EQ(m[0x43], 0x7F);
    EXPECT_EQ(plan.blocks.size(), 89u);
    EXPECT_EQ(plan.blocks.front().address, 0x00);
    EXPECT_EQ(plan.blocks.front().length, 8);

    variant = 1;
    m = Memory();
    EXPECT_EQ(plan.blocks.size(), 89u);
    EXPECT_EQ(plan.blocks.front().address, 0x01);
    EXPECT_EQ(plan.blocks.front().length, 1);
    EXPECT_EQ(m[0x00], 0) << "variant 1 never writes address 0";
    EXPECT_EQ(m[0x01], 0x23);
}

TEST_F(MemoryImageTest, BlockOrderCarriesThePreviousMacroEnd) {
    sources.groups = {{MakeMacro({kKeyA, kKeyA, kKeyA})}};
    Profile(0).K[0] = 256;
    previousMacroEnd = 0x0ABC;
    Memory();
    std::vector<std::uint16_t> expected = {0x01};
    for (std::uint16_t a = 0x08; a <= 0x68; a += 8) {
        expected.push_back(a);
    }
    expected.push_back(0x98);
    for (std::uint16_t a = 0xA0; a < 0xA0 + 560; a += 8) {
        expected.push_back(a);
    }
    expected.insert(expected.end(), {0x6E, 0x70, 0x78, 0x7F, 0x400, 0x408});
    std::vector<std::uint16_t> addresses;
    for (const BlockWrite& block : plan.blocks) {
        addresses.push_back(block.address);
    }
    EXPECT_EQ(addresses, expected);
    const BlockWrite& last = plan.blocks[13];
    EXPECT_EQ(last.address, 0x68);
    EXPECT_EQ(last.data[6], 0xBC);
    EXPECT_EQ(last.data[7], 0x0A);
    const BlockWrite& end = plan.blocks[13 + 1 + 70 + 1];
    EXPECT_EQ(end.address, 0x6E);
    EXPECT_EQ(end.Bytes().size(), 2u);
    EXPECT_EQ(end.data[0], 0x10) << "E = 0x0410 after a 16-byte region";
    EXPECT_EQ(end.data[1], 0x04);
    EXPECT_EQ(plan.WriteReports(), 865 + 2 * 10) << "variant 1: a 1-byte header";
}

}  // namespace
}  // namespace novu
