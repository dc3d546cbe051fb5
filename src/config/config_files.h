#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "base/ini_files.h"
#include "base/result.h"
#include "base/user_notices.h"
#include "config/data_folder.h"
#include "config/device_description.h"
#include "config/settings_store.h"

namespace novu {

// Tip text shown when a configuration or data file is missing.
constexpr int kTipFileMissing = 5;

// Reading and writing config.ini and configReset.ini: the device description, the four
// profiles, the shared settings, the current profile and the language.
class ConfigFiles {
public:
    ConfigFiles(DataFolder folder, IniFiles& ini, SettingsStore& store, UserNotices& notices);

    const DataFolder& Folder() const { return folder_; }

    // The start-up reading order: the device description, CurConfig, VER_SEL, profiles 0..3
    // and ConfigNum.
    void ReadStartup();

    // Reads PRODUCTNAME, KEYNUM and KEYMAP (and KEY_UIFC) into the store. A button count
    // above 12 or a key number outside 1..14 cannot be used by the tables: it is reported as
    // a warning and dropped (the count limited to 12, the slot left without a key).
    DeviceDescription ReadDeviceDescription();

    // Reads section Config<p> and ShareData from configReset.ini (fromFactory) or config.ini.
    // A missing file shows tip text 5, changes nothing and returns false.
    bool LoadProfile(int profile, bool fromFactory);

    // Writes section Config<p> and ShareData, in the order that fixes a new file's layout.
    Result<void> SaveProfile(const std::filesystem::path& file, int profile);
    // Writes DPI_LEVEL into ShareData.
    Result<void> SaveDpiLevel(const std::filesystem::path& file);
    // Saves the open macro group, CurConfig and the four profiles into config.ini, or into
    // `file`, as one atomic replacement.
    Result<void> SaveAll();
    Result<void> SaveAll(const std::filesystem::path& file);
    Result<void> WriteCurConfig();
    Result<void> WriteLanguage();

    // The save-all step that writes the open macro group; the macro library provides it.
    void SetOpenGroupSaver(std::function<void()> saver) { openGroupSaver_ = std::move(saver); }

    // ConfigNum of section Init, read at start-up and otherwise unused.
    const std::string& ConfigNum() const { return configNum_; }

private:
    DataFolder folder_;
    IniFiles& ini_;
    SettingsStore& store_;
    UserNotices& notices_;
    std::function<void()> openGroupSaver_;
    std::string configNum_;
};

}  // namespace novu
