#include "ui/upload_runner.h"

#include <algorithm>

#include "config/config_files.h"
#include "config/profile_management.h"
#include "macro/macro_library.h"
#include "ui/ui_dispatcher.h"

namespace novu {

UploadRunner::UploadRunner(ConfigFiles& config, MacroLibrary& library, UserNotices& notices,
                           UiDispatcher& dispatcher, QObject* parent)
    : QObject(parent),
      config_(config),
      library_(library),
      notices_(notices),
      dispatcher_(dispatcher) {}

UploadRunner::~UploadRunner() {
    WaitForAll();
    dispatcher_.Forget(this);
}

void UploadRunner::FinishSave() {
    if (save_.joinable()) {
        save_.join();
    }
}

void UploadRunner::WaitForAll() {
    jobs_.clear();  // each job joins its thread
    FinishSave();
}

bool UploadRunner::Apply() {
    if (!Launch(UploadTrigger::Apply)) {
        return false;
    }
    FinishSave();  // the previous Apply's save ended long before its upload did
    // The open macro group is captured here, on the window's thread; the worker only writes
    // what was captured.
    library_.PrepareSaveAll();
    save_ = std::thread([this] {
        if (!config_.SaveAll()) {
            notices_.ShowTip(kTipOperationFailed);
        }
    });
    return true;
}

void UploadRunner::Start(UploadTrigger trigger) {
    Launch(trigger);  // never refused: these uploads wait their turn
}

bool UploadRunner::Launch(UploadTrigger trigger) {
    if (uploader_ == nullptr) {
        return false;
    }
    auto progress = [this](const UploadProgress& p) {
        dispatcher_.Post(this, [this, p] { OnProgress(p.reportsSent, p.reportsPlanned); });
    };
    // The job pointer is known only after Start returns; the completion finds its job by the
    // pointer it is handed back.
    auto holder = std::make_shared<UploadJob*>(nullptr);
    auto done = [this, holder](const UploadSummary& summary) {
        const bool written = summary.written;
        dispatcher_.Post(this, [this, holder, written] { OnDone(*holder, written); });
    };
    std::unique_ptr<UploadJob> job =
        UploadJob::Start(*uploader_, trigger, std::move(progress), std::move(done));
    if (!job) {
        return false;
    }
    *holder = job.get();
    jobs_.push_back(std::move(job));
    return true;
}

void UploadRunner::OnProgress(int sent, int planned) {
    sent_ = sent;
    planned_ = planned;
    emit progressChanged(sent, planned);
}

void UploadRunner::OnDone(UploadJob* job, bool written) {
    const auto it =
        std::find_if(jobs_.begin(), jobs_.end(),
                     [job](const std::unique_ptr<UploadJob>& j) { return j.get() == job; });
    if (it != jobs_.end()) {
        jobs_.erase(it);
    }
    ++finished_;
    lastWritten_ = written;
    emit uploadFinished(written);
}

}  // namespace novu
