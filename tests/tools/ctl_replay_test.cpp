#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "base/file_io.h"
#include "base/ini_files.h"
#include "ctl_run.h"
#include "support/temp_folder.h"

namespace novu {
namespace {

using nlohmann::json;
using test::Quote;
using test::RunCtl;

// The shipped data folder in software macro mode with profile 0's buttons 4..8 set to: the
// Copy macro of the group Office, a multimedia key, a profile switch, the first recoil
// preset as a left-button macro, and the hold signal.
class CtlReplay : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy(NOVU_SHIPPED_DATA, data.Path(),
                              std::filesystem::copy_options::recursive);
        const auto config = data / "config" / "config.ini";
        ASSERT_TRUE(ini.WriteString(config, "ShareData", "SOFT_HARD_MAC", "1"));
        for (const auto& [key, value] : {std::pair{"K3", "256"},
                                         {"K4", "25"},
                                         {"K5", "21"},
                                         {"K6", "50"},
                                         {"LEFT_MAC06", "1"},
                                         {"K7", "18"}}) {
            ASSERT_TRUE(ini.WriteString(config, "Config0", key, value));
        }
    }
    test::CtlRun Replay(const std::string& script, const std::string& global = "",
                        const std::string& options = "") const {
        return RunCtl("--data-dir " + Quote(data.Path().string()) + " --emulate " + global +
                      " replay " + Quote(script) + " --trace " +
                      Quote((data / "replay.trace").string()) + " " + options);
    }
    std::string Script(const std::string& text) const {
        return data.Write("script.txt", text).string();
    }

    test::TempFolder data;
    IniFiles ini;
};

TEST_F(CtlReplay, GoldenTrace) {
    const auto run = Replay((test::TestData() / "tools" / "replay_basic.script").string());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Input reports  19 of 19\nDuration       810.000 ms\n");
    const auto expected = ReadWholeFile(test::TestData() / "tools" / "replay_basic.trace");
    ASSERT_TRUE(expected.ok());
    EXPECT_EQ(data.Read("replay.trace"), *expected);

    // What the threads left in the data folder: the DPI level of the last mapped press, the
    // profile the mouse reported, and Copy with the offset set while the hold signal was held.
    const auto config = data / "config" / "config.ini";
    EXPECT_EQ(ini.GetNumber(config, "ShareData", "DPI_LEVEL", 5), 3);
    EXPECT_EQ(ini.GetNumber(config, "Init", "CurConfig", 5), 0);
    const auto copy =
        RunCtl("macro decode " + Quote((data / "1_INI_EN" / "macro" / "Office.dat").string()) +
               " --key 0");
    ASSERT_EQ(copy.status, 0) << copy.err;
    const json record = json::parse(copy.out).at(0);
    EXPECT_EQ(record["name"], "Copy");
    EXPECT_EQ(record["yOffset"], 1);
    EXPECT_EQ(record["yOffsetEnabled"], 1);
}

TEST_F(CtlReplay, UntilStopsAPlayingMacro) {
    const auto cut = Replay(Script("10 06 F4 00\n30 06 F4 80\n"), "--json", "--until 45");
    ASSERT_EQ(cut.status, 0) << cut.err;
    EXPECT_EQ(json::parse(cut.out),
              json::parse(R"({"inputReports":2,"scriptReports":2,"complete":false,
                              "durationMs":45.0})"));
    // Copy's steps 20 ms apart from the press at 10 ms; stopped at 45 ms between two steps,
    // everything is released at once.
    EXPECT_EQ(data.Read("replay.trace"),
              "0.000 SET 07 15 E0 00 00 00 00 00\n"
              "20.000 SET 07 15 E0 06 00 00 00 00\n"
              "35.000 SET 07 16 E0 FF 00 00 00 00\n"
              "35.000 SET 07 15 00 00 00 00 00 00\n");
}

TEST_F(CtlReplay, ScriptErrorsAndNoMouse) {
    struct Case {
        std::string script;
        std::string message;
    };
    const Case cases[] = {
        {"x 06 F1\n", "script.txt:1: \"x\" is no time in milliseconds"},
        {"# first\n10 06 F1\n\n5 06 F1 80\n", "script.txt:4: the time goes back"},
        {"10 06 G1\n", "script.txt:1: \"G1\" is no two-digit hex byte"},
        {"10\n", "script.txt:1: a report needs at least its report ID"},
        {"10 06 F1 00 00 00 00 00 00 00 00\n", "script.txt:1: the report is longer"},
    };
    for (const Case& c : cases) {
        const auto run = Replay(Script(c.script));
        EXPECT_EQ(run.status, 1) << c.script;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    const auto missing = Replay((data / "none.txt").string());
    EXPECT_EQ(missing.status, 1);

    const auto real = RunCtl("--data-dir " + Quote(data.Path().string()) + " replay " +
                             Quote(Script("10 06 F1 00\n")));
    EXPECT_EQ(real.status, 3) << real.err;
    EXPECT_NE(real.err.find("no mouse found"), std::string::npos) << real.err;
}

}  // namespace
}  // namespace novu
