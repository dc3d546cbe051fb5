#include "config/data_folder.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace novu {
namespace {

using test::TempFolder;

class DataFolderTest : public ::testing::Test {
protected:
    DataFolderSources Sources() const {
        DataFolderSources s;
        s.executableFolder = dir / "bin";
        s.userDataHome = dir / "home";
        s.installedDefaults = dir / "share" / "novu-gmouse" / "skins";
        return s;
    }
    TempFolder dir;
};

TEST_F(DataFolderTest, ExplicitFolderThenEnvironmentThenPortable) {
    dir.Write("explicit/config/config.ini", "");
    dir.Write("env/config/config.ini", "");
    dir.Write("bin/skins/config/config.ini", "");
    auto sources = Sources();
    sources.explicitFolder = dir / "explicit";
    sources.environment = dir / "env";
    EXPECT_EQ(ResolveDataFolder(sources)->root, dir / "explicit");
    sources.explicitFolder.reset();
    EXPECT_EQ(ResolveDataFolder(sources)->root, dir / "env");
    sources.environment.reset();
    EXPECT_EQ(ResolveDataFolder(sources)->root, dir / "bin" / "skins");
    sources.explicitFolder = dir / "missing";
    const auto missing = ResolveDataFolder(sources);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().fault, Fault::Caller);
}

TEST_F(DataFolderTest, UserCopyIsSeededOnceFromTheInstalledDefaults) {
    dir.Write("share/novu-gmouse/skins/config/config.ini", "[Init]\r\nCurConfig=1\r\n");
    const auto first = ResolveDataFolder(Sources());
    ASSERT_TRUE(first);
    EXPECT_EQ(first->root, dir / "home" / "novu-gmouse" / "skins");
    EXPECT_EQ(dir.Read("home/novu-gmouse/skins/config/config.ini"), "[Init]\r\nCurConfig=1\r\n");
    // The user's changes survive later starts.
    dir.Write("home/novu-gmouse/skins/config/config.ini", "changed");
    ASSERT_TRUE(ResolveDataFolder(Sources()));
    EXPECT_EQ(dir.Read("home/novu-gmouse/skins/config/config.ini"), "changed");
}

TEST_F(DataFolderTest, NoDataAnywhereIsAnError) {
    const auto result = ResolveDataFolder(Sources());
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().fault, Fault::File);
}

}  // namespace
}  // namespace novu
