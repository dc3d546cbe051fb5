#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "base/clock.h"
#include "base/result.h"
#include "config/config_files.h"
#include "config/settings_store.h"
#include "device/feature_transport.h"
#include "device/hid.h"
#include "device/upload_state.h"
#include "macro/macro_record.h"
#include "macro/macro_sources.h"

namespace novu {

class DeviceLink;

// What the device event thread and the key-press service thread work with. The application
// owns all of it; it outlives the threads.
struct DeviceThreadContext {
    Clock& clock;
    FeatureTransport& transport;
    SettingsStore& store;
    ConfigFiles& config;  // WriteCurConfig, LoadProfile and SaveDpiLevel on config.ini
    const MacroSources& macros;
    const UploadState& uploads;  // the key tables of the last upload that was written
    const std::atomic<std::uint8_t>& lightingMode;  // LightingMode: 11 once the mouse was found
    std::atomic<int>* soundStartLevel = nullptr;    // the sound window's starting DPI level
};

// What the threads ask of the application. Both are called on a device thread.
struct DeviceThreadCallbacks {
    // The settings store changed under the window (a profile or DPI level followed from
    // the mouse): the window shows it again. The window marshals this onto its own thread.
    std::function<void()> repaint;
    // Writes a macro record into the file of group `group` under index `index`, keeping the
    // file's macro count (the macro library's writer for records held outside the open
    // group).
    std::function<Result<void>(const MacroRecord& record, int group, int index)> writeMacroEntry;
};

// The input interface the device event thread reads and the length of its reports; a null
// device while the mouse is not open.
struct InputInterface {
    std::shared_ptr<HidDevice> device;
    std::size_t reportLength = 0;
};
using InputSource = std::function<InputInterface()>;

// The vendor input interface of `link`, taken again whenever the thread asks.
InputSource InputOf(const DeviceLink& link);

}  // namespace novu
