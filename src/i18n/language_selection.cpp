#include "i18n/language_selection.h"

#include "base/text.h"

namespace novu {

namespace {

template <class Hook, class... Args>
void Run(const Hook& hook, Args&&... args) {
    if (hook) {
        hook(std::forward<Args>(args)...);
    }
}

}  // namespace

LanguageSelection::LanguageSelection(SettingsStore& store, ConfigFiles& config,
                                     LanguageTexts& texts, const FontState& fonts)
    : store_(store), config_(config), texts_(texts), fonts_(fonts) {}

void LanguageSelection::LoadLanguageTexts() {
    texts_.Load(LanguageIndex());
}

Result<void> LanguageSelection::SetLanguage(int index, LanguageChangeOrigin origin) {
    if (index < 0 || index > 255) {
        return MakeError(Fault::Caller,
                         "language index " + FormatDecimal(index) + " is outside 0..255");
    }
    Run(hooks_.saveOpenMacroGroup);

    store_.Update([index](Settings& s) { s.VER_SEL = index; });
    Result<void> written = config_.WriteLanguage();

    LoadLanguageTexts();
    Run(hooks_.refreshDerivedTexts);
    Run(hooks_.reloadSkins);
    Run(hooks_.switchMacroFolders, CurrentMacroFolderPaths());
    Run(hooks_.discardPopupMenus);
    Run(hooks_.setWindowTitle);
    Run(hooks_.reloadRecoilPresets, CurrentPresetFile());
    if (origin == LanguageChangeOrigin::Menu && fonts_.RecreateAfterMenuChange()) {
        Run(hooks_.recreateFonts);
    }
    Run(hooks_.repaint);
    return written;
}

MacroFolderPaths LanguageSelection::CurrentMacroFolderPaths() const {
    return MacroFolderPathsFor(config_.Folder(), LanguageIndex());
}

std::filesystem::path LanguageSelection::CurrentPresetFile() const {
    return PresetFile(config_.Folder(), LanguageIndex());
}

}  // namespace novu
