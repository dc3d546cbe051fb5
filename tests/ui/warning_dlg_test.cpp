#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "ui/warning_dlg.h"
#include "ui_rig.h"

namespace novu::test {
namespace {

class WarningDlgTest : public testing::Test {
protected:
    void SetUp() override { rig.Started(); }

    std::unique_ptr<WarningDlg> Open(std::string_view text = "Something happened") {
        auto dialog = rig.Window().Warnings().Create(text);
        dialog->show();
        return dialog;
    }
    const SkinLayout& Layout() { return rig.Window().Warnings().Layout(); }
    QPoint Button(int control) { return CentreOf(Layout(), control); }

    AppRig rig;
};

TEST_F(WarningDlgTest, OnlyTheReleasePositionCounts) {
    struct Case {
        std::optional<int> pressOn;
        std::optional<int> releaseOn;  // nothing: on the message, no button
        int result;                    // 0: still open
    };
    const Case cases[] = {
        {kWarningFirstButton, kWarningFirstButton, 1},
        {kWarningSecondButton, kWarningSecondButton, 2},
        {kWarningFirstButton, kWarningSecondButton, 2},
        {kWarningSecondButton, kWarningFirstButton, 1},
        {kWarningFirstButton, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        auto dialog = Open();
        const QPoint message = Button(kWarningMessageSlot);
        const QPoint pressAt = c.pressOn ? Button(*c.pressOn) : message;
        const QPoint releaseAt = c.releaseOn ? Button(*c.releaseOn) : message;
        MoveTo(*dialog, pressAt);
        Press(*dialog, pressAt);
        MoveTo(*dialog, releaseAt);
        Release(*dialog, releaseAt);
        EXPECT_EQ(dialog->result(), c.result);
        EXPECT_EQ(dialog->isVisible(), c.result == 0);
    }
}

TEST_F(WarningDlgTest, AClickBeforeTheMouseMovedDoesNothing) {
    auto dialog = Open();
    EXPECT_EQ(dialog->HoverState(), kWarningNotHovered);
    Press(*dialog, Button(kWarningFirstButton));
    Release(*dialog, Button(kWarningFirstButton));
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(WarningDlgTest, HoverStatesAndTheirRepaints) {
    auto dialog = Open();
    MoveTo(*dialog, Button(kWarningFirstButton));
    EXPECT_EQ(dialog->HoverState(), 1);
    MoveTo(*dialog, Button(kWarningFirstButton) + QPoint(1, 1));
    EXPECT_EQ(dialog->RepaintRequests(), 1);
    MoveTo(*dialog, Button(kWarningSecondButton));
    EXPECT_EQ(dialog->HoverState(), 2);
    MoveTo(*dialog, Button(kWarningMessageSlot));
    EXPECT_EQ(dialog->HoverState(), kNoControl);
    EXPECT_EQ(dialog->RepaintRequests(), 3);

    // A new dialog lights the first button the mouse reaches, whatever the last one did.
    auto next = Open();
    MoveTo(*next, Button(kWarningMessageSlot));
    EXPECT_EQ(next->RepaintRequests(), 1);
}

TEST_F(WarningDlgTest, EscapeGivesTwoAndReturnDoesNothing) {
    auto dialog = Open();
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    QTest::keyClick(dialog.get(), Qt::Key_Enter);
    EXPECT_TRUE(dialog->isVisible());
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), 2);
}

TEST_F(WarningDlgTest, ShowWarningRunsModallyAndReturnsTheButton) {
    WarningPresenter& presenter = rig.Window().Warnings();
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<WarningDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(presenter.ShowWarning("Press Escape"), 2);
}

TEST_F(WarningDlgTest, PlacedNearTheDesktopCentreDuringStartupThenByTheWindow) {
    WarningPresenter& presenter = rig.Window().Warnings();
    const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
    presenter.SetStartupPhase(true);
    EXPECT_EQ(Open()->pos(), centre + QPoint(-200, -100));
    presenter.SetStartupPhase(false);
    rig.Window().move(40, 30);
    EXPECT_EQ(Open()->pos(), QPoint(40 + 330, 30 + 280));
    EXPECT_EQ(Open()->size(), QSize(440, 220));  // the mask's size
}

}  // namespace
}  // namespace novu::test
