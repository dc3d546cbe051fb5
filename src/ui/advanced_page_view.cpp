#include "ui/advanced_page_view.h"

#include <algorithm>

#include "skin/advanced_page_rules.h"
#include "skin/skin_catalog.h"
#include "ui/skin_image_cache.h"
#include "ui/skin_paint.h"

namespace novu {

namespace {

constexpr int kValueInset = 6;

}  // namespace

void PaintSliders(PageCanvas& c, const std::vector<SliderLook>& sliders, const QPixmap& knob) {
    for (const SliderLook& slider : sliders) {
        if (slider.entry >= static_cast<int>(c.layout.controls.size())) {
            continue;
        }
        const SkinControl& control = c.layout.controls[static_cast<std::size_t>(slider.entry)];
        CopyRect(c.painter, c.down, QRect(control.x, control.y, slider.fill, control.height));
        if (!knob.isNull()) {
            c.painter.drawPixmap(slider.knob.x, slider.knob.y, knob);
        }
    }
}

void AdvancedPageView::PaintImages(PageCanvas& c) {
    if (c.hovered != kNoControl) {
        const bool fromDown = c.held && !IsAdvancedSlider(c.hovered);
        CopyEntry(c.painter, fromDown ? c.down : c.over, c.layout, c.hovered);
    }
    const AdvancedLook look = AdvancedPageLook(c.settings.shared, c.layout);
    for (int entry : look.fromDown) {
        CopyEntry(c.painter, c.down, c.layout, entry);
    }
    for (const ColourFill& fill : look.colours) {
        FillEntry(c.painter, c.layout, fill.entry, fill.colour);
    }
    PaintSliders(c, look.sliders, images_.Get(kSliderKnobImage));
}

void AdvancedPageView::PaintTexts(PageCanvas& c) {
    c.painter.setFont(c.font);
    const int last =
        std::min(advanced_entry::kLastText, static_cast<int>(c.layout.controls.size()) - 1);
    for (int entry = 0; entry <= last; ++entry) {
        const SkinControl& control = c.layout.controls[static_cast<std::size_t>(entry)];
        const std::optional<EntryText> text = AdvancedEntryText(entry, c.settings.shared);
        if (!text) {
            DrawCentred(c.painter, QRectOf(control), ToQString(control.caption), kCaptionWhite);
        } else if (text->rightAligned) {
            // Clear of the value box's border.
            DrawRightAligned(c.painter, QRectOf(control).adjusted(0, 0, -kValueInset, 0),
                             ToQString(text->text), text->colour);
        } else {
            DrawCentred(c.painter, QRectOf(control), ToQString(text->text), text->colour);
        }
    }
}

}  // namespace novu
