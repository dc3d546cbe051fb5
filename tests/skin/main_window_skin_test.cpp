#include "skin/main_window_skin.h"

#include <gtest/gtest.h>

#include <set>

#include "base/recorded_notices.h"
#include "support/temp_folder.h"

namespace novu {
namespace {

class MainWindowSkinTest : public testing::Test {
protected:
    void WriteAll() {
        folder_.Write("skin_main.ini",
                      "[BUTTONPOS]\r\n6=0,240,8,124,48,Buttons,0\r\n70=0,1,2,3,4,Last,0\r\n"
                      "[FUN_STRING]\r\n0=None\r\n1=Left click\r\n12=DPI up\r\n");
        folder_.Write("skin_advance.ini", "[BUTTONPOS]\r\n137=0,5,6,7,8,,0\r\n");
        folder_.Write("skin_mac.ini",
                      "[BUTTONPOS]\r\n4=0,310,520,160,44,Record,0\r\n"
                      "[EDIT]\r\n0=0,1,1,1,1,,0\r\n1=0,2,2,2,2,,0\r\n2=0,820,414,100,30,,0\r\n"
                      "[MACRODISPLAY]\r\n0=0,9,9,9,9,,0\r\n1=0,30,152,260,412,,0\r\n"
                      "2=0,310,152,330,356,,0\r\n3=0,660,152,320,100,,0\r\n");
        folder_.Write("skin_color.ini", "[BUTTONPOS]\r\n102=0,1,1,1,1,x,0\r\n");
        folder_.Write("LBWarning.ini", "[BUTTONPOS]\r\n2=0,24,64,392,80,,0\r\n");
    }

    test::TempFolder folder_;
    IniFiles ini_;
    RecordedNotices notices_;
};

TEST_F(MainWindowSkinTest, ReadsEveryFileOfTheLanguageFolder) {
    WriteAll();
    const auto load = LoadMainWindowSkin(ini_, notices_, folder_.Path(), "Disabled");
    EXPECT_FALSE(load.endProgram);
    EXPECT_TRUE(notices_.Notices().empty());
    const auto& skin = load.skin;
    const std::size_t counts[] = {71, 138, 20, 103};
    for (std::size_t page = 0; page < 4; ++page) {
        EXPECT_EQ(skin.pages[page].controls.size(), counts[page]);
    }
    EXPECT_EQ(skin.pages[kButtonPage].controls[6], (SkinControl{240, 8, 124, 48, "Buttons"}));
    EXPECT_EQ(skin.pages[kButtonPage].controls[70].caption, "Last");
    EXPECT_EQ(skin.pages[kAdvancedPage].controls[137], (SkinControl{5, 6, 7, 8, ""}));
    EXPECT_EQ(skin.pages[kMacroPage].controls[4].caption, "Record");
    EXPECT_EQ(skin.pages[kLightingPage].controls[102].caption, "x");
    EXPECT_EQ(skin.warning.controls.size(), 5u);
    EXPECT_EQ(skin.warning.controls[2].width, 392);

    EXPECT_EQ(skin.functions.Name(0), "Disabled");
    EXPECT_EQ(skin.functions.Name(1), "Left click");
    EXPECT_EQ(skin.functions.extras.ListedCount(), 1);

    const auto& rects = skin.macroRects;
    EXPECT_EQ(rects.RepeatCountBox(), (SkinRect{820, 414, 920, 444}));
    EXPECT_EQ(rects.MacroTree(), (SkinRect{30, 152, 290, 564}));  // MACRODISPLAY 0 unread
    EXPECT_EQ(rects.StepList(), (SkinRect{310, 152, 640, 508}));
    EXPECT_EQ(rects.LightingStepList(), (SkinRect{660, 152, 980, 252}));
    const std::array<SkinRect, 6> order = {rects.edit[1],     rects.StepList(),
                                           rects.MacroTree(), rects.LightingStepList(),
                                           rects.edit[2],     rects.edit[0]};
    EXPECT_EQ(rects.RepaintExclusions(), order);
}

TEST_F(MainWindowSkinTest, AMissingFileShowsTipFiveOnceAndEndsTheProgram) {
    for (const char* missing : {"skin_main.ini", "skin_color.ini", "LBWarning.ini"}) {
        SCOPED_TRACE(missing);
        WriteAll();
        std::filesystem::remove(folder_ / missing);
        ini_.Invalidate(folder_ / missing);
        notices_.Clear();
        const auto load = LoadMainWindowSkin(ini_, notices_, folder_.Path(), "Disabled");
        EXPECT_TRUE(load.endProgram);
        EXPECT_EQ(notices_.Tips(), std::vector<int>{5});
    }
}

}  // namespace
}  // namespace novu
