#include <gtest/gtest.h>

#include "base/recorded_notices.h"
#include "device/fake_macro_sources.h"
#include "device/mouse_rig.h"
#include "device/twelve_buttons.h"
#include "device/upload.h"
#include "emulator/image_decoder.h"

namespace novu {
namespace {

using test::MakeMacro;
using Kind = MacroStep::Kind;

// Settings -> full upload -> the virtual mouse's memory -> decoded image, compared with the
// settings the upload started from.
class UploadRoundTripTest : public ::testing::Test {
protected:
    UploadRoundTripTest() {
        store.SetDevice(test::TwelveButtons());

        MacroRecord a = MakeMacro({{1, 0x04, 0, 0, 100},
                                   {2, 0x04, 0, 0, 300},
                                   {4, 0xF6, 7, 9, 5},
                                   {9, 0xF8, 3, 0, 10},
                                   {14, 0xF9, 0, 0, 20},
                                   {1, 0xF1, 0, 0, 0},
                                   {2, 0xF1, 0, 0, 20000}},
                                  play_mode::kCount, 2);
        a.ledBlocks[0] = {2, 0, 0, 0, 5, 3, 10, 0, 0x21, 0x22, 0x23, 0x24};
        a.yOffsetEnabled = 1;
        a.yOffset = 12;
        MacroRecord b = MakeMacro({{1, 0x05, 0, 0, 4}, {2, 0x05, 0, 0, 3}}, play_mode::kWhileHeld);
        macros.groups = {{a, b}};
        macros.presets = {MakeMacro({{5, 0xF6, 0, 4, 30}}, play_mode::kUntilPressed)};
        macros.builtins = {MakeMacro({{1, 0x06, 0, 0, 10}})};

        store.Update([](Settings& s) {
            s.CurConfig = 2;
            s.profiles[0].K = {1, 256, 25, 18, 19, 22, 50, 33, 12, 40000, 0, 257};
            s.profiles[0].LED_REACT_EN = {1, 1, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1};
            s.profiles[0].LED_REACT_TYPE = {0, 2, 3, 0, 1, 1, 1, 1, 1, 1, 1, 3};
            s.profiles[1].K = {256, 2, 3};
            s.profiles[3].K[11] = 50;
            SharedSettings& sh = s.shared;
            sh.DPI_SET = {0, 4, 9, 10, 15, 16};
            sh.DPI_SET_EN = {true, true, false, true, false, true};
            sh.DPI_LEVEL = 3;
            for (int i = 0; i < 6; ++i) {
                sh.DPI_R[static_cast<std::size_t>(i)] = i;
                sh.DPI_G[static_cast<std::size_t>(i)] = 15 - i;
                sh.DPI_B[static_cast<std::size_t>(i)] = (3 * i) % 16;
            }
            for (int i = 0; i < 7; ++i) {
                sh.LED_USER_R[static_cast<std::size_t>(i)] = 15 - 2 * i;
                sh.LED_USER_G[static_cast<std::size_t>(i)] = i + 1;
                sh.LED_USER_B[static_cast<std::size_t>(i)] = (5 * i) % 16;
            }
            sh.cycleFlags = {true, false, true, true, false, false, true};
            sh.LED_TYPE = 6;
            sh.LED_CYCTIME = 4;
            sh.LED_FEATURE_SYMMETRY = 1;
            sh.LED_FEATURE_DIREC = 3;
            sh.LED_BRIGHT = 2;
            sh.FIRE_TIME = 100;
            for (int s2 = 0; s2 < 12; ++s2) {
                sh.MAC_COR[static_cast<std::size_t>(s2)] = (s2 * 5) % 7;
            }
        });
    }

    DecodedImage UploadAndDecode() {
        summary = uploader.FullUpload(UploadTrigger::Startup);
        EXPECT_TRUE(summary && summary->written);
        auto decoded = DecodeImage(rig.mouse.Memory());
        EXPECT_TRUE(decoded.ok());
        return decoded.ok() ? *decoded : DecodedImage{};
    }
    static const MacroRegion& RegionOf(const DecodedImage& image, int profile, int key) {
        const MacroDescriptor& descriptor = image.profiles[static_cast<std::size_t>(profile)]
                                                .descriptors[static_cast<std::size_t>(key)];
        return image.regions.at(static_cast<std::size_t>(descriptor.region));
    }

    test::MouseRig rig{0};
    SettingsStore store;
    test::FakeMacroSources macros;
    NoPointerSettings pointer;
    RecordedNotices notices;
    UploadState state{rig.clock};
    Uploader uploader{
        UploadContext{rig.transport, store, macros, pointer, notices, rig.clock, state, 0}};
    std::optional<UploadSummary> summary;
};

TEST_F(UploadRoundTripTest, SettingsComeBack) {
    const DecodedImage image = UploadAndDecode();
    const Settings settings = store.Snapshot();
    const SharedSettings& sh = settings.shared;

    EXPECT_EQ(image.header.profile, 2);
    EXPECT_EQ(image.header.productId, 0x1040);
    EXPECT_EQ(image.header.vendorId, 0x30FA);
    EXPECT_EQ(image.dpi.codes, (std::array<std::uint8_t, 6>{1, 5, 10, 12, 17, 18}));
    EXPECT_EQ(image.dpi.enableMask, 0b101011);
    EXPECT_EQ(image.dpi.level, 3);
    EXPECT_EQ(image.fireInterval, 100 / 8);
    for (int i = 0; i < 6; ++i) {
        const auto l = static_cast<std::size_t>(i);
        EXPECT_EQ(image.dpiColours[l].red, sh.DPI_R[l]) << i;
        EXPECT_EQ(image.dpiColours[l].green, sh.DPI_G[l]) << i;
        EXPECT_EQ(image.dpiColours[l].blue, sh.DPI_B[l]) << i;
    }
    for (int i = 0; i < 7; ++i) {
        const auto c = static_cast<std::size_t>(i);
        EXPECT_EQ(image.userColours[c].red, sh.LED_USER_R[c]) << i;
        EXPECT_EQ(image.userColours[c].green, sh.LED_USER_G[c]) << i;
        EXPECT_EQ(image.userColours[c].blue, sh.LED_USER_B[c]) << i;
    }
    const ImageLighting& light = image.lighting;
    EXPECT_EQ(light.effect, 6);
    EXPECT_FALSE(light.reactive);
    EXPECT_EQ(light.speed, 4);
    EXPECT_EQ(light.cycleMask, 0b1001101);
    EXPECT_TRUE(light.userColoursEnabled);
    EXPECT_EQ(light.rateCode, 7);
    EXPECT_EQ(light.effectMask, 0x2DED);
    EXPECT_TRUE(light.symmetry);
    EXPECT_EQ(light.direction, 3);
    EXPECT_EQ(light.mode, 11);
    EXPECT_EQ(light.brightness, 2);
    EXPECT_FALSE(light.off);
    for (int h = 2; h <= 12; ++h) {
        EXPECT_EQ(image.macroColours[static_cast<std::size_t>(h)],
                  sh.MAC_COR[static_cast<std::size_t>(h - 1)])
            << "hardware key " << h;
    }

    const std::uint8_t types[12] = {0x01, 0x0D, 0x0F, 0x14, 0x17, 0x1A,
                                    0x1E, 0x0D, 0x07, 0x16, 0x00, 0x0E};
    for (int k = 0; k < 12; ++k) {
        const ImageKey& key = image.profiles[0].keys[static_cast<std::size_t>(k)];
        EXPECT_EQ(key.type, types[k]) << "key " << k;
        EXPECT_EQ(key.reactive,
                  settings.profiles[0].LED_REACT_EN[static_cast<std::size_t>(k)] != 0);
        EXPECT_EQ(key.reactiveType,
                  settings.profiles[0].LED_REACT_TYPE[static_cast<std::size_t>(k)]);
    }
    EXPECT_EQ(image.profiles[1].keys[0].type, 0x0D);
    EXPECT_EQ(image.profiles[3].keys[11].type, 0x1E);

    const ImagePointers& p = image.pointers;
    EXPECT_EQ(p.macroEnd, summary->macroEnd);
    EXPECT_EQ(p.lightingBlocks,
              (std::array<std::uint16_t, 3>{static_cast<std::uint16_t>(p.macroEnd + 8),
                                            static_cast<std::uint16_t>(p.macroEnd + 16),
                                            static_cast<std::uint16_t>(p.macroEnd + 24)}));
    EXPECT_EQ(p.q, p.macroEnd + 32);
}

TEST_F(UploadRoundTripTest, MacrosComeBackStepByStep) {
    const DecodedImage image = UploadAndDecode();

    const MacroDescriptor& a = image.profiles[0].descriptors[1];
    EXPECT_EQ(a.entryCount, 7 + 2 + 78);
    EXPECT_TRUE(a.yOffsetEnabled);
    EXPECT_EQ(a.yOffset, 12);
    EXPECT_FALSE(a.whileHeld || a.repeatUntilPressed);
    EXPECT_EQ(image.profiles[1].descriptors[0].regionAddress, a.regionAddress) << "shared";
    const MacroRegion& region = RegionOf(image, 0, 1);
    EXPECT_EQ(region.playCount, 2);
    ASSERT_EQ(region.steps.size(), 7u);
    const auto& s = region.steps;
    EXPECT_EQ(s[0].kind, Kind::Press);
    EXPECT_EQ(s[0].code, 0x04);
    EXPECT_EQ(s[0].TotalDelayUnits(), 100);
    EXPECT_EQ(s[1].kind, Kind::Release);
    EXPECT_EQ(s[1].TotalDelayUnits(), 300);
    EXPECT_EQ(s[2].kind, Kind::Move);
    EXPECT_EQ(s[2].x, -7);
    EXPECT_EQ(s[2].y, 9);
    EXPECT_EQ(s[3].kind, Kind::Dpi);
    EXPECT_TRUE(s[3].pressBit) << "set, not restore";
    EXPECT_EQ(s[3].dpiValue, 3);
    EXPECT_EQ(s[4].kind, Kind::Lighting);
    EXPECT_EQ(s[4].lightingSlot, 1);
    EXPECT_EQ(s[5].kind, Kind::Press);
    EXPECT_EQ(s[5].code, 0xF1);
    EXPECT_EQ(s[5].TotalDelayUnits(), 1);
    EXPECT_EQ(s[6].TotalDelayUnits(), 10000);
    ASSERT_EQ(region.lightingBlocks.size(), 1u);
    EXPECT_EQ(region.lightingBlocks[0].address, s[4].blockAddress);
    EXPECT_EQ(region.lightingBlocks[0].entries, 2);
    EXPECT_EQ(region.lightingBlocks[0].bytes,
              (std::vector<std::uint8_t>{1, 0, 0, 0, 5, 3, 10, 0, 0x21, 0x22, 0x23, 0x24}));

    const MacroDescriptor& held = image.profiles[0].descriptors[11];
    EXPECT_TRUE(held.whileHeld);
    const MacroRegion& repeated = RegionOf(image, 0, 11);
    EXPECT_EQ(repeated.playCount, 1);
    ASSERT_EQ(repeated.steps.size(), 10u) << "8 ms repeated 5 times";
    EXPECT_EQ(repeated.steps[8].kind, Kind::Press);
    EXPECT_EQ(repeated.steps[9].code, 0x05);

    const MacroDescriptor& preset = image.profiles[0].descriptors[6];
    EXPECT_TRUE(preset.repeatUntilPressed);
    EXPECT_EQ(image.profiles[3].descriptors[11].regionAddress, preset.regionAddress);
    EXPECT_EQ(RegionOf(image, 0, 6).steps.at(0).y, -4);
    EXPECT_EQ(RegionOf(image, 0, 7).steps.at(0).code, 0x06) << "built-in";
    EXPECT_EQ(image.profiles[0].descriptors[2].consumerUsage, 0x018A);
    EXPECT_EQ(image.profiles[0].descriptors[2].region, -1);
}

TEST_F(UploadRoundTripTest, TheMouseHoldsExactlyThePlan) {
    UploadAndDecode();
    UploadInput input;
    input.settings = store.Snapshot();
    input.device = store.Device();
    input.productVariant = 0;
    input.previousMacroEnd = 0;
    const UploadPlan plan = BuildUploadPlan(input, macros);
    std::vector<std::uint8_t> expected(0x10000);
    ApplyPlan(plan, expected);
    EXPECT_EQ(rig.mouse.Memory(), expected);
    EXPECT_TRUE(rig.mouse.Irregularities().empty());
}

}  // namespace
}  // namespace novu
