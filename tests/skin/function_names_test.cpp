#include "skin/function_names.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/temp_folder.h"

namespace novu {
namespace {

TEST(FunctionNameTable, NamesAreFieldZeroAndCodeZeroTakesTheLanguageName) {
    test::TempFolder folder;
    const auto file = folder.Write("skin_main.ini",
                                   "[FUN_STRING]\r\n0=Nothing\r\n"
                                   "3=Middle,ignored\r\n"  // one comma
                                   "4=Back,a,b\r\n"        // two commas
                                   "5=Fwd,a,b,c\r\n"       // three: whole
                                   "6=A,b,c,d,e\r\n"       // four: whole
                                   "7=Adv,1,2,3,4,5\r\n"   // five
                                   "47=Last\r\n");
    IniFiles ini;
    const auto table = ReadFunctionNameTable(ini, file, "Disabled");
    EXPECT_EQ(table.Name(0), "Disabled");
    EXPECT_EQ(table.Name(3), "Middle");
    EXPECT_EQ(table.Name(4), "Back");
    EXPECT_EQ(table.Name(5), "Fwd,a,b,c");
    EXPECT_EQ(table.Name(6), "A,b,c,d,e");
    EXPECT_EQ(table.Name(7), "Adv");
    EXPECT_EQ(table.Name(47), "Last");
    EXPECT_EQ(table.Name(8), "");
    EXPECT_EQ(table.Name(48), "");
    EXPECT_EQ(table.Name(-1), "");
}

TEST(ExtraFunctionList, ListsNamedCodesTwelveToSeventeenThenTheSkinFunctions) {
    test::TempFolder folder;
    const auto file = folder.Write("skin_main.ini",
                                   "[FUN_STRING]\r\n"
                                   "0=NoFunctionLongerThanNine\r\n"
                                   "12=DPI up\r\n13=DPI down\r\n14=\r\n"
                                   "15=Rapid fire\r\n16=\r\n17=Wheel down\r\n"
                                   "18=Never listed\r\n"
                                   "30000=\r\n30001=Turbo\r\n"
                                   "30003=A name of twenty chars\r\n");
    IniFiles ini;
    const auto table = ReadFunctionNameTable(ini, file, "Disabled");
    const std::vector<ExtraFunction> expected = {
        {12, "DPI up", 1},
        {13, "DPI down", 2},
        {15, "Rapid fire", 3},
        {17, "Wheel down", 4},
        {0, "NoFunctio", 0},           // read with a 10-character buffer
        {30001, "Turbo", 5},           // empty 30000 uses no position
        {30003, "A name of twen", 6},  // 15-character buffer
    };
    EXPECT_EQ(table.extras.Entries(), expected);
    EXPECT_EQ(table.extras.ListedCount(), 6);
    ASSERT_NE(table.extras.AtPosition(5), nullptr);
    EXPECT_EQ(table.extras.AtPosition(5)->code, 30001);
    EXPECT_EQ(table.extras.AtPosition(7), nullptr);
    EXPECT_EQ(table.extras.ForCode(18), nullptr);
    EXPECT_EQ(table.extras.ForCode(30000), nullptr);
    ASSERT_NE(table.extras.ForCode(30003), nullptr);
    EXPECT_EQ(table.Name(0), "Disabled");
}

TEST(ExtraFunctionList, EmptyCodeZeroIsNotListed) {
    test::TempFolder folder;
    const auto file = folder.Write("skin_main.ini", "[FUN_STRING]\r\n12=Only\r\n");
    IniFiles ini;
    const auto table = ReadFunctionNameTable(ini, file, "");
    EXPECT_EQ(table.extras.Entries(), (std::vector<ExtraFunction>{{12, "Only", 1}}));
}

}  // namespace
}  // namespace novu
