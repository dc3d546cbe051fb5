#pragma once

#include <filesystem>

#include "base/ini_files.h"
#include "base/user_notices.h"
#include "config/config_files.h"
#include "config/settings_store.h"

namespace novu {

// Tip text shown when a profile file operation cannot be completed.
constexpr int kTipOperationFailed = 6;
// Tip texts of the reset a mouse of variant 0 gets at every start.
constexpr int kTipStartupResetNotice = 2;
constexpr int kTipStartupResetDone = 3;

// The header's profile operations on the settings store and config.ini. None of them sends
// anything to the mouse: the settings reach it with the next Apply.
class ProfileManagement {
public:
    ProfileManagement(ConfigFiles& config, IniFiles& ini, SettingsStore& store,
                      UserNotices& notices);

    // Makes profile 0..3 current in memory (nothing is written).
    void SelectProfile(int profile);

    // Replaces config.ini with a copy of `source` and reloads the four profiles from it.
    // CurConfig and the language stay as they are in memory. A source that does not exist or
    // cannot be read shows tip text 6 and changes nothing. Returns whether it was imported.
    bool Import(const std::filesystem::path& source);

    // Copies config.ini as last saved to `destination`. A copy that fails shows tip text 6.
    bool Export(const std::filesystem::path& destination);

    // Every profile and the shared settings from configReset.ini, each written to config.ini
    // right after it is loaded (profile 3 first, profile 0 last). CurConfig, the language and
    // the device description stay. A save that fails shows tip text 6 once.
    void FactoryReset();

    // The reset at the start of a variant-0 mouse: the factory reset and profile 0 current.
    void StartupReset();

private:
    ConfigFiles& config_;
    IniFiles& ini_;
    SettingsStore& store_;
    UserNotices& notices_;
};

}  // namespace novu
