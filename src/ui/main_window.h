#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

#include "skin/main_window_rules.h"
#include "skin/main_window_skin.h"
#include "ui/language_menu.h"
#include "ui/macro_page_view.h"
#include "ui/page_view.h"
#include "ui/skin_fonts.h"
#include "ui/skin_image_cache.h"
#include "ui/upload_runner.h"
#include "ui/warning_dlg.h"
#include "ui/window_services.h"

namespace novu {

// CNOVU_GMouseDlg: the application's main window. A borderless window drawn entirely from
// the skin images, shaped by its mask, with a header present on every page and one of four
// pages below it. It paints from the settings store and the skin; the rules of what a click
// does and what is drawn selected live in the core (skin/*_rules.h, config, device).
class CNOVU_GMouseDlg : public QWidget {
    Q_OBJECT

public:
    explicit CNOVU_GMouseDlg(WindowServices& services, QWidget* parent = nullptr);
    ~CNOVU_GMouseDlg() override;

    // --- Start-up steps (in the order the application runs them) ----------------------------
    // The window title from the product name of the current language.
    void SetTitleFromLanguage();
    // CreateFonts for the screen the window is on and the current language.
    void CreateFonts();
    // Reads the four page layouts, the function names and the warning dialog's layout from
    // the language folder. A missing skin file shows tip text 5 and answers false: the
    // program must close.
    bool LoadSkins();
    // Shapes the window from "main_mask.jpg".
    void ApplyMask();
    // The first show minimises the window (the command line asked to start hidden).
    void SetStartHidden(bool hidden) { startHidden_ = hidden; }
    // Without a notification area the window cannot be hidden on close: it is minimised.
    void SetTrayAvailable(bool available) { trayAvailable_ = available; }

    WarningPresenter& Warnings() { return warnings_; }
    UploadRunner& Uploads() { return uploads_; }
    SkinFonts& Fonts() { return fonts_; }

    // --- State, for the application and for tests -------------------------------------------
    int CurrentPage() const { return page_; }
    const MainLayouts& Layouts() const { return skin_.pages; }
    const MainWindowSkin& Skin() const { return skin_; }
    bool ButtonHeld() const { return held_; }
    int RepaintRequests() const { return repaints_; }
    MacroPageView& MacroPage() { return *macroPage_; }
    LanguageMenu* OpenLanguageMenu() const { return menu_; }

    // --- Operations --------------------------------------------------------------------------
    // Repaint: the whole window.
    void Repaint();
    // Page switching (a header tab).
    void ShowPage(int page);
    // A language menu's choice (row 1.. of the menu opened from `headerEntry`).
    void ChooseLanguageRow(int headerEntry, int row);
    // A header entry released: its action.
    void ReleaseHeaderEntry(int entry);
    // Shows, restores and raises the window (tray, second start).
    void RestoreWindow();
    // Any thread: a numbered message (window_messages.h), handled on the window's thread.
    void PostMessage(int message);
    // Closes the window for good at the end of the closing sequence.
    void CloseForGood();

public slots:
    // Lighting resynchronisation (the sound-reactive window ended).
    void RestoreLighting();
    // The system resumed from sleep: the whole device image is sent again.
    void PowerBroadcast();

signals:
    // The close control or the tray's exit: the application runs the closing sequence.
    void closeProgramRequested();
    // A press on empty space started moving the window.
    void windowMoveStarted();
    // The title changed with the language (the tray shows it as its tip).
    void titleChanged(const QString& title);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void SetLanguageHooks();
    void OpenLanguageMenuFor(int entry);
    void StartMove(const QPointF& globalPosition);
    int PageHovered() const;
    void PaintHeader(PageCanvas& canvas);
    void PaintHeaderTexts(QPainter& painter, const QFont& font);
    void PaintProgress(QPainter& painter);
    void Apply();
    void Import();
    void Export();
    void OpenLink();
    void ScheduleLightingPreview();

    WindowServices& s_;
    SkinImageCache images_;
    SkinFonts fonts_;
    WarningPresenter warnings_;
    UploadRunner uploads_;
    MainWindowSkin skin_;
    std::array<std::unique_ptr<PageView>, kMainPages.size()> pages_;
    MacroPageView* macroPage_ = nullptr;
    QPointer<LanguageMenu> menu_;
    QTimer lightingPreview_;

    int page_ = kButtonPage;
    bool held_ = false;
    int repaints_ = 0;
    bool startHidden_ = false;
    bool trayAvailable_ = true;
    bool closingForGood_ = false;
    bool manualMove_ = false;
    QPoint moveOffset_;
};

}  // namespace novu
