#include <gtest/gtest.h>

#include "ctl_run.h"
#include "support/temp_folder.h"

namespace novu {
namespace {

using test::Lines;
using test::Quote;
using test::RunCtl;

TEST(CtlKeys, ForwardAndReverseTablesOfALayout) {
    const auto forward = RunCtl("--layout 2 keys forward");
    ASSERT_EQ(forward.status, 0) << forward.err;
    const auto lines = Lines(forward.out);
    ASSERT_EQ(lines.size(), 256u);
    EXPECT_EQ(lines[0x00], "00 00");
    EXPECT_EQ(lines[0x41], "41 14");
    EXPECT_EQ(lines[0xF0], "F0 F1");

    const auto reverse = Lines(RunCtl("--layout 2 keys reverse").out);
    ASSERT_EQ(reverse.size(), 256u);
    EXPECT_EQ(reverse[0xE6], "E6 A2");
    EXPECT_EQ(Lines(RunCtl("--layout 25 keys reverse").out)[0x04], "04 00");
}

TEST(CtlKeys, LayoutDefaultsToTheLanguageOfTheDataFolder) {
    test::TempFolder data;
    data.Write("config/config.ini", "[Init]\r\nVER_SEL=4\r\n");
    const auto run = RunCtl("--data-dir " + Quote(data.Path().string()) + " keys forward");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Lines(run.out)[0x59], "59 1D");  // German QWERTZ
}

TEST(CtlKeys, PositionAndMedia) {
    EXPECT_EQ(RunCtl("--layout 0 keys position 30").out, "14\n");
    EXPECT_EQ(RunCtl("--layout 2 keys position 30").out, "04\n");
    EXPECT_EQ(RunCtl("--layout 1 keys position 79").out, "FF\n");
    EXPECT_EQ(RunCtl("keys media 0").out, "0223\n");
    EXPECT_EQ(RunCtl("keys media 11").out, "0000\n");
    EXPECT_EQ(RunCtl("keys position").status, 2);
    EXPECT_EQ(RunCtl("--layout 300 keys forward").status, 2);
}

}  // namespace
}  // namespace novu
