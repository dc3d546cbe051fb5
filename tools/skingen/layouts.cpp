#include "layouts.h"

#include "base/recorded_notices.h"

namespace novu::skingen {

Result<Layouts> LoadLayouts(const std::filesystem::path& languageFolder) {
    IniFiles ini;
    RecordedNotices notices;
    Layouts layouts;
    auto main = LoadMainWindowSkin(ini, notices, languageFolder, "");
    layouts.main = std::move(main.skin);
    layouts.keyCapture = LoadSkinLayout(ini, notices, languageFolder / kKeyCaptureSkin.layoutFile,
                                        kKeyCaptureSkin.controlCount)
                             .layout;
    layouts.recoil = LoadSkinLayout(ini, notices, languageFolder / kRecoilSkin.layoutFile,
                                    kRecoilSkin.controlCount)
                         .layout;
    const int editKeys[] = {0, 1, 2};
    layouts.recoilEdits =
        ReadSkinRects(ini, languageFolder / kRecoilSkin.layoutFile, "EDIT", editKeys);
    layouts.sound = LoadSkinLayout(ini, notices, languageFolder / kSoundSkin.layoutFile,
                                   kSoundSkin.controlCount)
                        .layout;
    const auto shown = notices.Notices();
    if (!shown.empty()) {
        return MakeError(Fault::File, "the layouts of " + languageFolder.string() +
                                          " do not read cleanly: " + shown.front().text +
                                          (shown.front().tipIndex >= 0 ? " (tip text 5)" : ""));
    }
    return layouts;
}

}  // namespace novu::skingen
