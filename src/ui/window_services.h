#pragma once

#include <atomic>
#include <cstdint>

#include "base/clock.h"
#include "base/ini_files.h"
#include "base/user_notices.h"
#include "config/config_files.h"
#include "config/data_folder.h"
#include "config/profile_management.h"
#include "config/settings_store.h"
#include "device/feature_transport.h"
#include "i18n/font_rules.h"
#include "i18n/language_selection.h"
#include "i18n/language_texts.h"
#include "macro/macro_library.h"
#include "macro/recoil_presets.h"

namespace novu {

class FilePicker;
class UiDispatcher;

// The services of the program the main window works with. The application owns them; they
// outlive the window.
struct WindowServices {
    DataFolder data;
    IniFiles& ini;
    SettingsStore& store;
    ConfigFiles& config;
    LanguageTexts& texts;
    LanguageSelection& language;
    FontState& fonts;
    UserNotices& notices;
    MacroLibrary& library;
    RecoilPresets& presets;
    ProfileManagement& profiles;
    FeatureTransport& transport;
    Clock& clock;
    const std::atomic<std::uint8_t>& lightingMode;
    FilePicker& files;
    UiDispatcher& dispatcher;
};

}  // namespace novu
