#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/result.h"
#include "skin/main_window_skin.h"
#include "skin/skin_layout.h"

namespace novu::skingen {

// The layouts the images are drawn from, read with the program's own readers.
struct Layouts {
    MainWindowSkin main;  // the four pages, the warning layout, the macro page's rectangles
    SkinLayout keyCapture;
    SkinLayout recoil;
    std::vector<SkinRect> recoilEdits;  // EDIT 0..2 of the recoil dialog
    SkinLayout sound;

    const SkinLayout& Page(int page) const { return main.pages[static_cast<std::size_t>(page)]; }
    const SkinControl& Main(int entry) const { return Page(kButtonPage).controls.at(entry); }
};

// Reads every layout of `languageFolder`. Any notice the readers would show (a missing file,
// a malformed value) is an error here: the shipped layouts must read cleanly.
Result<Layouts> LoadLayouts(const std::filesystem::path& languageFolder);

}  // namespace novu::skingen
