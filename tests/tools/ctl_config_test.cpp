#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "base/ini_files.h"
#include "ctl_run.h"
#include "support/temp_folder.h"

namespace novu {
namespace {

using nlohmann::json;
using test::Quote;
using test::RunCtl;

class CtlConfig : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy(NOVU_SHIPPED_DATA, data.Path(),
                              std::filesystem::copy_options::recursive);
    }
    std::string DataDir() const { return "--data-dir " + Quote(data.Path().string()); }
    test::TempFolder data;
};

TEST_F(CtlConfig, ShowJsonFollowsTheContract) {
    const auto run = RunCtl(DataDir() + " --json config show");
    ASSERT_EQ(run.status, 0) << run.err;
    const json shown = json::parse(run.out);
    EXPECT_EQ(shown["KeyNum"], 8);
    EXPECT_EQ(shown["KEYMAP"].size(), 12u);
    EXPECT_EQ(shown["KEYMAP"][7], 8);
    ASSERT_EQ(shown["profiles"].size(), 4u);
    for (const auto& profile : shown["profiles"]) {
        for (const char* key : {"K", "LEFT_MAC", "LED_REACT_EN", "LED_REACT_TYPE"}) {
            EXPECT_EQ(profile[key].size(), 12u) << key;
        }
    }
    EXPECT_EQ(shown["profiles"][0]["K"][0], 1);
    const json& shared = shown["shared"];
    EXPECT_EQ(shared["DPI_SET"].size(), 6u);
    EXPECT_EQ(shared["LED_USER_R"].size(), 7u);
    EXPECT_EQ(shared["MAC_COR"].size(), 12u);
    EXPECT_EQ(shared["RateCode"], 7);
    EXPECT_EQ(shared["LED_USER_COLER_EN"], 1);
    EXPECT_TRUE(shown.contains("CurConfig"));
    EXPECT_TRUE(shown.contains("VER_SEL"));
}

TEST_F(CtlConfig, ShowPrintsAReadableSummary) {
    const auto run = RunCtl(DataDir() + " config show");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("NOVU GMouse"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Profile 4"), std::string::npos) << run.out;
}

TEST_F(CtlConfig, SaveWritesAllProfilesIntoANewFile) {
    const auto out = data / "saved.ini";
    const auto run = RunCtl(DataDir() + " config save --out " + Quote(out.string()));
    ASSERT_EQ(run.status, 0) << run.err;
    IniFiles ini;
    const auto saved = ini.Open(out);
    ASSERT_TRUE(saved);
    for (const char* section : {"Init", "Config0", "Config1", "Config2", "Config3", "ShareData"}) {
        EXPECT_TRUE(saved->HasSection(section)) << section;
    }
    EXPECT_FALSE(saved->HasSection("KEYMAP")) << "only what save-all writes";
    EXPECT_EQ(ini.GetNumber(out, "Config3", "K0", 10), 1);
}

TEST_F(CtlConfig, FailuresAndUsageErrorsHaveTheirExitStatus) {
    std::filesystem::remove(data / "config" / "config.ini");
    const auto missing = RunCtl(DataDir() + " config show");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("config.ini"), std::string::npos) << missing.err;
    EXPECT_EQ(RunCtl("--data-dir /no/such/folder config show").status, 1);
    EXPECT_EQ(RunCtl(DataDir() + " config frobnicate").status, 2);
    EXPECT_EQ(RunCtl(DataDir() + " config save").status, 2) << "--out is required";
    EXPECT_EQ(RunCtl("").status, 2);
}

}  // namespace
}  // namespace novu
