#include "ui/lighting_page_view.h"

#include <algorithm>

#include "base/user_notices.h"
#include "skin/lighting_page_rules.h"
#include "skin/skin_catalog.h"
#include "ui/advanced_page_view.h"
#include "ui/skin_image_cache.h"
#include "ui/skin_paint.h"

namespace novu {

void LightingPageView::PaintImages(PageCanvas& c) {
    if (c.hovered != kNoControl) {
        CopyEntry(c.painter, c.over, c.layout, c.hovered);
    }
    const LightingLook look =
        LightingPageLook(c.settings.shared, c.Profile(), c.device.KEYNUM, c.layout);
    for (int entry : look.fromDown) {
        CopyEntry(c.painter, c.down, c.layout, entry);
    }
    if (look.lightingOff) {
        CopyEntry(c.painter, images_.Get(kLightingOffImage), c.layout, lighting_entry::kOffOverlay);
        return;
    }
    for (const ColourFill& fill : look.colours) {
        FillEntry(c.painter, c.layout, fill.entry, fill.colour);
    }
    PaintSliders(c, look.sliders, images_.Get(kSliderKnobImage));
    const QPixmap greyed = images_.Get(kLightingNullImage);
    for (int entry : look.greyed) {
        CopyEntry(c.painter, greyed, c.layout, entry);
    }
}

void LightingPageView::PaintTexts(PageCanvas& c) {
    c.painter.setFont(c.font);
    const SharedSettings& shared = c.settings.shared;
    const int last =
        std::min(lighting_entry::kLastText, static_cast<int>(c.layout.controls.size()) - 1);
    for (int entry = 0; entry <= last; ++entry) {
        const SkinControl& control = c.layout.controls[static_cast<std::size_t>(entry)];
        QRect box = QRectOf(control);
        std::string text;
        switch (LightingTextOf(entry, shared, c.device.KEYNUM)) {
            case LightingText::None:
                continue;
            case LightingText::Skin:
                text = control.caption;
                break;
            case LightingText::SkinNarrowed:
                text = control.caption;
                box.setWidth(std::max(0, box.width() - kSliderCaptionInset));
                break;
            case LightingText::EffectName:
                text = texts_.Text(TextTable::UniqueName_LED, EffectNameText(shared.LED_TYPE));
                break;
            case LightingText::ReactiveKindName: {
                const auto slot =
                    static_cast<std::size_t>(entry - lighting_entry::kFirstReactiveKind);
                text = texts_.Text(TextTable::UniqueName_LED,
                                   ReactiveKindNameText(c.Profile().LED_REACT_TYPE[slot]));
                break;
            }
        }
        DrawCentred(c.painter, box, ToQString(text), kCaptionWhite);
    }
}

}  // namespace novu
