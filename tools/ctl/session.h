#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "base/ini_files.h"
#include "config/config_files.h"
#include "config/data_folder.h"
#include "config/settings_store.h"
#include "i18n/language_texts.h"
#include "stderr_notices.h"

namespace novu::ctl {

// Exit statuses of the tool.
enum ExitStatus : int { kSuccess = 0, kFailed = 1, kUsage = 2, kNoMouse = 3 };

struct GlobalOptions {
    std::optional<std::filesystem::path> dataDir;
    bool json = false;
    std::optional<int> layout;
    bool emulate = false;               // the built-in virtual mouse
    int emulateVariant = 1;             // its product variant (1: 0x1040, 0: 0x1201)
    bool realTime = false;              // the real clock with the virtual mouse
    std::optional<std::string> device;  // a hidraw interface path instead of discovery
};

// What the commands share: the options and the product's services, built on first use.
class Session {
public:
    // `options` is filled while the command line is parsed; it is read only afterwards.
    Session(const GlobalOptions& options, std::filesystem::path executableFolder);

    const GlobalOptions& Options() const { return options_; }
    StderrNotices& Notices() { return notices_; }
    IniFiles& Ini() { return ini_; }
    SettingsStore& Store() { return store_; }

    // The data folder, resolved as the window resolves it; prints why when it cannot be,
    // unless quiet.
    const DataFolder* Data(bool quiet = false);
    // The configuration services on the data folder (null when there is none).
    ConfigFiles* Config();
    // The configuration services, only when config.ini exists (prints why otherwise).
    ConfigFiles* ExistingConfig();
    // The texts of the stored language, loaded on first use when its file exists (empty
    // tables otherwise); the notices show their tip texts from now on.
    const LanguageTexts& Texts();
    // The LanguageIndex for key conversion: --layout, else VER_SEL of config.ini, else 0.
    int Layout();

private:
    const GlobalOptions& options_;
    std::filesystem::path executableFolder_;
    StderrNotices notices_;
    IniFiles ini_;
    SettingsStore store_;
    std::optional<DataFolder> data_;
    std::unique_ptr<ConfigFiles> config_;
    std::unique_ptr<LanguageTexts> texts_;
};

// Prints "novu-gmousectl: <message>" on stderr.
void PrintError(const std::string& message);

}  // namespace novu::ctl
