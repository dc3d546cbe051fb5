#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <utility>

#include "base/clock.h"
#include "base/user_notices.h"
#include "config/settings_store.h"
#include "device/feature_transport.h"
#include "device/playback_state.h"
#include "device/pointer_settings.h"
#include "device/upload_plan.h"
#include "device/upload_state.h"
#include "macro/macro_sources.h"

namespace novu {

// Who started an upload: Apply is refused while another upload runs; the start-up upload
// and a power broadcast wait for it instead.
enum class UploadTrigger { Startup, Apply, PowerBroadcast };

struct UploadProgress {
    int reportsSent = 0;
    int reportsPlanned = 0;
};
using UploadProgressFn = std::function<void(const UploadProgress&)>;

struct UploadSummary {
    bool written = false;           // false: the image did not fit and nothing was sent
    std::optional<int> failureTip;  // the TipText entry shown when it did not fit
    int reports = 0;                // feature reports exchanged, the status read included
    int writeBlocks = 0;
    int bytes = 0;  // bytes written to the configuration memory
    Duration duration{};
    std::uint16_t macroEnd = 0;
    bool mouseSpeedSet = false;
    bool wheelLinesSet = false;
};

// What an upload works with. The press state and the sound window's starting level are
// optional: a tool without device threads has neither.
struct UploadContext {
    FeatureTransport& transport;
    SettingsStore& store;
    const MacroSources& macros;
    PointerSettings& pointer;
    UserNotices& notices;
    Clock& clock;
    UploadState& state;
    int productVariant = 1;
    std::uint8_t lightingMode = 11;
    PressState* press = nullptr;
    std::atomic<int>* soundStartLevel = nullptr;
};

// FullUpload: the whole configuration memory of the four profiles, the macro descriptors
// and regions, the end-of-batch sequence, the desktop pointer settings and, in software
// macro mode, the host-side functions of the current profile's buttons.
class Uploader {
public:
    explicit Uploader(const UploadContext& context) : context_(context) {}

    // A hold on the busy flag for one upload.
    class Claim {
    public:
        explicit Claim(UploadState& state) : state_(&state) {}
        Claim(Claim&& other) noexcept : state_(std::exchange(other.state_, nullptr)) {}
        Claim& operator=(Claim&&) = delete;
        ~Claim() {
            if (state_ != nullptr) {
                state_->Release();
            }
        }

    private:
        UploadState* state_;
    };

    // Marks the upload busy; empty when Apply is refused because another upload runs.
    std::optional<Claim> TryClaim(UploadTrigger trigger);
    // Runs a claimed upload on the calling thread; waits for an upload that is writing.
    UploadSummary Run(const Claim& claim, const UploadProgressFn& progress = {});
    // TryClaim and Run; empty when refused.
    std::optional<UploadSummary> FullUpload(UploadTrigger trigger,
                                            const UploadProgressFn& progress = {});

private:
    UploadContext context_;
};

// An upload on a worker thread of its own, so the caller stays responsive. Progress and
// completion are reported on the worker thread.
class UploadJob {
public:
    using DoneFn = std::function<void(const UploadSummary&)>;

    // Null when Apply is refused; the claim is taken before this returns, so a second Apply
    // right after the first is refused. `uploader` must outlive the job.
    static std::unique_ptr<UploadJob> Start(Uploader& uploader, UploadTrigger trigger,
                                            UploadProgressFn progress = {}, DoneFn done = {});
    ~UploadJob();
    UploadJob(const UploadJob&) = delete;
    UploadJob& operator=(const UploadJob&) = delete;

    bool Done() const { return done_.load(); }
    void Join();
    // The outcome; valid once Done() is true or Join returned.
    const UploadSummary& Summary() const { return summary_; }

private:
    UploadJob() = default;

    std::thread thread_;
    std::atomic<bool> done_{false};
    UploadSummary summary_;
};

}  // namespace novu
