#pragma once

#include <QObject>
#include <memory>

#include "app/app_context.h"
#include "app/command_line.h"
#include "app/power_watcher.h"
#include "app/tray.h"
#include "ui/main_window.h"

namespace novu {

// CNOVU_GMouseApp: the window program. It owns the services, the main window, the tray icon
// and the power watcher, runs the start-up sequence in its fixed order and ends the program
// by the closing sequence, or without it when the mouse is removed.
class CNOVU_GMouseApp : public QObject {
    Q_OBJECT

public:
    CNOVU_GMouseApp(const AppOptions& options, DataFolder data, AppSeams seams = {});
    ~CNOVU_GMouseApp() override;

    // The start-up sequence. False when the program ends at once (no mouse, a missing skin
    // file): the closing sequence has then run and ExitCode() tells how it ended.
    bool Start();

    // The closing sequence: the tray icon removed, Finish and CloseDevice sent, the window
    // closed. An upload still running finishes first, so the closing reports never cut into
    // it.
    void RunClosingSequence(int exitCode = 0);

    bool Ended() const { return ended_; }
    int ExitCode() const { return exitCode_; }

    AppContext& Context() { return *context_; }
    CNOVU_GMouseDlg& Window() { return *window_; }
    TrayIcon& Tray() { return *tray_; }
    PowerWatcher& Power() { return *power_; }

signals:
    // The program is over: the event loop ends with this code.
    void ended(int exitCode);

private:
    void OnMouseRemoved();
    void End(int exitCode);
    void ReportNoMouse();
    void StartFirstUpload();

    AppOptions options_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<CNOVU_GMouseDlg> window_;
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<PowerWatcher> power_;
    bool ended_ = false;
    int exitCode_ = 0;
};

// Exit status when the program could not start (no mouse, a missing skin file).
inline constexpr int kExitNotStarted = 1;

}  // namespace novu
