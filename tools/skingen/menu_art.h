#pragma once

#include <QImage>
#include <string_view>
#include <vector>

#include "art.h"
#include "skin/skin_catalog.h"

namespace novu::skingen {

// One popup menu's images: bands of `itemHeight` pixels down the whole image; the program
// shows the first bands and copies the hovered band from the over or down image.
struct MenuArt {
    MenuSkin skin;
    std::string_view variant;  // inserted before ".jpg" in the file names
    int itemHeight;
    std::vector<int> submenuItems;  // one-based items that open a submenu (drawn with a chevron)
};

// Every menu of the program.
std::vector<MenuArt> AllMenus();

QImage RenderMenu(const MenuArt& menu, State state, qreal scale);

}  // namespace novu::skingen
