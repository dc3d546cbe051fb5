#pragma once

#include <filesystem>
#include <functional>

#include "ui/page_view.h"

namespace novu {

class SkinImageCache;
class MacroLibrary;
class RecoilPresets;
class UserNotices;
struct MainWindowSkin;

// The button page: a label per button slot with its function, the slot and its mark on the
// mouse lit together, and the host-macro badge over a slot in left-button macro mode.
class ButtonPageView final : public PageView {
public:
    ButtonPageView(SkinImageCache& images, const MainWindowSkin& skin, const MacroLibrary& library,
                   const RecoilPresets& presets,
                   std::function<std::filesystem::path()> languageFolder, UserNotices& notices);

    void PaintImages(PageCanvas& canvas) override;
    void PaintTexts(PageCanvas& canvas) override;

private:
    SkinImageCache& images_;
    const MainWindowSkin& skin_;
    const MacroLibrary& library_;
    const RecoilPresets& presets_;
    std::function<std::filesystem::path()> languageFolder_;
    UserNotices& notices_;
    bool badgeMissingShown_ = false;
};

}  // namespace novu
