#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <iostream>

#include "app/application.h"
#include "app/command_line.h"
#include "app/single_instance.h"
#include "config/data_folder.h"

namespace {

// Status of a command line the program cannot use.
constexpr int kExitUsage = 2;

// --first-frame-exit: once the window has painted for the first time, say so and end (for
// measuring the start-up time).
class FirstFrameExit final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Runs once the paint that is starting now has finished.
            QTimer::singleShot(0, this, [] {
                std::fputs("first frame\n", stdout);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("novu-gmouse"));
    // The window hides into the notification area; only the closing sequence ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    const novu::Result<novu::AppOptions> options =
        novu::ParseAppOptions(QCoreApplication::arguments());
    if (!options) {
        std::cerr << "novu-gmouse: " << options.error().message << '\n';
        return kExitUsage;
    }

    novu::SingleInstance instance(novu::SingleInstance::DefaultName());
    if (!options->firstFrameExit) {
        if (instance.AskRunningInstance()) {
            return 0;  // the running window has been restored
        }
        if (!instance.Listen()) {
            std::cerr << "novu-gmouse: cannot watch for a second start; going on without\n";
        }
    }

    const auto data = novu::ResolveDataFolder(novu::DataFolderSourcesFor(
        QCoreApplication::applicationDirPath().toStdString(), options->dataDir));
    if (!data) {
        QMessageBox::critical(nullptr, QString(), QString::fromStdString(data.error().message));
        return novu::kExitNotStarted;
    }

    novu::CNOVU_GMouseApp program(*options, *data);
    QObject::connect(&instance, &novu::SingleInstance::restoreRequested, &program.Window(),
                     &novu::CNOVU_GMouseDlg::RestoreWindow);
    QObject::connect(&program, &novu::CNOVU_GMouseApp::ended, &application,
                     [](int code) { QCoreApplication::exit(code); });
    FirstFrameExit firstFrame;
    if (options->firstFrameExit) {
        program.Window().installEventFilter(&firstFrame);
    }
    if (!program.Start()) {
        return program.ExitCode();
    }
    return QApplication::exec();
}
