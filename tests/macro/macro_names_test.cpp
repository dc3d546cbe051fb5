#include "macro/macro_names.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/text.h"

namespace novu {
namespace {

TEST(UniqueName, FollowsTheNumberingRules) {
    struct Case {
        const char* name;
        std::vector<std::string> names;
        int own;
        const char* expected;
    } cases[] = {
        {"Group", {}, kNoOwnIndex, "Group"},
        {"Group", {"Group"}, kNoOwnIndex, "Group02"},
        {"Group", {"Group", "Group02"}, kNoOwnIndex, "Group03"},
        {"Aim", {"Aim", "Shot"}, 1, "Aim02"},
        {"Aim", {"Aim", "Shot"}, 0, "Aim"},  // its own entry does not count
        {"Shot05", {"Shot07", "Shot05", "Other"}, 2, "Shot08"},
        {"Shot05", {"Shot05"}, kNoOwnIndex, "Shot06"},
        {"Shot05", {"Shot02"}, kNoOwnIndex, "Shot05"},
        {"Aim", {"Aim", "Aim09", "Aimx9", "Ai10"}, kNoOwnIndex, "Aim10"},
        {"12", {"12", "1205"}, kNoOwnIndex, "1206"},  // two characters: always appended
        {"A", {"A", "A07"}, kNoOwnIndex, "A08"},
        {"", {""}, kNoOwnIndex, "02"},
        {"Gun", {"Gun", "Gun99"}, kNoOwnIndex, "Gun100"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UniqueName(c.name, c.names, c.own, static_cast<int>(c.names.size()), 29),
                  c.expected)
            << c.name;
    }
    // Only the first `count` entries take part.
    const std::vector<std::string> names = {"Aim", "Aim"};
    EXPECT_EQ(UniqueName("Aim", names, 0, 1, 29), "Aim");
}

TEST(UniqueName, KeepsItsDigitsWithinTheFieldLength) {
    const std::string full(29, 'n');
    const std::vector<std::string> names = {full};
    const std::string unique = UniqueName(full, names, kNoOwnIndex, 1, 29);
    EXPECT_EQ(unique, std::string(27, 'n') + "02");
    EXPECT_LE(Utf16Length(unique), 29u);

    // The cut stem may meet a name that exists already: the number goes on.
    const std::vector<std::string> crowded = {full, std::string(27, 'n') + "02",
                                              std::string(27, 'n') + "03"};
    EXPECT_EQ(UniqueName(full, crowded, kNoOwnIndex, 3, 29), std::string(27, 'n') + "04");

    // A cut never splits a character.
    const std::string wide = std::string(28, 'x') + "🦁";  // 30 units as UTF-16
    const std::string stored = CutName(wide, 29);
    EXPECT_EQ(stored, std::string(28, 'x'));
    const std::vector<std::string> wideNames = {std::string(26, 'x') + "🦁"};
    EXPECT_EQ(UniqueName(wideNames[0], wideNames, kNoOwnIndex, 1, 29), std::string(26, 'x') + "02");
}

TEST(GroupName, OnlyNamesThatStayInsideTheMacroFolderOnEverySystem) {
    for (const char* good :
         {"Sniper", "Group02", "宏组", "a.b", "x-y_z (1)", "COM10", "CONSOLE", "Nul1"}) {
        EXPECT_TRUE(IsValidGroupName(good)) << good;
    }
    for (const char* bad : {"",        "a/b",   "..",        "../up",       "a..b",
                            "a\\b",    "C:",    "what?",     "star*",       "\"q\"",
                            "<x>",     "a|b",   "tab\tname", "line\nbreak", "dot.",
                            "blank ",  " lead", "'quoted'",  "CON",         "con",
                            "nul.txt", "Com1",  "LPT9",      "aux .x",      "\xff\xfe"}) {
        EXPECT_FALSE(IsValidGroupName(bad)) << bad;
    }
    EXPECT_FALSE(IsValidGroupName(std::string("nul\0x", 5)));
    EXPECT_TRUE(IsValidGroupName(std::string(59, 'g')));
    EXPECT_FALSE(IsValidGroupName(std::string(60, 'g')));
}

}  // namespace
}  // namespace novu
