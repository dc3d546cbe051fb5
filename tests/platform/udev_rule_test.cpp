#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace novu {
namespace {

const std::filesystem::path kRule = NOVU_UDEV_RULE;

std::vector<std::string> RuleLines() {
    std::ifstream file(kRule);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.front() != '#') {
            lines.push_back(line);
        }
    }
    return lines;
}

// The rule grants access to this mouse's hidraw nodes and nothing else: every line that tags
// a device names the mouse's vendor and one of its products, and no line sets a mode, owner
// or group (access comes from the seat's ACL alone).
TEST(UdevRuleTest, GrantsTheSeatUserTheMouseOnly) {
    const std::vector<std::string> lines = RuleLines();
    ASSERT_FALSE(lines.empty()) << kRule;
    const std::regex grant(
        R"re(^ATTRS\{idVendor\}=="30fa", ATTRS\{idProduct\}=="(1040|1201)", TAG\+="uaccess"$)re");
    int grants = 0;
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        EXPECT_EQ(line.find("MODE"), std::string::npos);
        EXPECT_EQ(line.find("OWNER"), std::string::npos);
        EXPECT_EQ(line.find("GROUP"), std::string::npos);
        if (line.find("TAG") != std::string::npos) {
            EXPECT_TRUE(std::regex_match(line, grant));
            ++grants;
        }
    }
    EXPECT_EQ(grants, 2);
    // Removal events and other subsystems leave before any grant.
    EXPECT_EQ(lines[0], R"(ACTION=="remove", GOTO="novu_gmouse_end")");
    EXPECT_EQ(lines[1], R"(SUBSYSTEM!="hidraw", GOTO="novu_gmouse_end")");
    EXPECT_EQ(lines.back(), R"(LABEL="novu_gmouse_end")");
    // uaccess is turned into an ACL by 73-seat-late.rules: the tag must be set before it.
    EXPECT_LT(std::stoi(kRule.filename().string()), 73);
}

}  // namespace
}  // namespace novu
