#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "ctl_run.h"
#include "support/temp_folder.h"

namespace novu {
namespace {

using nlohmann::json;
using test::Quote;
using test::RunCtl;

// A key press of usage 0x04 (A), a left-button press, a pointer move and a lighting step.
const json kRecords = json::parse(R"([
  {"name": "Burst", "playMode": 2, "repeatCount": 1, "moveCount": 1, "ledCount": 1,
   "yOffsetEnabled": 1, "yOffset": 10,
   "steps": [
     {"eventType": 1, "eventCode": 4, "eventDelay": 300},
     {"eventType": 1, "eventCode": 241, "eventDelay": 20},
     {"eventType": 6, "eventCode": 246, "param1": 1, "param2": 5, "eventDelay": 30},
     {"eventType": 13, "eventCode": 249, "eventDelay": 40}],
   "ledBlocks": [[1, 0, 0, 0, 2, 3, 10]]},
  {"name": "空"}
])");

class CtlMacroTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return Quote((dir / name).string()); }
    void WriteJson(const char* name, const json& value) const { dir.Write(name, value.dump()); }

    test::TempFolder dir;
};

TEST_F(CtlMacroTest, EncodeAndDecodeRoundTrip) {
    WriteJson("in.json", kRecords);
    const auto encode = RunCtl("--layout 1 macro encode " + Path("in.json") + " " + Path("g.dat"));
    ASSERT_EQ(encode.status, 0) << encode.err;
    const std::string file = dir.Read("g.dat");
    EXPECT_EQ(file.rfind("[Init]\r\nDAT_VER=3\r\n[Macros]\r\nmacroNum=2\r\n0=", 0), 0u);
    // The key is stored as its virtual-key code (A = 65), the left button as 240.
    const std::size_t value = file.find("0=") + 2;
    EXPECT_EQ(file.substr(value + 3 * 82, 3), "065");
    EXPECT_EQ(file.substr(value + 3 * 90, 3), "240");

    const auto decode = RunCtl("--layout 1 macro decode " + Path("g.dat"));
    ASSERT_EQ(decode.status, 0) << decode.err;
    const json records = json::parse(decode.out);
    ASSERT_EQ(records.size(), 2u);
    const json& burst = records[0];
    EXPECT_EQ(burst["name"], "Burst");
    EXPECT_EQ(burst["eventCount"], 4);
    EXPECT_EQ(burst["steps"][0], json({{"eventType", 1},
                                       {"eventCode", 4},
                                       {"param1", 0},
                                       {"param2", 0},
                                       {"eventDelay", 300}}));
    EXPECT_EQ(burst["steps"][1]["eventCode"], 241);
    EXPECT_EQ(burst["steps"][2]["param2"], 5);
    EXPECT_EQ(burst["yOffset"], 10);
    EXPECT_EQ(burst["ledBlocks"].size(), 5u);
    EXPECT_EQ(burst["ledBlocks"][0].size(), 68u);
    EXPECT_EQ(burst["ledBlocks"][0][6], 10);
    EXPECT_EQ(records[1]["name"], "空");
    EXPECT_EQ(records[1]["steps"], json::array());

    // What decode prints encodes to the same file.
    dir.Write("again.json", decode.out);
    ASSERT_EQ(RunCtl("--layout 1 macro encode " + Path("again.json") + " " + Path("h.dat")).status,
              0);
    EXPECT_EQ(dir.Read("h.dat"), file);

    const auto key = RunCtl("--layout 1 macro decode " + Path("g.dat") + " --key 1");
    ASSERT_EQ(key.status, 0) << key.err;
    EXPECT_EQ(json::parse(key.out)[0]["name"], "空");
}

TEST_F(CtlMacroTest, SingleMacroFilesAndLayouts) {
    WriteJson("in.json", kRecords);
    ASSERT_EQ(
        RunCtl("--layout 2 macro encode --sdat " + Path("in.json") + " " + Path("m.sdat")).status,
        0);
    const std::string file = dir.Read("m.sdat");
    EXPECT_EQ(file.rfind("[Macros]\r\nMacro=", 0), 0u);
    EXPECT_EQ(file.size(), std::string("[Macros]\r\nMacro=\r\n").size() + 7863);
    EXPECT_EQ(file.substr(16 + 3 * 82, 3), "081") << "A of a French keyboard is the Q key";

    const auto french = RunCtl("--layout 2 macro decode " + Path("m.sdat"));
    ASSERT_EQ(french.status, 0) << french.err;
    EXPECT_EQ(json::parse(french.out)[0]["steps"][0]["eventCode"], 4);
    const auto english = RunCtl("--layout 1 macro decode " + Path("m.sdat"));
    EXPECT_EQ(json::parse(english.out)[0]["steps"][0]["eventCode"], 0x14);

    // Without --layout the data folder's language decides.
    dir.Write("data/config/config.ini", "[Init]\r\nVER_SEL=2\r\n");
    const auto byData = RunCtl("--data-dir " + Path("data") + " macro decode " + Path("m.sdat"));
    ASSERT_EQ(byData.status, 0) << byData.err;
    EXPECT_EQ(json::parse(byData.out)[0]["steps"][0]["eventCode"], 4);
}

TEST_F(CtlMacroTest, BadInputFails) {
    struct Case {
        const char* what;
        json records;
    } cases[] = {
        {"a name of 30 characters", json::array({{{"name", std::string(30, 'x')}}})},
        {"a byte above 255", json::array({{{"playMode", 256}}})},
        {"a negative count", json::array({{{"repeatCount", -1}}})},
        {"too many steps", json::array({{{"steps", json::array()}, {"eventCount", 276}}})},
        {"a step that is no object", json::array({{{"steps", json::array({1})}}})},
        {"six lighting blocks",
         json::array({{{"ledBlocks", json::array({{}, {}, {}, {}, {}, {}})}}})},
        {"not a record", json::array({"text"})},
    };
    for (const Case& c : cases) {
        WriteJson("bad.json", c.records);
        const auto run = RunCtl("macro encode " + Path("bad.json") + " " + Path("out.dat"));
        EXPECT_EQ(run.status, 1) << c.what;
        EXPECT_NE(run.err.find("record 0"), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(dir / "out.dat")) << c.what;
    }
    dir.Write("broken.json", "[{");
    EXPECT_EQ(RunCtl("macro encode " + Path("broken.json") + " " + Path("out.dat")).status, 1);
    EXPECT_EQ(RunCtl("macro decode " + Path("missing.dat")).status, 1);
    EXPECT_EQ(RunCtl("macro decode").status, 2);
    EXPECT_EQ(RunCtl("macro encode " + Path("broken.json")).status, 2);
}

}  // namespace
}  // namespace novu
