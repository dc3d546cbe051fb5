#include "config/config_files.h"

#include <gtest/gtest.h>

#include "base/recorded_notices.h"
#include "support/temp_folder.h"

namespace novu {
namespace {

using test::TempFolder;

class ConfigFilesTest : public ::testing::Test {
protected:
    DataFolder Folder() const { return DataFolder{dir.Path()}; }
    std::filesystem::path Install(const std::string& fixture,
                                  const std::string& as = "config.ini") {
        const auto target = dir / "config" / as;
        std::filesystem::create_directories(target.parent_path());
        std::filesystem::copy_file(test::TestData() / "config" / fixture, target,
                                   std::filesystem::copy_options::overwrite_existing);
        return target;
    }

    TempFolder dir;
    IniFiles ini;
    SettingsStore store;
    RecordedNotices notices;
    ConfigFiles files{Folder(), ini, store, notices};
};

TEST_F(ConfigFilesTest, StartupLoadsWithTruncationAndPinnedValues) {
    Install("loader_edge_cases.ini");
    files.ReadStartup();
    const Settings s = store.Snapshot();
    const ProfileSettings& p0 = s.profiles[0];
    EXPECT_EQ(s.CurConfig, 0) << "a stored profile outside 0..3 starts on the first";
    EXPECT_EQ(s.VER_SEL, 44) << "the low byte of 300";
    EXPECT_EQ(store.LanguageIndex(), 44);
    EXPECT_EQ(files.ConfigNum(), "4");
    EXPECT_EQ(p0.K[0], 123456789) << "twelve digits in a buffer of 10";
    EXPECT_EQ(p0.LEFT_MAC[0], 1);
    EXPECT_EQ(p0.LED_REACT_TYPE[0], 2);
    for (const auto& profile : s.profiles) {
        EXPECT_EQ(profile.LED_REACT_EN,
                  (PerSlot<std::int32_t>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
    }
    EXPECT_EQ(s.shared.MAC_COR[0], 4) << "MAC_COR is held once: profile 3's values win";
    EXPECT_EQ(s.shared.MAC_COR[1], 5);
    EXPECT_EQ(s.shared.WHEEL_STATUS, 0);
    EXPECT_EQ(s.shared.LED_USER_COLER_EN, 1);
    EXPECT_EQ(s.shared.USB_SPEED, 0);
    EXPECT_EQ(s.shared.RateCode, 7);
    EXPECT_EQ(s.shared.DPI_LEVEL, 2);
    EXPECT_EQ(s.shared.DPI_SET[0], 44) << "the low byte of 300";
    EXPECT_TRUE(s.shared.DPI_SET_EN[0]);
    EXPECT_EQ(s.shared.dpiDisplayColour[0], DisplayColour(15, 0, 8));
    EXPECT_EQ(s.shared.LED_CYCTIME, 0) << "LED_CYC_TIME is never read";
    EXPECT_EQ(s.shared.FIRE_TIME, 1234) << "five digits in a buffer of 5";
    EXPECT_EQ(s.shared.CYC_7COL_EN, 133);
    EXPECT_EQ(s.shared.cycleFlags,
              (std::array<bool, 7>{true, false, true, false, false, false, false}));

    const DeviceDescription device = store.Device();
    EXPECT_EQ(device.PRODUCTNAME_CN, "测试鼠标");
    EXPECT_EQ(device.ProductName(1), "Test Mouse");
    EXPECT_EQ(device.KEYNUM, 3);
    EXPECT_EQ(device.KEYMAP, (PerSlot<std::uint8_t>{1, 0, 3}));
    EXPECT_EQ(device.SlotOfHardwareKey(3), 2);
    EXPECT_EQ(device.SlotOfHardwareKey(2), -1);
    // K2_MAP=20 is refused with a notice; K4_MAP lies beyond KeyNum and is not read at all.
    const auto shown = notices.Notices();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].text.find("K2_MAP is 20"), std::string::npos);
}

TEST_F(ConfigFilesTest, ButtonCountAboveTwelveIsLimitedWithANotice) {
    dir.Write("config/config.ini", "[KEYNUM]\r\nKeyNum=15\r\n");
    const DeviceDescription device = files.ReadDeviceDescription();
    EXPECT_EQ(device.KEYNUM, 12);
    ASSERT_FALSE(notices.Notices().empty());
    EXPECT_NE(notices.Notices()[0].text.find("KeyNum 15"), std::string::npos);
}

TEST_F(ConfigFilesTest, MissingFileShowsTip5AndChangesNothing) {
    Install("loader_edge_cases.ini");
    files.ReadStartup();
    const Settings before = store.Snapshot();
    EXPECT_FALSE(files.LoadProfile(1, /*fromFactory=*/true));  // only config.ini exists
    EXPECT_EQ(store.Snapshot(), before);
    EXPECT_EQ(notices.Tips(), std::vector<int>{kTipFileMissing});
}

TEST_F(ConfigFilesTest, SaverWritesAFreshFileInItsExactOrder) {
    store.Update([](Settings& s) {
        ProfileSettings& p = s.profiles[2];
        for (int n = 0; n < kButtonSlots; ++n) {
            p.K[n] = 100 + n;
            p.LEFT_MAC[n] = n % 2;
            p.LED_REACT_EN[n] = 1;
            p.LED_REACT_TYPE[n] = n % 4;
            s.shared.MAC_COR[n] = n % 7;
        }
        SharedSettings& sh = s.shared;
        sh.WHEEL_STATUS = 9;  // pinned to 0 by the save
        sh.DPI_LEVEL = 3;
        sh.LED_USER_COLER_EN = 0;  // pinned to 1 by the save
        sh.CYC_7COL_EN = 0x7F;     // the file gets the mask of the flags
        sh.cycleFlags = {true, false, true, false, false, false, false};
        for (int n = 0; n < kDpiLevels; ++n) {
            sh.DPI_SET[n] = static_cast<std::uint8_t>(2 * n);
            sh.DPI_SET_EN[n] = n != 4;
            sh.DPI_R[n] = n;
            sh.DPI_G[n] = n + 1;
            sh.DPI_B[n] = n + 2;
        }
        for (int n = 0; n < kUserColours; ++n) {
            sh.LED_USER_R[n] = 15 - n;
            sh.LED_USER_G[n] = n;
        }
        sh.LED_TYPE = 13;
        for (int n = 0; n < kEffectSwitches; ++n) {
            sh.LED_TYPE_SW_EN[n] = n % 2;
        }
        sh.LED_CYCTIME = 4;
        sh.LED_FEATURE_SYMMETRY = 1;
        sh.LED_FEATURE_DIREC = 2;
        sh.LED_BRIGHT = 6;
        sh.DPI_SPEED = 7;
        sh.WHEEL_SPEED = 3;
        sh.FIRE_TIME = 120;
        sh.MODE_LIGHT = 1;
        sh.SOFT_HARD_MAC = 1;
    });
    ASSERT_TRUE(files.SaveProfile(dir / "fresh.ini", 2));
    const auto expected = ReadWholeFile(test::TestData() / "config" / "saved_profile2.expected");
    ASSERT_TRUE(expected);
    EXPECT_EQ(dir.Read("fresh.ini"), *expected);
    EXPECT_EQ(store.Snapshot().shared.WHEEL_STATUS, 0);
    EXPECT_EQ(store.Snapshot().shared.LED_USER_COLER_EN, 1);
}

TEST_F(ConfigFilesTest, SaveAllWritesTheHeldValuesIntoEverySection) {
    const auto file = Install("loader_edge_cases.ini");
    files.ReadStartup();
    store.Update([](Settings& s) { s.CurConfig = 2; });
    ASSERT_TRUE(files.SaveAll());
    IniFiles fresh;
    for (int p = 0; p < kProfileCount; ++p) {
        const std::string section = "Config" + std::to_string(p);
        EXPECT_EQ(fresh.GetNumber(file, section, "MAC_COR0", 5), 4) << section;
        EXPECT_EQ(fresh.GetNumber(file, section, "MAC_COR1", 5), 5) << section;
    }
    EXPECT_EQ(fresh.GetNumber(file, "Init", "CurConfig", 5), 2);
    EXPECT_EQ(fresh.GetNumber(file, "ShareData", "DPI_SET_EN0", 5), 1) << "7 is saved back as 1";
    EXPECT_EQ(fresh.GetNumber(file, "ShareData", "LED_CYC_TIME", 5), 0);
    EXPECT_EQ(fresh.GetNumber(file, "ShareData", "LED_CYCTIME", 5), 0);
    // Keys the product does not write stay as they were.
    EXPECT_EQ(fresh.GetString(file, "PRODUCTNAME", "PRODUCTNAME_CN", "", 50), "测试鼠标");
    EXPECT_EQ(fresh.GetNumber(file, "KEYMAP", "K4_MAP", 15), 99);
    EXPECT_EQ(fresh.GetNumber(file, "Init", "ConfigNum", 5), 4);
}

TEST_F(ConfigFilesTest, SavingOneProfileRewritesTheSharedSection) {
    const auto file = Install("loader_edge_cases.ini");
    files.ReadStartup();
    store.Update([](Settings& s) { s.shared.FIRE_TIME = 77; });
    ASSERT_TRUE(files.SaveProfile(file, 2));
    IniFiles fresh;
    EXPECT_EQ(fresh.GetNumber(file, "ShareData", "FIRE_TIME", 5), 77);
    EXPECT_TRUE(fresh.Open(file)->HasSection("Config2"));
    EXPECT_EQ(fresh.GetString(file, "Config0", "K0", "", 15), "123456789012")
        << "profile 0 is untouched";
}

TEST_F(ConfigFilesTest, SaveAllRunsTheOpenGroupStepFirst) {
    Install("loader_edge_cases.ini");
    files.ReadStartup();
    bool groupSaved = false;
    files.SetOpenGroupSaver([&] {
        EXPECT_EQ(ini.GetNumber(Folder().ConfigIni(), "Init", "CurConfig", 5), 7);
        groupSaved = true;
    });
    ASSERT_TRUE(files.SaveAll());
    EXPECT_TRUE(groupSaved);
}

TEST_F(ConfigFilesTest, DpiLevelCurrentProfileAndLanguageAreWrittenAlone) {
    const auto file = Install("loader_edge_cases.ini");
    files.ReadStartup();
    store.Update([](Settings& s) {
        s.shared.DPI_LEVEL = 4;
        s.CurConfig = 3;
        s.VER_SEL = 1;
    });
    ASSERT_TRUE(files.SaveDpiLevel(file));
    ASSERT_TRUE(files.WriteCurConfig());
    ASSERT_TRUE(files.WriteLanguage());
    IniFiles fresh;
    EXPECT_EQ(fresh.GetNumber(file, "ShareData", "DPI_LEVEL", 5), 4);
    EXPECT_EQ(fresh.GetNumber(file, "Init", "CurConfig", 5), 3);
    EXPECT_EQ(fresh.GetNumber(file, "Init", "VER_SEL", 5), 1);
    EXPECT_EQ(fresh.GetNumber(file, "ShareData", "FIRE_TIME", 6), 12345) << "nothing else written";
}

}  // namespace
}  // namespace novu
