#pragma once

#include <array>
#include <filesystem>
#include <string_view>

#include "base/ini_files.h"
#include "base/user_notices.h"
#include "skin/function_names.h"
#include "skin/skin_catalog.h"
#include "skin/skin_layout.h"
#include "skin/skin_reader.h"

namespace novu {

// The rectangles of the macro page's child windows, from "skin_mac.ini".
struct MacroPageRects {
    std::array<SkinRect, 3> edit{};     // section EDIT, entries 0..2 (2: the repeat-count box)
    std::array<SkinRect, 3> display{};  // section MACRODISPLAY, entries 1..3 (tree, steps,
                                        // lighting steps); entry 0 is not read

    const SkinRect& RepeatCountBox() const { return edit[2]; }
    const SkinRect& MacroTree() const { return display[0]; }
    const SkinRect& StepList() const { return display[1]; }
    const SkinRect& LightingStepList() const { return display[2]; }

    // The rectangles the macro page's repaint area is combined with (exclusive or), in
    // order: EDIT 1, MACRODISPLAY 2, 1, 3, EDIT 2, EDIT 0.
    std::array<SkinRect, 6> RepaintExclusions() const;
};

// Everything the main window reads from its language folder's skin files.
struct MainWindowSkin {
    std::array<SkinLayout, kMainPages.size()> pages;  // by page value
    SkinLayout warning;                               // "LBWarning.ini", 5 entries
    FunctionNameTable functions;                      // FUN_STRING of "skin_main.ini"
    MacroPageRects macroRects;
};

// The tip text shown when one of the main window's skin files is missing.
inline constexpr int kMissingSkinTip = 5;

struct MainSkinLoad {
    MainWindowSkin skin;
    // A skin file was missing: tip text 5 has been shown and the program must close.
    bool endProgram = false;
};

// Skin loading of the main window (start-up and every language change): the four page
// layouts, the function names, the warning layout and the macro page's rectangles, all from
// `languageFolder`. The first missing file shows tip text 5 once and ends the loading;
// `noFunctionName` replaces the name of code 0.
MainSkinLoad LoadMainWindowSkin(const IniFiles& ini, UserNotices& notices,
                                const std::filesystem::path& languageFolder,
                                std::string_view noFunctionName);

}  // namespace novu
