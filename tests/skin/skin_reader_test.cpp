#include "skin/skin_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "base/recorded_notices.h"
#include "support/temp_folder.h"

namespace novu {
namespace {

using Kind = RecordedNotices::Kind;

TEST(DialogSkinValue, SplitsSevenFieldsAndReadsTheRectangleAndCaption) {
    struct Case {
        std::string value;
        SkinControl expected;
    };
    const Case cases[] = {
        {"a,10,20,30,40,Hello,x", {10, 20, 30, 40, "Hello"}},
        {"word", {0, 0, 0, 0, ""}},
        {"", {0, 0, 0, 0, ""}},
        // Fewer commas fill the fields they have.
        {"a,10,20", {10, 20, 0, 0, ""}},
        {"a,10,20,30,40,Tail", {10, 20, 30, 40, "Tail"}},
        // More than six: the first six commas split, the rest is field 6.
        {"a,1,2,3,4,Cap,x,y,z", {1, 2, 3, 4, "Cap"}},
        // The text-to-integer rule: blanks, a sign, digits up to the first non-digit.
        {"a, 7,-3,12px,zz,Caption with spaces,", {7, -3, 12, 0, "Caption with spaces"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(ControlFromFields(SplitSkinValue(c.value)), c.expected);
    }
    EXPECT_EQ(SplitSkinValue("a,1,2,3,4,Cap,x,y,z")[6], "x,y,z");
    EXPECT_FALSE(HasTooManyCommas("a,1,2,3,4,Cap,x"));
    EXPECT_TRUE(HasTooManyCommas("a,1,2,3,4,Cap,x,"));
}

TEST(LoadSkinLayout, ReadsEveryControlAndReportsOverlongValues) {
    test::TempFolder folder;
    const auto file = folder.Write("skin_keyset.ini",
                                   "[BUTTONPOS]\r\n"
                                   "0=0,40,54,280,60,,0\r\n"
                                   "1=0,56,140,116,38,OK,0\r\n"
                                   "2=0,1,2,3,4,Cancel,0,extra\r\n");
    IniFiles ini;
    RecordedNotices notices;
    const auto load = LoadSkinLayout(ini, notices, file, 4);
    EXPECT_FALSE(load.endDialog);
    ASSERT_EQ(load.layout.controls.size(), 4u);
    EXPECT_EQ(load.layout.controls[0], (SkinControl{40, 54, 280, 60, ""}));
    EXPECT_EQ(load.layout.controls[1], (SkinControl{56, 140, 116, 38, "OK"}));
    EXPECT_EQ(load.layout.controls[2], (SkinControl{1, 2, 3, 4, "Cancel"}));
    EXPECT_EQ(load.layout.controls[3], SkinControl{});  // key missing
    EXPECT_EQ(load.layout.hoverIndex, kNoControl);
    EXPECT_EQ(load.layout.lastHoverIndex, kNoControl);
    EXPECT_FALSE(load.layout.pressed);
    ASSERT_EQ(notices.Notices().size(), 1u);
    EXPECT_EQ(notices.Notices()[0],
              (RecordedNotices::Notice{Kind::MessageBox, -1, "加载ini错误！"}));
}

TEST(LoadSkinLayout, MissingFileTellsOncePerControlAndEndsTheDialog) {
    test::TempFolder folder;
    IniFiles ini;
    RecordedNotices notices;
    const auto load = LoadSkinLayout(ini, notices, folder / "skin_sound.ini", 50);
    EXPECT_TRUE(load.endDialog);
    ASSERT_EQ(load.layout.controls.size(), 50u);
    for (const auto& control : load.layout.controls) {
        EXPECT_EQ(control, SkinControl{});
    }
    const auto shown = notices.Notices();
    ASSERT_EQ(shown.size(), 50u);
    for (const auto& notice : shown) {
        EXPECT_EQ(notice, (RecordedNotices::Notice{Kind::MessageBox, -1, "找不到配置文件"}));
    }
}

TEST(LoadSkinLayout, ReadsAtMost259CharactersOfAValue) {
    test::TempFolder folder;
    const std::string caption(300, 'c');
    const auto file = folder.Write("skin.ini", "[BUTTONPOS]\r\n0=0,1,2,3,4," + caption + ",0\r\n");
    IniFiles ini;
    RecordedNotices notices;
    const auto load = LoadSkinLayout(ini, notices, file, 1);
    // "0,1,2,3,4," is 10 characters, so 249 of the caption fit.
    EXPECT_EQ(load.layout.controls[0].caption, std::string(249, 'c'));
}

TEST(MainSkinEntry, SplitsByTheNumberOfCommas) {
    struct Case {
        std::string value;
        SkinControl expected;
    };
    const Case cases[] = {
        {"word", {0, 0, 0, 0, ""}},           // none: all field 0
        {"a,10", {10, 0, 0, 0, ""}},          // one: as two
        {"a,10,20", {10, 20, 0, 0, ""}},      // two: fields 0..2
        {"a,10,20,30", {0, 0, 0, 0, ""}},     // three: all field 0
        {"a,10,20,30,40", {0, 0, 0, 0, ""}},  // four: all field 0
        {"a,10,20,30,40,Cap", {10, 20, 30, 40, "Cap"}},
        {"a,10,20,30,40,Cap,x", {10, 20, 30, 40, "Cap"}},
        {"a,10,20,30,40,Cap,x,y,z", {10, 20, 30, 40, "Cap"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(MainSkinEntry(c.value), c.expected);
    }
}

TEST(ReadSkinRects, TurnsEntriesIntoEdges) {
    test::TempFolder folder;
    const auto file = folder.Write("skin_mac.ini",
                                   "[EDIT]\r\n0=0,0,0,0,0,,0\r\n2=0,820,414,100,30,,0\r\n"
                                   "[MACRODISPLAY]\r\n1=0,30,152,260,412,,0\r\n"
                                   "2=0,2147483000,1,1000,1,,0\r\n");
    IniFiles ini;
    const int editKeys[] = {0, 1, 2};
    const auto edit = ReadSkinRects(ini, file, "EDIT", editKeys);
    ASSERT_EQ(edit.size(), 3u);
    EXPECT_EQ(edit[0], SkinRect{});
    EXPECT_EQ(edit[1], SkinRect{});  // missing key
    EXPECT_EQ(edit[2], (SkinRect{820, 414, 920, 444}));
    const int displayKeys[] = {1, 2};
    const auto display = ReadSkinRects(ini, file, "MACRODISPLAY", displayKeys);
    EXPECT_EQ(display[0], (SkinRect{30, 152, 290, 564}));
    EXPECT_EQ(display[1].right, INT32_MAX);  // saturates instead of wrapping
}

TEST(ReadMainSkinLayout, MissingFileIsNoLayout) {
    test::TempFolder folder;
    IniFiles ini;
    EXPECT_FALSE(ReadMainSkinLayout(ini, folder / "skin_main.ini", 71).has_value());
}

}  // namespace
}  // namespace novu
