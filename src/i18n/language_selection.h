#pragma once

#include <filesystem>
#include <functional>

#include "base/result.h"
#include "config/config_files.h"
#include "config/settings_store.h"
#include "i18n/font_rules.h"
#include "i18n/language_texts.h"
#include "i18n/languages.h"

namespace novu {

// Where a language change came from: the main window's two language buttons, or the
// language menu (which is the only origin that may recreate the fonts).
enum class LanguageChangeOrigin { Button, Menu };

// The steps of a language change that belong to other parts of the program, in the order
// they run. The application wires them; a step left empty is skipped.
struct LanguageChangeHooks {
    // Writes the open macro group into the old language's macro folder.
    std::function<void()> saveOpenMacroGroup;
    // The main window copies the names it derives from the texts (effect names ...).
    std::function<void()> refreshDerivedTexts;
    // The main window re-reads its skin files from the new language folder.
    std::function<void()> reloadSkins;
    // The macro library moves to the new folders and reloads its groups and the open list.
    std::function<void(const MacroFolderPaths&)> switchMacroFolders;
    // The popup menus built for the old language are discarded.
    std::function<void()> discardPopupMenus;
    // The main window takes the product name of the new language as its title.
    std::function<void()> setWindowTitle;
    // The recoil presets are read from the new language's preset file.
    std::function<void(const std::filesystem::path&)> reloadRecoilPresets;
    // The default font set is released and the fonts created again (see FontState).
    std::function<void()> recreateFonts;
    std::function<void()> repaint;
};

// The interface language: the LanguageIndex in the settings store, its text tables and the
// folders that follow it.
class LanguageSelection {
public:
    LanguageSelection(SettingsStore& store, ConfigFiles& config, LanguageTexts& texts,
                      const FontState& fonts);

    void SetHooks(LanguageChangeHooks hooks) { hooks_ = std::move(hooks); }

    int LanguageIndex() const { return store_.LanguageIndex(); }

    // LoadLanguageTexts for the current LanguageIndex (start-up; the index was read with the
    // configuration).
    void LoadLanguageTexts();

    // SetLanguage: save the open macro group; set the LanguageIndex and write it to VER_SEL;
    // reload the texts; let the main window refresh its texts and skins; switch the macro
    // folders; discard the popup menus; set the title; reload the recoil presets; recreate
    // the fonts when the menu asked and the embedded sets are not in use; repaint.
    // An index outside 0..255 is refused and changes nothing. When VER_SEL cannot be written
    // the change still takes effect for this run and the write error is returned.
    Result<void> SetLanguage(int index, LanguageChangeOrigin origin);

    // The folders of the current language.
    MacroFolderPaths CurrentMacroFolderPaths() const;
    std::filesystem::path CurrentPresetFile() const;

private:
    SettingsStore& store_;
    ConfigFiles& config_;
    LanguageTexts& texts_;
    const FontState& fonts_;
    LanguageChangeHooks hooks_;
};

}  // namespace novu
