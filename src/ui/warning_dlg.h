#pragma once

#include <QDialog>
#include <QFont>
#include <QPoint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "skin/skin_layout.h"
#include "skin/warning_rules.h"

class QWidget;

namespace novu {

class SkinImageCache;
class SkinFonts;

// What one warning dialog shows.
struct WarningSetup {
    SkinLayout layout;  // the five controls of LBWarning.ini
    std::string text;   // the message
    int slot = kWarningMessageSlot;
    QPoint position;  // top-left corner on the screen
    QFont font;       // size class 2 of the current language
};

// WarningDlg: the application's skinned message box with two buttons. Only the position
// where the left button is released counts; Escape ends it with 2; Return does nothing.
class WarningDlg : public QDialog {
    Q_OBJECT

public:
    WarningDlg(WarningSetup setup, SkinImageCache& images, QWidget* parent = nullptr);

    // 1 or 2 over a button, 255 elsewhere, 3 before the mouse moved over the dialog.
    int HoverState() const { return hover_; }
    int RepaintRequests() const { return repaints_; }

public slots:
    void accept() override;
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    WarningSetup setup_;
    SkinImageCache& images_;
    int hover_ = kWarningNotHovered;
    // The hover state at the last repaint request. Each dialog starts from its own state:
    // carried over from an earlier dialog, it would leave the first button the mouse reaches
    // unlit whenever the previous dialog ended over the same button.
    int lastHover_ = kWarningNotHovered;
    int repaints_ = 0;
};

// ShowWarning and the warning state the main window owns: the layout it reads with its skin
// files, whether start-up is still running (which decides the placement) and the window the
// later warnings are placed by.
class WarningPresenter {
public:
    WarningPresenter(SkinImageCache& images, SkinFonts& fonts, std::function<int()> languageIndex);

    void SetLayout(SkinLayout layout) { layout_ = std::move(layout); }
    const SkinLayout& Layout() const { return layout_; }
    void SetStartupPhase(bool startup) { startupPhase_ = startup; }
    bool StartupPhase() const { return startupPhase_; }
    void SetMainWindow(QWidget* window) { mainWindow_ = window; }

    // Whether the skinned dialog can be shown (its layout and images are there).
    bool Ready() const;

    // The popup position: near the desktop's centre during start-up, else the main window's
    // top-left corner plus (330, 280).
    QPoint PopupPosition() const;

    // The dialog for `text`, placed and ready to run.
    std::unique_ptr<WarningDlg> Create(std::string_view text) const;

    // Shows the message modally and returns 1 or 2.
    int ShowWarning(std::string_view text) const;

private:
    SkinImageCache& images_;
    SkinFonts& fonts_;
    std::function<int()> languageIndex_;
    SkinLayout layout_;
    bool startupPhase_ = true;
    QWidget* mainWindow_ = nullptr;
};

}  // namespace novu
