#pragma once

#include <atomic>
#include <mutex>
#include <utility>

#include "config/device_description.h"
#include "config/settings.h"

namespace novu {

// The single holder of the settings for the whole process. The interface thread edits it,
// the device threads follow the mouse's profile and DPI level in it, and uploads read it;
// every access goes through one lock, so a reader never sees half of a profile load.
// Callbacks given to Read and Update must not call back into the store.
class SettingsStore {
public:
    Settings Snapshot() const {
        std::lock_guard lock(mutex_);
        return settings_;
    }

    template <class F>
    decltype(auto) Read(F&& read) const {
        std::lock_guard lock(mutex_);
        return std::forward<F>(read)(static_cast<const Settings&>(settings_));
    }

    template <class F>
    decltype(auto) Update(F&& update) {
        std::lock_guard lock(mutex_);
        struct Refresh {
            SettingsStore& store;
            ~Refresh() { store.languageIndex_.store(store.settings_.VER_SEL & 0xFF); }
        } refresh{*this};
        return std::forward<F>(update)(settings_);
    }

    // LanguageIndex: the low byte of VER_SEL. Read on every key conversion, so it is kept
    // apart from the lock.
    int LanguageIndex() const { return languageIndex_.load(); }

    DeviceDescription Device() const {
        std::lock_guard lock(mutex_);
        return device_;
    }
    void SetDevice(DeviceDescription device) {
        std::lock_guard lock(mutex_);
        device_ = std::move(device);
    }

private:
    mutable std::mutex mutex_;
    Settings settings_;
    DeviceDescription device_;
    std::atomic<int> languageIndex_{0};
};

}  // namespace novu
