#pragma once

#include <QFont>
#include <QPainter>
#include <QPixmap>

#include "config/device_description.h"
#include "config/settings.h"
#include "skin/skin_layout.h"

namespace novu {

// What a page of the main window paints with: its three state images, its layout, the
// hovered entry of its layout, whether the left button is held, and the settings it shows.
struct PageCanvas {
    QPainter& painter;
    QPixmap normal;
    QPixmap over;
    QPixmap down;
    const SkinLayout& layout;
    int hovered = kNoControl;
    bool held = false;
    const Settings& settings;
    const DeviceDescription& device;
    QFont font;  // caption font, size class 2 of the current language

    const ProfileSettings& Profile() const {
        return settings.profiles[static_cast<std::size_t>(settings.CurConfig & 3)];
    }
};

// One page of the main window: it paints from state, in two passes around the header: the
// page's images first, then (after the header's images) its texts.
class PageView {
public:
    virtual ~PageView() = default;
    virtual void PaintImages(PageCanvas& canvas) = 0;
    virtual void PaintTexts(PageCanvas& canvas) = 0;
    // The page is shown or left.
    virtual void Enter() {}
    virtual void Leave() {}
};

}  // namespace novu
