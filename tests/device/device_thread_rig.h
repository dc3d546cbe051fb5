#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <vector>

#include "base/ini_files.h"
#include "base/recorded_notices.h"
#include "base/virtual_clock.h"
#include "config/config_files.h"
#include "config/settings_store.h"
#include "device/device_thread_context.h"
#include "device/fake_macro_sources.h"
#include "device/macro_image.h"
#include "device/memory_image.h"
#include "device/mouse_rig.h"
#include "device/twelve_buttons.h"
#include "device/upload_state.h"
#include "support/temp_folder.h"

namespace novu::test {

// One write of a macro record into a group file, as the threads asked for it.
struct MacroWrite {
    MacroRecord record;
    int group = 0;
    int index = 0;
};

// The world the device threads live in: the virtual mouse on a virtual clock with the
// transport attached, a data folder with config.ini, the settings store of a twelve-button
// mouse in software macro mode, macro tables in memory and the key tables of an upload.
struct DeviceThreadRig {
    DeviceThreadRig() {
        std::filesystem::create_directories(config.Folder().ConfigFolder());
        store.SetDevice(TwelveButtons());
        store.Update([](Settings& s) { s.shared.SOFT_HARD_MAC = 1; });
    }

    void Assign(int profile, int slot, std::int32_t code, std::int32_t leftMac = 0) {
        store.Update([&](Settings& s) {
            s.profiles[static_cast<std::size_t>(profile)].K[static_cast<std::size_t>(slot)] = code;
            s.profiles[static_cast<std::size_t>(profile)].LEFT_MAC[static_cast<std::size_t>(slot)] =
                leftMac;
        });
    }

    // What a start-up would have left: config.ini holding the store, and the key tables of
    // the last upload published.
    void Prepare() {
        ASSERT_TRUE(config.SaveAll());
        MacroCatalog catalog(macros);
        uploads.Publish(memory_address::kMacroArea,
                        DeriveKeyTables(store.Snapshot(), store.Device(), catalog).tables);
    }

    DeviceThreadContext Context() {
        return DeviceThreadContext{rig.clock, rig.transport, store,        config,
                                   macros,    uploads,       lightingMode, &soundLevel};
    }
    DeviceThreadCallbacks Callbacks() {
        return DeviceThreadCallbacks{
            [this] { repaints.fetch_add(1); },
            [this](const MacroRecord& record, int group, int index) -> Result<void> {
                std::lock_guard lock(writesMutex);
                writes.push_back({record, group, index});
                return Ok();
            }};
    }
    std::vector<MacroWrite> Writes() {
        std::lock_guard lock(writesMutex);
        return writes;
    }

    // Set reports with this command code, bytes 0..7.
    std::vector<MouseRig::Sent> Sent(std::uint8_t command) const {
        std::vector<MouseRig::Sent> matching;
        for (const auto& sent : rig.SetReports()) {
            if (sent.head[1] == command) {
                matching.push_back(sent);
            }
        }
        return matching;
    }
    std::int32_t IniNumber(const char* section, const char* key) const {
        return ini.GetNumber(config.Folder().ConfigIni(), section, key, 10);
    }

    MouseRig rig;
    TempFolder data;
    IniFiles ini;
    RecordedNotices notices;
    SettingsStore store;
    ConfigFiles config{DataFolder{data.Path()}, ini, store, notices};
    FakeMacroSources macros;
    UploadState uploads{rig.clock};
    std::atomic<std::uint8_t> lightingMode{11};
    std::atomic<int> soundLevel{-1};
    std::atomic<int> repaints{0};
    std::mutex writesMutex;
    std::vector<MacroWrite> writes;
};

}  // namespace novu::test
