#include "skin/main_window_skin.h"

#include <utility>

namespace novu {

namespace {

constexpr std::string_view kEditSection = "EDIT";
constexpr std::string_view kMacroDisplaySection = "MACRODISPLAY";
constexpr std::array<int, 3> kEditKeys = {0, 1, 2};
constexpr std::array<int, 3> kMacroDisplayKeys = {1, 2, 3};

template <std::size_t N>
std::array<SkinRect, N> ToArray(const std::vector<SkinRect>& rects) {
    std::array<SkinRect, N> out{};
    for (std::size_t i = 0; i < N && i < rects.size(); ++i) {
        out[i] = rects[i];
    }
    return out;
}

}  // namespace

std::array<SkinRect, 6> MacroPageRects::RepaintExclusions() const {
    return {edit[1], display[1], display[0], display[2], edit[2], edit[0]};
}

MainSkinLoad LoadMainWindowSkin(const IniFiles& ini, UserNotices& notices,
                                const std::filesystem::path& languageFolder,
                                std::string_view noFunctionName) {
    MainSkinLoad load;
    const auto missing = [&]() -> MainSkinLoad {
        notices.ShowTip(kMissingSkinTip);
        load.endProgram = true;
        return std::move(load);
    };

    for (const auto& page : kMainPages) {
        auto layout = ReadMainSkinLayout(ini, languageFolder / page.layoutFile, page.entryCount);
        if (!layout) {
            return missing();
        }
        load.skin.pages[static_cast<std::size_t>(page.page)] = std::move(*layout);
    }

    const auto buttonPageFile = languageFolder / kMainPages[kButtonPage].layoutFile;
    load.skin.functions = ReadFunctionNameTable(ini, buttonPageFile, noFunctionName);

    auto warning = ReadMainSkinLayout(ini, languageFolder / kWarningSkin.layoutFile,
                                      kWarningSkin.controlCount);
    if (!warning) {
        return missing();
    }
    load.skin.warning = std::move(*warning);

    const auto macroFile = languageFolder / kMainPages[kMacroPage].layoutFile;
    load.skin.macroRects.edit = ToArray<3>(ReadSkinRects(ini, macroFile, kEditSection, kEditKeys));
    load.skin.macroRects.display =
        ToArray<3>(ReadSkinRects(ini, macroFile, kMacroDisplaySection, kMacroDisplayKeys));
    return load;
}

}  // namespace novu
