#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "ctl_run.h"
#include "support/temp_folder.h"

namespace novu {
namespace {

using test::Quote;
using test::RunCtl;

TEST(CtlStatus, ReadsTheEmulatedMouseAndTracesEveryReport) {
    test::TempFolder folder;
    const auto trace = folder / "status.trace";
    const auto run = RunCtl("--emulate --json status --trace " + Quote(trace.string()));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "{\"profile\":0,\"dpiLevel\":0}\n");
    // On the virtual clock the times are exact: the status read, then one 8-byte block read.
    const auto expected = ReadWholeFile(test::TestData() / "tools" / "status_emulate.trace");
    ASSERT_TRUE(expected.ok());
    EXPECT_EQ(folder.Read("status.trace"), *expected);

    const auto text = RunCtl("--emulate --emulate-variant 0 status");
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out, "Profile        1 of 4 (index 0)\nDPI level      0\n");
}

TEST(CtlStatus, WithoutTheEmulatorThereIsNoMouse) {
    struct Case {
        std::string arguments;
        int status;
    };
    for (const Case& c : std::vector<Case>{
             {"status", 3},
             {"--device /dev/hidraw0 status", 3},
             {"--real-time status", 2},          // only with --emulate
             {"--emulate-variant 0 status", 2},  // only with --emulate
             {"--emulate --emulate-variant 2 status", 2},
             {"--emulate --device /dev/hidraw0 status", 2},
         }) {
        const auto run = RunCtl(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments << '\n' << run.err;
    }
    EXPECT_NE(RunCtl("status").err.find("no mouse found"), std::string::npos);
    test::TempFolder folder;
    const auto unwritable =
        RunCtl("--emulate status --trace " + Quote((folder / "missing" / "x.trace").string()));
    EXPECT_EQ(unwritable.status, 1);
}

// An image with one macro: the key byte, its descriptor and region.
std::string SmallImage() {
    std::string image(0x10000, '\0');
    const auto put = [&](std::size_t address, std::vector<int> bytes) {
        for (int b : bytes) {
            image[address++] = static_cast<char>(b);
        }
    };
    put(0x00, {0x5A, 0x23, 0xA5, 0x40, 0x10, 0xFA, 0x30, 0x00});
    put(0x08, {0x01, 0x0D});
    put(0xA0 + 10, {0x00, 3, 0xFF, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00});
    put(0x0400, {0x01, 0x00, 0xE4, 0x04, 0x64, 0x04, 10, 0xF6, 0x05, 0x00, 0xFD, 0xFF});
    return image;
}

TEST(CtlImage, DecodesForMachinesAndPeople) {
    test::TempFolder folder;
    const auto file = folder.Write("mouse.bin", SmallImage());

    const auto json = RunCtl("--json image decode " + Quote(file.string()));
    ASSERT_EQ(json.status, 0) << json.err;
    const auto decoded = nlohmann::json::parse(json.out);
    EXPECT_EQ(decoded["header"]["profile"], 1);
    EXPECT_EQ(decoded["header"]["productId"], 0x1040);
    EXPECT_EQ(decoded["profiles"][0]["keys"][1]["type"], 0x0D);
    EXPECT_EQ(decoded["profiles"][0]["descriptors"][1]["region"], 0);
    const auto& steps = decoded["regions"][0]["steps"];
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0]["kind"], "press");
    EXPECT_EQ(steps[0]["delayUnits"], 100);
    EXPECT_EQ(steps[2]["x"], 5);
    EXPECT_EQ(steps[2]["y"], -3);

    const auto text = RunCtl("image decode " + Quote(file.string()));
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("Region #1 at 0x0400: play count 1, 3 entries\n"
                            "  press    0x04  delay 100\n"
                            "  release  0x04  delay 100\n"
                            "  move     x 5 y -3  delay 10\n"),
              std::string::npos)
        << text.out;

    folder.Write("short.bin", std::string(100, '\0'));
    EXPECT_EQ(RunCtl("image decode " + Quote((folder / "short.bin").string())).status, 1);
    EXPECT_EQ(RunCtl("image decode " + Quote((folder / "none.bin").string())).status, 1);
    EXPECT_EQ(RunCtl("image decode").status, 2);
}

}  // namespace
}  // namespace novu
