#include <gtest/gtest.h>

#include <thread>

#include <QDesktopServices>
#include <QSignalSpy>
#include <QUrl>

#include "skin/lighting_page_rules.h"
#include "ui/macro_page_view.h"
#include "ui/window_messages.h"
#include "ui_rig.h"

namespace novu::test {
namespace {

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override { rig.Started(); }

    CNOVU_GMouseDlg& W() { return rig.Window(); }
    const SkinLayout& Header() { return W().Layouts()[kButtonPage]; }
    QPoint HeaderEntry(int entry) { return CentreOf(Header(), entry); }
    Settings Stored() { return rig.Context().Store().Snapshot(); }

    AppRig rig;
};

TEST_F(MainWindowTest, RepaintsOncePerChangeOfTheHoveredEntry) {
    const SkinControl& slot = Header().controls[20];
    MoveTo(W(), {slot.x + 2, slot.y + 2});
    const int start = W().RepaintRequests();

    MoveTo(W(), {slot.x + 10, slot.y + 5});  // within the same control
    MoveTo(W(), {slot.x + slot.width - 1, slot.y + slot.height - 1});
    EXPECT_EQ(W().RepaintRequests(), start);

    MoveTo(W(), {slot.x + slot.width, slot.y + 2});  // the right edge is outside
    EXPECT_EQ(W().RepaintRequests(), start + 1);
    EXPECT_EQ(W().Layouts()[kButtonPage].hoverIndex, kNoControl);

    MoveTo(W(), HeaderEntry(header_entry::kApply));
    EXPECT_EQ(W().RepaintRequests(), start + 2);
    EXPECT_EQ(W().Layouts()[kButtonPage].hoverIndex, header_entry::kApply);
}

TEST_F(MainWindowTest, EveryLayoutIsHitTestedButOnlyTheHeaderOfTheButtonPageElsewhere) {
    Click(W(), HeaderEntry(7));  // the advanced page
    ASSERT_EQ(W().CurrentPage(), kAdvancedPage);
    // Slot 0 of the button page is not part of this page: nothing of the main layout there.
    MoveTo(W(), CentreOf(Header(), 20));
    EXPECT_EQ(W().Layouts()[kButtonPage].hoverIndex, kNoControl);
    // The lighting layout is followed even though its page is not shown.
    const SkinLayout& lighting = W().Layouts()[kLightingPage];
    MoveTo(W(), CentreOf(lighting, lighting_entry::kEffect));
    EXPECT_EQ(W().Layouts()[kLightingPage].hoverIndex, lighting_entry::kEffect);
}

TEST_F(MainWindowTest, TabsSwitchPagesAndTheMacroPageHasItsLists) {
    QSignalSpy moves(&W(), &CNOVU_GMouseDlg::windowMoveStarted);
    for (const MainPage& page : kMainPages) {
        Click(W(), HeaderEntry(page.tabEntry));
        EXPECT_EQ(W().CurrentPage(), page.page);
    }
    EXPECT_EQ(moves.count(), 0);  // a click on a control never moves the window

    Click(W(), HeaderEntry(8));
    MacroPageView& macro = W().MacroPage();
    ASSERT_NE(macro.Tree(), nullptr);
    EXPECT_EQ(macro.Tree()->count(), static_cast<int>(rig.Context().Library().Rows().size()));
    EXPECT_GT(macro.Tree()->count(), 0);
    Click(W(), HeaderEntry(6));
    EXPECT_EQ(macro.Tree(), nullptr);  // the lists exist only while their page is shown
}

TEST_F(MainWindowTest, APressOnEmptySpaceMovesTheWindow) {
    QSignalSpy moves(&W(), &CNOVU_GMouseDlg::windowMoveStarted);
    const QPoint empty(600, 560);  // below the mouse picture, no control on the button page
    Press(W(), empty);
    Release(W(), empty);
    EXPECT_EQ(moves.count(), 1);
    EXPECT_FALSE(W().ButtonHeld());
}

TEST_F(MainWindowTest, TheControlsOfHiddenPagesDoNotStopAMove) {
    QSignalSpy moves(&W(), &CNOVU_GMouseDlg::windowMoveStarted);
    // On the button page, the advanced page's pointer-speed caption lies under this point.
    const QPoint point = CentreOf(W().Layouts()[kAdvancedPage], 0);
    ASSERT_EQ(HitTest(Header(), {point.x(), point.y()}, 71), kNoControl);
    Press(W(), point);
    Release(W(), point);
    EXPECT_EQ(moves.count(), 1);
}

TEST_F(MainWindowTest, ProfileEntriesSelectTheProfileInMemoryOnly) {
    Click(W(), HeaderEntry(header_entry::kFirstProfile + 2));
    EXPECT_EQ(Stored().CurConfig, 2);
    EXPECT_EQ(rig.Context().Ini().GetNumber(rig.data.ConfigIni(), "Init", "CurConfig", 5), 0);
    EXPECT_EQ(rig.mouse.Finishes(), 1);  // nothing sent
}

TEST_F(MainWindowTest, ApplySavesAndUploadsOnce) {
    Click(W(), HeaderEntry(header_entry::kFirstProfile + 3));
    Click(W(), HeaderEntry(header_entry::kApply));
    EXPECT_TRUE(W().Uploads().Running());
    Click(W(), HeaderEntry(header_entry::kApply));  // refused: one upload at a time
    rig.FinishUploads();

    EXPECT_EQ(rig.mouse.Finishes(), 2);
    EXPECT_EQ(rig.Context().Ini().GetNumber(rig.data.ConfigIni(), "Init", "CurConfig", 5), 3);
    EXPECT_EQ(rig.mouse.ActiveProfile(), 3);
}

TEST_F(MainWindowTest, ExportCopiesTheSavedFileAndImportReplacesIt) {
    rig.files.exportFile = rig.temp / "exported.ini";
    Click(W(), HeaderEntry(header_entry::kExport));
    EXPECT_EQ(rig.temp.Read("exported.ini"), rig.temp.Read("skins/config/config.ini"));

    // An imported file without profile 1 loads that profile with every key 0.
    std::string text = rig.temp.Read("exported.ini");
    text.replace(text.find("[Config1]"), 9, "[Other1]");
    rig.files.importFile = rig.temp.Write("imported.ini", text);
    Click(W(), HeaderEntry(header_entry::kImport));
    EXPECT_EQ(rig.temp.Read("skins/config/config.ini"), text);
    EXPECT_EQ(Stored().profiles[1].K[2], 0);
    EXPECT_TRUE(rig.notices.Notices().empty());

    // Cancelled dialogs change nothing and say nothing.
    rig.files.importFile.reset();
    rig.files.exportFile.reset();
    Click(W(), HeaderEntry(header_entry::kImport));
    Click(W(), HeaderEntry(header_entry::kExport));
    EXPECT_EQ(rig.temp.Read("skins/config/config.ini"), text);
    EXPECT_TRUE(rig.notices.Notices().empty());
}

TEST_F(MainWindowTest, ImportOfAMissingFileShowsTipSix) {
    rig.files.importFile = rig.temp / "nowhere.ini";
    const std::string before = rig.temp.Read("skins/config/config.ini");
    Click(W(), HeaderEntry(header_entry::kImport));
    EXPECT_EQ(rig.notices.Tips(), std::vector<int>{6});
    EXPECT_EQ(rig.temp.Read("skins/config/config.ini"), before);
}

TEST_F(MainWindowTest, FactoryResetRestoresEveryProfileButKeepsTheCurrentOne) {
    Click(W(), HeaderEntry(header_entry::kFirstProfile + 1));
    rig.Context().Store().Update([](Settings& s) {
        s.profiles[3].K[1] = 7;
        s.shared.FIRE_TIME = 123;
    });
    Click(W(), HeaderEntry(header_entry::kFactoryReset));

    IniFiles& ini = rig.Context().Ini();
    const Settings settings = Stored();
    EXPECT_EQ(settings.CurConfig, 1);
    EXPECT_EQ(settings.profiles[3].K[1],
              ini.GetNumber(rig.data.ConfigResetIni(), "Config3", "K1", 10));
    EXPECT_EQ(settings.shared.FIRE_TIME,
              ini.GetNumber(rig.data.ConfigResetIni(), "ShareData", "FIRE_TIME", 10));
    EXPECT_EQ(ini.GetNumber(rig.data.ConfigIni(), "Config3", "K1", 10), settings.profiles[3].K[1]);
    EXPECT_EQ(rig.mouse.Finishes(), 1);  // nothing sent until Apply
}

TEST_F(MainWindowTest, MinimiseEntriesAndTheLink) {
    Click(W(), HeaderEntry(header_entry::kMinimise));
    EXPECT_TRUE(W().isMinimized());
    W().RestoreWindow();
    EXPECT_FALSE(W().isMinimized());
    Click(W(), HeaderEntry(header_entry::kMinimiseToo));
    EXPECT_TRUE(W().isMinimized());
    W().RestoreWindow();

    UrlCatcher links;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &links, "Open");
    Click(W(), HeaderEntry(header_entry::kLink));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(links.opened.size(), 1);
    EXPECT_EQ(links.opened[0].toString().toStdString(),
              Header().controls[header_entry::kLink].caption);
}

TEST_F(MainWindowTest, LanguageChangeToChineseAndBack) {
    IniFiles& ini = rig.Context().Ini();
    W().ChooseLanguageRow(header_entry::kLanguageButton, 1);  // the first row: Chinese
    EXPECT_EQ(rig.Context().Store().LanguageIndex(), 0);
    EXPECT_EQ(W().windowTitle(), QString::fromUtf8("NOVU 游戏鼠标"));
    EXPECT_EQ(Header().controls[header_entry::kApply].caption, "应用");
    EXPECT_EQ(ini.GetNumber(rig.data.ConfigIni(), "Init", "VER_SEL", 5), 0);
    EXPECT_EQ(rig.Context().Texts().Text(TextTable::UniqueName_DevMac, 35), "退出");

    W().ChooseLanguageRow(header_entry::kLanguageList, 1);  // the language list: English
    EXPECT_EQ(rig.Context().Store().LanguageIndex(), 1);
    EXPECT_EQ(W().windowTitle(), QStringLiteral("NOVU GMouse"));
    EXPECT_EQ(Header().controls[header_entry::kApply].caption, "Apply");
    EXPECT_EQ(ini.GetNumber(rig.data.ConfigIni(), "Init", "VER_SEL", 5), 1);

    W().ChooseLanguageRow(header_entry::kLanguageList, 2);  // beyond the list: nothing
    EXPECT_EQ(rig.Context().Store().LanguageIndex(), 1);
    EXPECT_TRUE(rig.notices.Notices().empty());
}

TEST_F(MainWindowTest, TheLanguageMenuOpensBelowItsControl) {
    Click(W(), HeaderEntry(header_entry::kLanguageButton));
    LanguageMenu* menu = W().OpenLanguageMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->Rows(), 2);
    const SkinControl& globe = Header().controls[header_entry::kLanguageButton];
    EXPECT_EQ(menu->pos(), W().mapToGlobal(QPoint(globe.x, globe.y + globe.height)));
    EXPECT_EQ(menu->width(), globe.width + 80);
    // Choosing the first band switches to Chinese and closes the menu.
    const QPoint band(5, menu->ItemHeight() / 2);
    MoveTo(*menu, band);
    Press(*menu, band);
    Release(*menu, band);
    Settle();
    EXPECT_EQ(rig.Context().Store().LanguageIndex(), 0);
    EXPECT_EQ(W().OpenLanguageMenu(), nullptr);
}

TEST_F(MainWindowTest, SystemCloseHidesIntoTheTrayOrOnlyMinimisesWithoutOne) {
    W().SetTrayAvailable(true);
    W().close();
    EXPECT_FALSE(rig.app->Ended());
    EXPECT_FALSE(W().isVisible());
    W().RestoreWindow();
    EXPECT_TRUE(W().isVisible());

    W().SetTrayAvailable(false);
    W().close();
    EXPECT_FALSE(rig.app->Ended());
    EXPECT_TRUE(W().isVisible());  // still reachable from the task bar
    EXPECT_TRUE(W().isMinimized());
}

TEST_F(MainWindowTest, TrayCommandsRestoreAndEnd) {
    TrayIcon& tray = rig.app->Tray();
    W().hide();
    emit tray.restoreRequested();
    EXPECT_TRUE(W().isVisible());
    EXPECT_EQ(tray.Menu().actions().size(), 2);
    emit tray.exitRequested();
    EXPECT_TRUE(rig.app->Ended());
}

TEST_F(MainWindowTest, LightingResyncRestoresTheStoredLighting) {
    rig.Context().Store().Update([](Settings& s) { s.shared.DPI_LEVEL = 4; });
    const std::size_t before = rig.SetReports().size();
    // The sound-reactive window posts the message from its own thread when it ends.
    std::thread([this] { W().PostMessage(window_message::kRestoreLighting); }).join();
    EXPECT_EQ(rig.SetReports().size(), before) << "handled on the window's thread only";
    Settle();
    const auto reports = rig.SetReports();
    ASSERT_GT(reports.size(), before);
    bool lighting = false;
    for (std::size_t i = before; i < reports.size(); ++i) {
        lighting |= reports[i][1] == command::kLightingEffect;
    }
    EXPECT_TRUE(lighting);
    EXPECT_EQ(reports.back()[2], memory_step::kIdle);  // ended by Finish
    EXPECT_EQ(Stored().shared.DPI_LEVEL,
              rig.Context().Ini().GetNumber(rig.data.ConfigIni(), "ShareData", "DPI_LEVEL", 5));
}

}  // namespace
}  // namespace novu::test
