#pragma once

#include "skin/skin_layout.h"

namespace novu {

// The popup position: the screen point an opener sets before showing a skinned popup, which
// then moves its top-left corner there.

// Popups opened from the running main window sit at its top-left corner plus this offset
// (the warning dialog, the key capture dialog).
inline constexpr SkinPoint kPopupOffsetFromMainWindow = {330, 280};
// While the main window is still starting there is no window position to go by: the
// warning dialog sits this far from the centre of the desktop.
inline constexpr SkinPoint kStartupPopupOffsetFromCentre = {-200, -100};

// Where the warning dialog goes.
constexpr SkinPoint WarningPopupPosition(bool startupPhase, SkinPoint desktopCentre,
                                         SkinPoint mainWindowOrigin) {
    if (startupPhase) {
        return {desktopCentre.x + kStartupPopupOffsetFromCentre.x,
                desktopCentre.y + kStartupPopupOffsetFromCentre.y};
    }
    return {mainWindowOrigin.x + kPopupOffsetFromMainWindow.x,
            mainWindowOrigin.y + kPopupOffsetFromMainWindow.y};
}

}  // namespace novu
