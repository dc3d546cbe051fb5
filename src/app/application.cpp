#include "app/application.h"

#include <QGuiApplication>
#include <QScreen>

#include "i18n/languages.h"
#include "macro/builtin_macros.h"
#include "macro/recoil_presets.h"
#include "ui/skin_paint.h"

namespace novu {

namespace {

// Tip text of the warning shown when no mouse is found; the product name follows it.
constexpr int kTipNoMouse = 1;

}  // namespace

CNOVU_GMouseApp::CNOVU_GMouseApp(const AppOptions& options, DataFolder data, AppSeams seams)
    : options_(options),
      context_(std::make_unique<AppContext>(options, data, seams)),
      window_(std::make_unique<CNOVU_GMouseDlg>(context_->Services())),
      tray_(std::make_unique<TrayIcon>(data.root, context_->Texts())),
      power_(std::make_unique<PowerWatcher>(seams.watchPower)) {
    context_->OwnNotices().SetPresenter(&window_->Warnings());
    context_->OwnFiles().SetParent(window_.get());
    window_->setWindowIcon(tray_->Icon());
    // The device threads and the bus watcher call in from their own threads.
    UiDispatcher& dispatcher = context_->Dispatcher();
    context_->SetRepaintHandler([&dispatcher, window = window_.get()] {
        dispatcher.Post(window, [window] { window->Repaint(); });
    });
    context_->SetRemovedHandler(
        [&dispatcher, this] { dispatcher.Post(this, [this] { OnMouseRemoved(); }); });
    connect(window_.get(), &CNOVU_GMouseDlg::closeProgramRequested, this,
            [this] { RunClosingSequence(0); });
    connect(window_.get(), &CNOVU_GMouseDlg::titleChanged, tray_.get(), &TrayIcon::SetTip);
    connect(tray_.get(), &TrayIcon::restoreRequested, window_.get(),
            &CNOVU_GMouseDlg::RestoreWindow);
    connect(tray_.get(), &TrayIcon::exitRequested, this, [this] { RunClosingSequence(0); });
    connect(power_.get(), &PowerWatcher::resumed, window_.get(), &CNOVU_GMouseDlg::PowerBroadcast);
}

CNOVU_GMouseApp::~CNOVU_GMouseApp() {
    // Nothing may call in from another thread while the window goes: the device threads and
    // the bus watcher end first, then the uploads.
    context_->Threads().Stop();
    context_->Link().StopWatching();
    window_->Uploads().WaitForAll();
    context_->Dispatcher().Forget(window_.get());
    context_->Dispatcher().Forget(this);
    context_->OwnNotices().SetPresenter(nullptr);
    power_.reset();
    tray_.reset();
    window_.reset();
}

bool CNOVU_GMouseApp::Start() {
    AppContext& c = *context_;
    CNOVU_GMouseDlg& window = *window_;
    if (const QScreen* screen = QGuiApplication::primaryScreen(); screen != nullptr) {
        window.move(screen->availableGeometry().center() - window.rect().center());
    }

    c.Threads().Start();
    window.Warnings().SetStartupPhase(true);
    c.Config().ReadStartup();
    c.Language().LoadLanguageTexts();
    window.SetTitleFromLanguage();
    window.CreateFonts();
    if (!window.LoadSkins()) {
        RunClosingSequence(kExitNotStarted);
        return false;
    }
    window.ApplyMask();
    const int language = c.Store().LanguageIndex();
    const DataFolder& data = c.Config().Folder();
    c.Library().Load(LibraryFolders::For(data.root, LanguageFolderName(language)));
    c.Builtins().Load(BuiltinMacroFile(data.root));

    const bool found = c.Session().Open(c.Store().Device());
    c.Threads().InputChanged();
    if (!found) {
        ReportNoMouse();
        RunClosingSequence(kExitNotStarted);
        return false;
    }

    window.SetTrayAvailable(TrayIcon::Available());
    if (TrayIcon::Available()) {
        tray_->Add(window.windowTitle());
    }
    window.SetStartHidden(options_.startHidden);
    c.Presets().Load(RecoilPresetFile(LanguageFolder(data, language)));
    SendHostFunctionKeys(c.Transport(), c.Store());
    (void)c.Link().StartWatching();  // without hot-plug news the program simply keeps running
    window.Warnings().SetStartupPhase(false);
    window.Uploads().SetUploader(&c.MakeUploader(c.Link().Variant()));
    StartFirstUpload();
    window.show();
    return true;
}

void CNOVU_GMouseApp::StartFirstUpload() {
    AppContext& c = *context_;
    if (c.Link().Variant() != 0) {
        window_->Uploads().Start(UploadTrigger::Startup);
        return;
    }
    // A mouse of variant 0 starts from its factory settings every time.
    c.Notices().ShowTip(kTipStartupResetNotice);
    c.Profiles().StartupReset();
    window_->Uploads().Start(UploadTrigger::Startup);
    c.Notices().ShowTip(kTipStartupResetDone);
}

void CNOVU_GMouseApp::ReportNoMouse() {
    AppContext& c = *context_;
    std::string text = c.Texts().Text(TextTable::TipText, kTipNoMouse) +
                       c.Store().Device().ProductName(c.Store().LanguageIndex());
    // Why the mouse could not be opened, when it is there: typically missing access rights,
    // and the message tells how to install the udev rule.
    if (const std::optional<Error> error = c.Link().LastOpenError()) {
        text += "\n" + error->message;
    }
    c.Notices().ShowWarningText(text);
}

void CNOVU_GMouseApp::RunClosingSequence(int exitCode) {
    if (ended_) {
        return;
    }
    tray_->Remove();
    window_->Uploads().WaitForAll();
    // A macro still playing ends (releasing what it holds) before the mouse is told the
    // session is over, so no report follows CloseDevice.
    context_->Threads().Stop();
    context_->Session().Close();
    End(exitCode);
}

void CNOVU_GMouseApp::OnMouseRemoved() {
    if (ended_) {
        return;
    }
    // The mouse is gone: nothing is sent to it any more.
    tray_->Remove();
    End(0);
}

void CNOVU_GMouseApp::End(int exitCode) {
    ended_ = true;
    exitCode_ = exitCode;
    window_->CloseForGood();
    emit ended(exitCode);
}

}  // namespace novu
