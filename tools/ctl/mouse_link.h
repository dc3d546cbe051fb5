#pragma once

#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "base/clock.h"
#include "base/result.h"
#include "base/virtual_clock.h"
#include "config/device_description.h"
#include "device/device_link.h"
#include "device/device_session.h"
#include "device/feature_transport.h"
#include "device/traced_hid_device.h"
#include "emulator/virtual_bus.h"
#include "emulator/virtual_mouse.h"
#include "session.h"

namespace novu::ctl {

// The tool's connection to the mouse, built from the global options: the clock, the HID bus,
// the device link with the mouse's two vendor interfaces, and the feature transport attached
// to the feature interface.
//
// With --emulate the bus holds a virtual mouse (variant from --emulate-variant) and the clock
// is virtual, so every protocol pause passes at once and traces are exact; --real-time keeps
// the real clock. Otherwise the mouse is looked for on the system's HID bus (only at PATH
// with --device) on the real clock, and the bus is watched: when the mouse is removed the
// tool says so and exits with status 1.
class MouseLink {
public:
    // Error (Fault::Device) when no mouse is found; the message says so, and why the mouse's
    // interfaces could not be opened when that is known (a permission problem names the
    // udev rule).
    static Result<std::unique_ptr<MouseLink>> Open(const GlobalOptions& options,
                                                   const DeviceDescription& description);
    ~MouseLink();
    MouseLink(const MouseLink&) = delete;
    MouseLink& operator=(const MouseLink&) = delete;

    Clock& LinkClock() { return *clock_; }
    // The virtual clock, or null on the real one.
    VirtualClock* Virtual() { return virtual_; }
    FeatureTransport& Transport() { return *transport_; }
    DeviceLink& Link() { return *link_; }
    // The start-up and closing steps on the mouse; LightingMode is 11 once it was found.
    DeviceSession& Device() { return *session_; }
    // The virtual mouse and its bus, or null for a real mouse.
    VirtualMouse* Emulator() { return mouse_.get(); }
    VirtualBus* EmulatedBus() { return virtualBus_; }

    // From now on every feature report through the transport (or through FeatureDevice) is
    // written to `file` in the trace format. Call before the first report.
    Result<void> StartTrace(const std::filesystem::path& file);
    // Flushes and closes the trace; an error when the file could not be written whole.
    Result<void> FinishTrace();
    // The feature interface as commands must use it: the traced one while tracing. Senders
    // with a report buffer of their own (the sound window) send through this.
    HidDevice& FeatureDevice();
    std::size_t FeatureReportLength() const { return featureLength_; }

private:
    MouseLink() = default;

    // Declared in the order of construction; each member outlives the ones below it that
    // refer to it.
    std::unique_ptr<Clock> clock_;
    VirtualClock* virtual_ = nullptr;
    std::unique_ptr<VirtualMouse> mouse_;
    std::unique_ptr<HidBus> bus_;
    VirtualBus* virtualBus_ = nullptr;
    std::unique_ptr<DeviceLink> link_;
    std::shared_ptr<HidDevice> feature_;
    std::size_t featureLength_ = 0;
    std::filesystem::path traceFile_;
    std::ofstream trace_;
    std::unique_ptr<TracedHidDevice> traced_;
    std::unique_ptr<FeatureTransport> transport_;
    std::unique_ptr<DeviceSession> session_;
};

// The --trace FILE option of a command that talks to the mouse.
CLI::Option* AddTraceOption(CLI::App& command, std::string& file);

// Opens the link for a command: the device description of the data folder when there is one
// (its DevString names the mouse), the global options, and the trace when `traceFile` is not
// empty. On failure prints why, sets `status` (no mouse: kNoMouse; a trace that cannot be
// written: kFailed) and returns null.
std::unique_ptr<MouseLink> OpenMouseLink(Session& session, const std::string& traceFile,
                                         int& status);

// Ends a command's trace; on failure prints why and sets `status` to kFailed.
void FinishMouseTrace(MouseLink& link, int& status);

}  // namespace novu::ctl
