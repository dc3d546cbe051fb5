#include "menu_art.h"

#include <algorithm>

namespace novu::skingen {

std::vector<MenuArt> AllMenus() {
    const int band15 = 0;  // item height = image height / 15
    std::vector<MenuArt> menus = {
        {kButtonMenuSkin, {}, band15, {7, 8, 9, 10, 11}},
        {kEffectMenuSkin, {}, band15, {}},
        {kSmallMenuSkin, {}, band15, {}},
        {kListMenuSkin, {}, band15, {}},
        {kMacroGroupMenuSkin, {}, kMacroMenuItemHeight, {}},
        {kMacroRowMenuSkin, {}, kMacroMenuItemHeight, {}},
        {kMacroStepMenuSkin, kMacroStepMenuVariant, kMacroMenuItemHeight, {}},
        {kInsertMenuSkin, {}, kMacroMenuItemHeight, {1, 2, 3, 4}},
        {kInsertButtonMenuSkin, {}, kMacroMenuItemHeight, {}},
        {kInsertMoveMenuSkin, {}, kMacroMenuItemHeight, {}},
    };
    for (auto& menu : menus) {
        if (menu.itemHeight == band15) {
            menu.itemHeight = menu.skin.designSize.height / kMenuBandCount;
        }
    }
    return menus;
}

QImage RenderMenu(const MenuArt& menu, State state, qreal scale) {
    const QSize size(menu.skin.designSize.width, menu.skin.designSize.height);
    Canvas canvas(size, scale, QColor(0x15, 0x1B, 0x24));
    QPainter& p = canvas.Painter();
    const int bands = size.height() / menu.itemHeight;
    for (int i = 0; i < bands; ++i) {
        const QRectF band(0, i * menu.itemHeight, size.width(), menu.itemHeight);
        if (state != State::Normal) {
            p.fillRect(band.adjusted(1, 0, -1, 0),
                       state == State::Down ? palette::kSelected : palette::kHover);
            p.fillRect(QRectF(1, band.top() + 3, 3, band.height() - 6), palette::kAccent);
        }
        if (i > 0) {
            p.fillRect(QRectF(10, band.top(), size.width() - 20, 1), QColor(255, 255, 255, 12));
        }
        const int item = i + 1;
        if (std::find(menu.submenuItems.begin(), menu.submenuItems.end(), item) !=
            menu.submenuItems.end()) {
            const qreal side = std::min<qreal>(band.height(), 24);
            DrawIcon(p, Icon::ChevronRight,
                     QRectF(band.right() - side - 2, band.center().y() - side / 2, side, side),
                     state == State::Normal ? palette::kIcon : QColor(Qt::white));
        }
    }
    p.save();
    p.setPen(QPen(palette::kControlBorder, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
    p.restore();
    return canvas.Finish();
}

}  // namespace novu::skingen
