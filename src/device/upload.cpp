#include "device/upload.h"

#include "device/host_function_keys.h"

namespace novu {

namespace {

void ApplyToSettings(const UploadPlan& plan, Settings& settings) {
    for (const DeadCode& dead : plan.deadCodes) {
        std::int32_t& code = settings.profiles[static_cast<std::size_t>(dead.profile)]
                                 .K[static_cast<std::size_t>(dead.slot)];
        if (code == dead.code) {
            code = 0;
        }
    }
    settings.shared.CYC_7COL_EN = plan.cycleMask;
    settings.shared.RateCode = 7;
}

}  // namespace

std::optional<Uploader::Claim> Uploader::TryClaim(UploadTrigger trigger) {
    if (trigger == UploadTrigger::Apply) {
        if (!context_.state.TryClaimForApply()) {
            return std::nullopt;
        }
    } else {
        context_.state.Claim();
    }
    return std::optional<Claim>(std::in_place, context_.state);
}

std::optional<UploadSummary> Uploader::FullUpload(UploadTrigger trigger,
                                                  const UploadProgressFn& progress) {
    std::optional<Claim> claim = TryClaim(trigger);
    if (!claim) {
        return std::nullopt;
    }
    return Run(*claim, progress);
}

UploadSummary Uploader::Run(const Claim&, const UploadProgressFn& progress) {
    const UploadContext& c = context_;
    std::lock_guard writing(c.state.WriteLock());
    UploadSummary summary;

    if (c.press != nullptr) {
        c.press->armed.store(false);
    }
    UploadInput input;
    input.settings = c.store.Snapshot();
    input.device = c.store.Device();
    input.productVariant = c.productVariant;
    input.lightingMode = c.lightingMode;
    input.previousMacroEnd = c.state.MacroEnd();
    if (c.soundStartLevel != nullptr) {
        c.soundStartLevel->store(input.settings.shared.DPI_LEVEL);
    }

    // Everything is decided before the first report: an image that does not fit is not
    // started, so the mouse keeps its previous image whole.
    const UploadPlan plan = BuildUploadPlan(input, c.macros);
    c.store.Update([&](Settings& settings) { ApplyToSettings(plan, settings); });
    ApplyToSettings(plan, input.settings);
    for (int tip : plan.warnings) {
        c.notices.ShowTip(tip);
    }
    if (!plan.Fits()) {
        c.notices.ShowTip(*plan.failureTip);
        summary.failureTip = plan.failureTip;
        return summary;
    }

    const std::vector<std::uint8_t> hostKeys = HostFunctionKeys(input.settings, input.device);
    UploadProgress sent{0, 1 + plan.WriteReports() + 2 + static_cast<int>(hostKeys.size())};
    auto report = [&](int reports) {
        sent.reportsSent += reports;
        if (progress) {
            progress(sent);
        }
    };
    if (progress) {
        progress(sent);
    }
    const TimePoint start = c.clock.Now();
    c.transport.ReadStatus();  // the answer is not needed; it starts the exchange
    report(1);
    for (const BlockWrite& block : plan.blocks) {
        c.transport.WriteBlock(block.address, block.Bytes());
        report(ReportsOf(block));
    }
    c.transport.Finish();
    report(2);
    c.state.Publish(plan.macroEnd, plan.keys);

    if (c.pointer.MouseSpeed()) {
        summary.mouseSpeedSet =
            c.pointer.SetMouseSpeed(MouseSpeedOfDpiSpeed(input.settings.shared.DPI_SPEED)).ok();
    }
    if (c.pointer.WheelScrollLines()) {
        summary.wheelLinesSet =
            c.pointer.SetWheelScrollLines(input.settings.shared.WHEEL_SPEED).ok();
    }
    for (std::uint8_t hardwareKey : hostKeys) {
        c.transport.SetKeyFunction(hardwareKey, 0);
        report(1);
    }

    summary.written = true;
    summary.reports = sent.reportsSent;
    summary.writeBlocks = static_cast<int>(plan.blocks.size());
    summary.bytes = plan.Bytes();
    summary.duration = c.clock.Now() - start;
    summary.macroEnd = plan.macroEnd;
    return summary;
}

std::unique_ptr<UploadJob> UploadJob::Start(Uploader& uploader, UploadTrigger trigger,
                                            UploadProgressFn progress, DoneFn done) {
    std::optional<Uploader::Claim> claim = uploader.TryClaim(trigger);
    if (!claim) {
        return nullptr;
    }
    std::unique_ptr<UploadJob> job(new UploadJob());
    UploadJob* self = job.get();
    self->thread_ = std::thread([self, &uploader, claim = std::move(claim),
                                 progress = std::move(progress), done = std::move(done)]() mutable {
        self->summary_ = uploader.Run(*claim, progress);
        claim.reset();  // not busy any more once the completion is told
        self->done_.store(true);
        if (done) {
            done(self->summary_);
        }
    });
    return job;
}

UploadJob::~UploadJob() {
    Join();
}

void UploadJob::Join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

}  // namespace novu
