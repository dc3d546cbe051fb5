#pragma once

#include <QObject>
#include <memory>
#include <thread>
#include <vector>

#include "device/upload.h"

namespace novu {

class ConfigFiles;
class MacroLibrary;
class UiDispatcher;
class UserNotices;

// Runs full uploads on worker threads so the window never freezes: the start-up upload, the
// power-broadcast upload and Apply, whose save of every setting (SaveAll) runs on a worker of
// its own beside the upload. Progress and completion arrive as signals on the window's
// thread. A second Apply while an upload runs is refused.
class UploadRunner : public QObject {
    Q_OBJECT

public:
    UploadRunner(ConfigFiles& config, MacroLibrary& library, UserNotices& notices,
                 UiDispatcher& dispatcher, QObject* parent = nullptr);

    // The uploader of the mouse that was found; until it is set every upload is refused.
    void SetUploader(Uploader* uploader) { uploader_ = uploader; }
    ~UploadRunner() override;

    // Apply: false (and nothing done) while an upload runs or without a mouse.
    bool Apply();
    // The start-up and power-broadcast uploads, which wait for a running one instead.
    void Start(UploadTrigger trigger);

    // Whether an upload started here has not finished yet.
    bool Running() const { return !jobs_.empty(); }
    // Progress of the latest upload: reports sent and planned (0 and 0 before any).
    int Sent() const { return sent_; }
    int Planned() const { return planned_; }
    // Uploads finished since construction, and whether the last one wrote the image.
    int Finished() const { return finished_; }
    bool LastWritten() const { return lastWritten_; }

    // Waits for the save of the last Apply to end (before config.ini is replaced or copied).
    void FinishSave();
    // Waits for every running upload and save to end (the closing sequence, tests).
    void WaitForAll();

signals:
    void progressChanged(int sent, int planned);
    void uploadFinished(bool written);

private:
    bool Launch(UploadTrigger trigger);
    void OnProgress(int sent, int planned);
    void OnDone(UploadJob* job, bool written);

    Uploader* uploader_ = nullptr;
    ConfigFiles& config_;
    MacroLibrary& library_;
    UserNotices& notices_;
    UiDispatcher& dispatcher_;
    std::vector<std::unique_ptr<UploadJob>> jobs_;
    std::thread save_;
    int sent_ = 0;
    int planned_ = 0;
    int finished_ = 0;
    bool lastWritten_ = false;
};

}  // namespace novu
