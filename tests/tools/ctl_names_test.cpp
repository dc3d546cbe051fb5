#include <gtest/gtest.h>

#include <regex>

#include "ctl_run.h"
#include "support/temp_folder.h"

namespace novu {
namespace {

using test::Lines;
using test::Quote;
using test::RunCtl;

TEST(CtlKeyNames, OneLinePerUsage) {
    const auto run = RunCtl("--layout 2 keys names");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 256u);
    const std::regex format("[0-9A-F]{2}\t.*");
    for (std::size_t usage = 0; usage < lines.size(); ++usage) {
        EXPECT_TRUE(std::regex_match(lines[usage], format)) << lines[usage];
        EXPECT_EQ(std::stoi(lines[usage].substr(0, 2), nullptr, 16), static_cast<int>(usage));
    }
    EXPECT_EQ(lines[0x14], "14\tA");
    EXPECT_EQ(lines[0x04], "04\tQ");
    EXPECT_EQ(lines[0x58], "58\tNULL");
    EXPECT_EQ(Lines(RunCtl("--layout 25 keys names").out)[0x04], "04\t");
}

TEST(CtlKeyNames, MouseButtonsFromTheLanguageFolderOfTheLayout) {
    test::TempFolder data;
    data.Write("config/config.ini", "[Init]\r\nVER_SEL=4\r\n");
    data.Write("4_INI_DE/LanguageText.ini",
               "[UniqueName_DevMac]\r\n20=0,Linke Taste,0\r\n22=0,Rechte Taste,0\r\n");
    const std::string dataDir = "--data-dir " + Quote(data.Path().string());

    const auto lines = Lines(RunCtl(dataDir + " keys names").out);
    ASSERT_EQ(lines.size(), 256u);
    EXPECT_EQ(lines[0x1D], "1D\tY") << "layout from VER_SEL";
    EXPECT_EQ(lines[0xF1], "F1\tLinke Taste");
    EXPECT_EQ(lines[0xF2], "F2\t");
    EXPECT_EQ(lines[0xF3], "F3\tRechte Taste");

    // Another layout takes its own folder; without one the buttons have no names, and no
    // message box is printed.
    const auto english = RunCtl(dataDir + " --layout 1 keys names");
    EXPECT_EQ(Lines(english.out)[0xF1], "F1\t");
    EXPECT_EQ(english.err, "");

    const auto shipped =
        Lines(RunCtl("--data-dir " + Quote(NOVU_SHIPPED_DATA) + " --layout 0 keys names").out);
    ASSERT_EQ(shipped.size(), 256u);
    EXPECT_EQ(shipped[0xF1], "F1\t左键");
}

}  // namespace
}  // namespace novu
