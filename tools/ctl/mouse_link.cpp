#include "mouse_link.h"

#include "base/real_clock.h"

namespace novu::ctl {

Result<std::unique_ptr<MouseLink>> MouseLink::Open(const GlobalOptions& options,
                                                   const DeviceDescription& description) {
    if (!options.emulate) {
        // The system's HID bus is not built in yet: there is nowhere to find a real mouse.
        return MakeError(Fault::Device, options.device ? "no mouse found at " + *options.device
                                                       : std::string("no mouse found"));
    }
    std::unique_ptr<MouseLink> link(new MouseLink());
    if (options.realTime) {
        link->clock_ = std::make_unique<RealClock>();
    } else {
        auto virtualClock = std::make_unique<VirtualClock>();
        link->virtual_ = virtualClock.get();
        link->clock_ = std::move(virtualClock);
    }
    // The virtual mouse calls itself what the data folder expects the mouse to be called.
    link->mouse_ = description.DevString.empty()
                       ? std::make_unique<VirtualMouse>(*link->clock_, options.emulateVariant)
                       : std::make_unique<VirtualMouse>(*link->clock_, options.emulateVariant,
                                                        description.DevString);
    link->bus_ = std::make_unique<VirtualBus>(*link->mouse_);
    link->link_ = std::make_unique<DeviceLink>(*link->bus_);
    if (!link->link_->OpenDevice(description)) {
        return MakeError(Fault::Device, "no mouse found");
    }
    link->feature_ = link->link_->FeatureDevice();
    link->featureLength_ = link->link_->FeatureReportLength();
    link->transport_ = std::make_unique<FeatureTransport>(*link->clock_);
    link->transport_->Attach(link->feature_.get(), link->featureLength_);
    return link;
}

MouseLink::~MouseLink() = default;

Result<void> MouseLink::StartTrace(const std::filesystem::path& file) {
    trace_.open(file, std::ios::binary | std::ios::trunc);
    if (!trace_) {
        return MakeError(Fault::File, "cannot write the trace " + file.string());
    }
    traceFile_ = file;
    traced_ = std::make_unique<TracedHidDevice>(*feature_, *clock_, trace_);
    transport_->Attach(traced_.get(), featureLength_);
    return Ok();
}

Result<void> MouseLink::FinishTrace() {
    if (!traced_) {
        return Ok();
    }
    transport_->Attach(feature_.get(), featureLength_);
    traced_.reset();
    trace_.close();
    if (trace_.fail()) {
        return MakeError(Fault::File, "cannot write the trace " + traceFile_.string());
    }
    return Ok();
}

HidDevice& MouseLink::FeatureDevice() {
    return traced_ ? static_cast<HidDevice&>(*traced_) : *feature_;
}

CLI::Option* AddTraceOption(CLI::App& command, std::string& file) {
    return command.add_option("--trace", file, "Write every feature report to FILE");
}

std::unique_ptr<MouseLink> OpenMouseLink(Session& session, const std::string& traceFile,
                                         int& status) {
    DeviceDescription description;
    if (session.Data(/*quiet=*/true) != nullptr && session.Config() != nullptr) {
        description = session.Config()->ReadDeviceDescription();
    }
    auto link = MouseLink::Open(session.Options(), description);
    if (!link) {
        PrintError(link.error().message);
        status = kNoMouse;
        return nullptr;
    }
    if (!traceFile.empty()) {
        if (auto started = (*link)->StartTrace(traceFile); !started) {
            PrintError(started.error().message);
            status = kFailed;
            return nullptr;
        }
    }
    return std::move(*link);
}

void FinishMouseTrace(MouseLink& link, int& status) {
    if (auto finished = link.FinishTrace(); !finished) {
        PrintError(finished.error().message);
        status = kFailed;
    }
}

}  // namespace novu::ctl
