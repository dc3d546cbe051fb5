#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "base/ini_files.h"
#include "ctl_run.h"
#include "support/temp_folder.h"

namespace novu {
namespace {

using nlohmann::json;
using test::Quote;
using test::RunCtl;

// The shipped data folder with one macro group "G" of three macros whose regions need 1008,
// 1008 and 832 bytes: 2848 bytes, the whole macro area. No button holds a macro, whatever the
// shipped defaults assign; each test assigns its own.
class CtlUpload : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy(NOVU_SHIPPED_DATA, data.Path(),
                              std::filesystem::copy_options::recursive);
        const auto macroFolder = data / "1_INI_EN" / "macro";
        std::filesystem::create_directories(macroFolder);
        json records = json::array();
        for (int steps : {250, 250, 206}) {
            json stepList = json::array();
            for (int j = 0; j < steps; ++j) {
                stepList.push_back({{"eventType", 1},
                                    {"eventCode", 4},
                                    {"param1", 0},
                                    {"param2", 0},
                                    {"eventDelay", 200}});
            }
            records.push_back(
                {{"name", "M"}, {"playMode", 0}, {"repeatCount", 1}, {"steps", stepList}});
        }
        std::ofstream(data / "records.json") << records.dump();
        const auto encoded = RunCtl("macro encode " + Quote((data / "records.json").string()) +
                                    " " + Quote((macroFolder / "G.dat").string()));
        ASSERT_EQ(encoded.status, 0) << encoded.err;
        ASSERT_TRUE(
            ini.WriteString(macroFolder / "macroGrp.ini", "MACRO_GROUP_NUM", "macGrpNum", "1"));
        ASSERT_TRUE(ini.WriteString(macroFolder / "macroGrp.ini", "MACRO_GROUP_NAME", "0", "G"));
        for (int p = 0; p < 4; ++p) {  // no macro anywhere, whatever the shipped defaults hold
            for (int slot = 0; slot < 12; ++slot) {
                ASSERT_TRUE(ini.WriteString(data / "config" / "config.ini",
                                            "Config" + std::to_string(p),
                                            "K" + std::to_string(slot), "1"));
            }
        }
    }
    void Assign(const char* key, const char* code) {
        ASSERT_TRUE(ini.WriteString(data / "config" / "config.ini", "Config0", key, code));
    }
    std::string Upload(const std::string& options) const {
        return "--data-dir " + Quote(data.Path().string()) + " --emulate " + options +
               " upload --trace " + Quote((data / "trace.txt").string()) + " --image " +
               Quote((data / "image.bin").string());
    }
    std::string Read(const char* name) const { return data.Read(name); }

    test::TempFolder data;
    IniFiles ini;
};

TEST_F(CtlUpload, SummaryTraceAndImage) {
    const auto run = RunCtl(Upload("--json"));
    ASSERT_EQ(run.status, 0) << run.err;
    const json summary = json::parse(run.out);
    EXPECT_EQ(summary["reports"], 868);
    EXPECT_EQ(summary["writeBlocks"], 89);
    EXPECT_EQ(summary["durationMs"], 539.0);
    EXPECT_EQ(summary["macroEnd"], 0x0400);

    const std::string trace = Read("trace.txt");
    EXPECT_EQ(std::count(trace.begin(), trace.end(), '\n'), 868);
    EXPECT_EQ(trace.rfind("539.000 SET 07 18 00 00 00 00 00 00\n"), trace.size() - 36);
    const std::string image = Read("image.bin");
    ASSERT_EQ(image.size(), 65536u);
    EXPECT_EQ(image[0x6E], '\x00');
    EXPECT_EQ(image[0x6F], '\x04');
}

TEST_F(CtlUpload, FullMacroAreaWritesNothing) {
    Assign("K0", "256");
    Assign("K1", "257");
    Assign("K2", "258");
    const auto full = RunCtl(Upload(""));
    EXPECT_EQ(full.status, 1);
    EXPECT_NE(full.err.find("The macro memory of the mouse is full."), std::string::npos)
        << full.err;
    EXPECT_TRUE(full.out.empty());
    EXPECT_TRUE(Read("trace.txt").empty()) << "not a single report";
    EXPECT_EQ(Read("image.bin"), std::string(65536, '\0'));

    Assign("K2", "1");
    const auto fits = RunCtl(Upload(""));
    EXPECT_EQ(fits.status, 0) << fits.err;
    EXPECT_NE(fits.out.find("Macro end      0x0BE0"), std::string::npos) << fits.out;
}

TEST_F(CtlUpload, ImageNeedsTheVirtualMouse) {
    const auto run = RunCtl("--data-dir " + Quote(data.Path().string()) + " upload --image " +
                            Quote((data / "image.bin").string()));
    EXPECT_EQ(run.status, 2) << run.err;
}

}  // namespace
}  // namespace novu
