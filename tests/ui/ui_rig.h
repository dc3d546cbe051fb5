#pragma once

#include <QCoreApplication>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "base/recorded_notices.h"
#include "base/virtual_clock.h"
#include "emulator/virtual_bus.h"
#include "emulator/virtual_mouse.h"
#include "support/temp_folder.h"
#include "ui/file_picker.h"

namespace novu::test {

// A private copy of the assembled data folder: the text files are copied (tests change
// them), the images are linked.
DataFolder MakeDataFolder(const std::filesystem::path& target);

// The built data folder the copies come from.
std::filesystem::path BuiltData();

// A file picker answering with prepared paths (nothing: the user cancelled).
class PreparedFiles final : public FilePicker {
public:
    std::optional<std::filesystem::path> importFile;
    std::optional<std::filesystem::path> exportFile;
    int asked = 0;

    std::optional<std::filesystem::path> PickImport(const std::filesystem::path&) override {
        ++asked;
        return importFile;
    }
    std::optional<std::filesystem::path> PickExport(const std::filesystem::path&) override {
        ++asked;
        return exportFile;
    }
};

// Records the links the desktop was asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void Open(const QUrl& url) { opened.append(url); }
};

// Lets queued calls (from worker threads and timers) run.
inline void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

// The window program on a private data folder, the virtual mouse on a virtual clock, notices
// recorded instead of shown and files picked by the test.
struct AppRig {
    explicit AppRig(int variant = 1, AppOptions options = {});
    ~AppRig();

    // Builds the program (after the test changed the data folder, if it wanted to).
    CNOVU_GMouseApp& Make();
    // Make and Start; the start-up upload has finished when this returns.
    CNOVU_GMouseApp& Started();

    CNOVU_GMouseDlg& Window() { return app->Window(); }
    AppContext& Context() { return app->Context(); }
    // Waits for the uploads of the window and lets their completion arrive.
    void FinishUploads();

    // Set reports the mouse received, bytes 0..7 each.
    std::vector<std::array<std::uint8_t, 8>> SetReports() const;

    TempFolder temp;
    DataFolder data;
    VirtualClock clock;
    VirtualMouse mouse;
    VirtualBus bus;
    RecordedNotices notices;
    PreparedFiles files;
    AppOptions options;
    std::unique_ptr<CNOVU_GMouseApp> app;
};

// Mouse events at a window point.
void MoveTo(QWidget& window, QPoint point);
void Press(QWidget& window, QPoint point);
void Release(QWidget& window, QPoint point);
void Click(QWidget& window, QPoint point);

// The centre of entry `entry` of a layout.
QPoint CentreOf(const SkinLayout& layout, int entry);

}  // namespace novu::test
