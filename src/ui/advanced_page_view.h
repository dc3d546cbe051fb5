#pragma once

#include <vector>

#include "skin/advanced_page_rules.h"
#include "ui/page_view.h"

namespace novu {

class SkinImageCache;

// The advanced page: the six DPI levels (enabled, current, colour, value), the DPI, pointer,
// wheel and fire-interval sliders, and the polling rate.
class AdvancedPageView final : public PageView {
public:
    explicit AdvancedPageView(SkinImageCache& images) : images_(images) {}

    void PaintImages(PageCanvas& canvas) override;
    void PaintTexts(PageCanvas& canvas) override;

private:
    SkinImageCache& images_;
};

// Draws the sliders of a page: the filled part from the down image, then the knob.
void PaintSliders(PageCanvas& canvas, const std::vector<SliderLook>& sliders, const QPixmap& knob);

}  // namespace novu
