#pragma once

#include "ui/page_view.h"

namespace novu {

class SkinImageCache;
class TextSource;

// The lighting page: the effect and the controls it uses, the user colours, the reactive
// lighting of each button, the greyed areas the effect leaves unused, or the off state.
class LightingPageView final : public PageView {
public:
    LightingPageView(SkinImageCache& images, const TextSource& texts)
        : images_(images), texts_(texts) {}

    void PaintImages(PageCanvas& canvas) override;
    void PaintTexts(PageCanvas& canvas) override;

private:
    SkinImageCache& images_;
    const TextSource& texts_;
};

}  // namespace novu
