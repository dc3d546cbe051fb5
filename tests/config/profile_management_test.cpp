#include "config/profile_management.h"

#include <gtest/gtest.h>

#include "base/recorded_notices.h"
#include "support/temp_folder.h"

namespace novu {
namespace {

using test::TempFolder;

// The shipped configuration and its factory file in a private data folder.
class ProfileManagementTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"config.ini", "configReset.ini"}) {
            std::filesystem::create_directories(dir / "config");
            std::filesystem::copy_file(std::filesystem::path(NOVU_SHIPPED_DATA) / "config" / name,
                                       dir / "config" / name);
        }
        files.ReadStartup();
        notices.Clear();
    }
    std::int32_t Stored(const std::filesystem::path& file, const char* section, const char* key) {
        return ini.GetNumber(file, section, key, 10);
    }

    TempFolder dir;
    IniFiles ini;
    SettingsStore store;
    RecordedNotices notices;
    ConfigFiles files{DataFolder{dir.Path()}, ini, store, notices};
    ProfileManagement profiles{files, ini, store, notices};
};

TEST_F(ProfileManagementTest, SelectingAProfileChangesOnlyMemory) {
    profiles.SelectProfile(2);
    EXPECT_EQ(store.Snapshot().CurConfig, 2);
    profiles.SelectProfile(4);
    profiles.SelectProfile(-1);
    EXPECT_EQ(store.Snapshot().CurConfig, 2);
    EXPECT_EQ(Stored(files.Folder().ConfigIni(), "Init", "CurConfig"), 0);
}

TEST_F(ProfileManagementTest, ExportThatFailsIsReportedEvenWhenTheTargetExists) {
    // A folder of that name exists: it exists afterwards too, but nothing was copied.
    std::filesystem::create_directories(dir / "taken.ini");
    EXPECT_FALSE(profiles.Export(dir / "taken.ini"));
    EXPECT_EQ(notices.Tips(), std::vector<int>{kTipOperationFailed});

    notices.Clear();
    EXPECT_TRUE(profiles.Export(dir / "copy.ini"));
    EXPECT_EQ(dir.Read("copy.ini"), dir.Read("config/config.ini"));
    EXPECT_TRUE(notices.Notices().empty());
}

TEST_F(ProfileManagementTest, ImportKeepsTheCurrentProfileAndLanguageInMemory) {
    profiles.SelectProfile(3);
    const std::filesystem::path source =
        dir.Write("other.ini",
                  "[Init]\nCurConfig=1\nVER_SEL=0\n[Config2]\nK0=5\n[ShareData]\nFIRE_TIME=99\n");
    EXPECT_TRUE(profiles.Import(source));
    const Settings s = store.Snapshot();
    EXPECT_EQ(s.CurConfig, 3);
    EXPECT_EQ(store.LanguageIndex(), 1);
    EXPECT_EQ(s.profiles[2].K[0], 5);
    EXPECT_EQ(s.profiles[0].K[0], 0);  // a profile the file lacks reads as zeros
    EXPECT_EQ(s.shared.FIRE_TIME, 99);
    EXPECT_EQ(dir.Read("config/config.ini"), dir.Read("other.ini"));

    const std::string before = dir.Read("config/config.ini");
    EXPECT_FALSE(profiles.Import(dir / "missing.ini"));
    EXPECT_FALSE(profiles.Import(dir.Path()));  // a folder is no file to import
    EXPECT_EQ(notices.Tips(), (std::vector<int>{kTipOperationFailed, kTipOperationFailed}));
    EXPECT_EQ(dir.Read("config/config.ini"), before);
}

TEST_F(ProfileManagementTest, FactoryResetWritesEachProfileFromTheFactoryFile) {
    profiles.SelectProfile(2);
    store.Update([](Settings& s) {
        s.profiles[1].K[3] = 17;
        s.shared.MAC_COR[0] = 6;
    });
    const auto reset = files.Folder().ConfigResetIni();
    const auto config = files.Folder().ConfigIni();
    ASSERT_TRUE(ini.WriteNumber(reset, "Config3", "MAC_COR0", 5));  // differs from profile 0's

    profiles.FactoryReset();

    const Settings s = store.Snapshot();
    EXPECT_EQ(s.CurConfig, 2);
    EXPECT_EQ(s.profiles[1].K[3], Stored(reset, "Config1", "K3"));
    EXPECT_EQ(Stored(config, "Config1", "K3"), Stored(reset, "Config1", "K3"));
    // Every profile section gets its own factory MAC_COR; memory ends with profile 0's.
    EXPECT_EQ(Stored(config, "Config3", "MAC_COR0"), 5);
    EXPECT_EQ(s.shared.MAC_COR[0], Stored(reset, "Config0", "MAC_COR0"));
    EXPECT_TRUE(notices.Notices().empty());

    profiles.StartupReset();
    EXPECT_EQ(store.Snapshot().CurConfig, 0);
}

}  // namespace
}  // namespace novu
