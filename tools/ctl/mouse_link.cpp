#include "mouse_link.h"

#include <cstdio>
#include <cstdlib>

#include "base/real_clock.h"
#include "platform/linux/linux_hid_bus.h"

namespace novu::ctl {

namespace {

// The mouse went away under a command: nothing it still does can reach the mouse.
[[noreturn]] void MouseRemoved() {
    PrintError("the mouse was removed");
    std::fflush(nullptr);
    // Called on the bus's watching thread while the command runs on the main thread: end
    // the process at once instead of running exit handlers under the command's feet.
    std::_Exit(kFailed);
}

std::string NoMouseMessage(const GlobalOptions& options, const DeviceLink& link) {
    std::string message =
        options.device ? "no mouse found at " + *options.device : std::string("no mouse found");
    if (const std::optional<Error> why = link.LastOpenError()) {
        message += ": " + why->message;
    }
    return message;
}

}  // namespace

Result<std::unique_ptr<MouseLink>> MouseLink::Open(const GlobalOptions& options,
                                                   const DeviceDescription& description) {
    std::unique_ptr<MouseLink> link(new MouseLink());
    if (!options.emulate) {
        link->clock_ = std::make_unique<RealClock>();
        link->bus_ = std::make_unique<LinuxHidBus>();
        link->link_ = std::make_unique<DeviceLink>(*link->bus_, MouseRemoved);
    } else {
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
        auto virtualBus = std::make_unique<VirtualBus>(*link->mouse_);
        link->virtualBus_ = virtualBus.get();
        link->bus_ = std::move(virtualBus);
        link->link_ = std::make_unique<DeviceLink>(*link->bus_);
    }
    link->transport_ = std::make_unique<FeatureTransport>(*link->clock_);
    link->session_ = std::make_unique<DeviceSession>(*link->link_, *link->transport_);
    const std::optional<std::string> path =
        options.emulate ? std::nullopt : std::optional<std::string>(options.device);
    if (!link->session_->Open(description, path)) {
        return MakeError(Fault::Device, NoMouseMessage(options, *link->link_));
    }
    link->feature_ = link->session_->Feature();
    link->featureLength_ = link->link_->FeatureReportLength();
    if (!options.emulate) {
        // Without hot-plug notices (no udev monitor in this environment) the command still
        // runs; a mouse removed meanwhile then only makes its reports fail.
        static_cast<void>(link->link_->StartWatching());
    }
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
