#include "skin/skin_catalog.h"

#include <span>

#include "base/text.h"

namespace novu {

namespace {

constexpr std::string_view kJpeg = ".jpg";

void Append(std::vector<std::string>& list, const SkinImageNames& names, bool withDown = true) {
    list.push_back(names.mask);
    list.push_back(names.normal);
    list.push_back(names.over);
    if (withDown) {
        list.push_back(names.down);
    }
}

}  // namespace

SkinImageNames SkinImages(std::string_view base) {
    const std::string b(base);
    return SkinImageNames{b + "_mask.jpg", b + "_normal.jpg", b + "_over.jpg", b + "_down.jpg"};
}

std::string ImageVariant(std::string_view fileName, std::string_view variant) {
    if (fileName.ends_with(kJpeg)) {
        fileName.remove_suffix(kJpeg.size());
    }
    return std::string(fileName) + std::string(variant) + std::string(kJpeg);
}

SkinImageNames PageImages(const MainPage& page) {
    const std::string p(page.imagePrefix);
    return SkinImageNames{std::string(kMainMaskImage), p + "normal.jpg", p + "over.jpg",
                          p + "down.jpg"};
}

SkinImageNames MenuImages(const MenuSkin& menu, std::string_view variant) {
    SkinImageNames names = SkinImages(menu.stem);
    if (!variant.empty()) {
        names.mask = ImageVariant(names.mask, variant);
        names.normal = ImageVariant(names.normal, variant);
        names.over = ImageVariant(names.over, variant);
        names.down = ImageVariant(names.down, variant);
    }
    return names;
}

std::string RecoilPicture(int index) {
    return "Gun/" + FormatDecimal(index + 1) + std::string(kJpeg);
}

std::string AppIcon(int size) {
    return "icons/novu-gmouse-" + FormatDecimal(size) + ".png";
}

std::string HighResolution(std::string_view file) {
    const auto dot = file.rfind('.');
    if (dot == std::string_view::npos) {
        return std::string(file) + "@2x";
    }
    return std::string(file.substr(0, dot)) + "@2x" + std::string(file.substr(dot));
}

bool HasHighResolution(std::string_view file) {
    return file.find("_mask") == std::string_view::npos &&
           !file.starts_with("icons/novu-gmouse-") && file.find("@2x") == std::string_view::npos;
}

std::vector<std::string> DataFolderImages() {
    std::vector<std::string> list;
    list.emplace_back(kMainMaskImage);
    for (const auto& page : kMainPages) {
        const auto names = PageImages(page);
        list.push_back(names.normal);
        list.push_back(names.over);
        list.push_back(names.down);
    }
    list.emplace_back(kLightingNullImage);
    list.emplace_back(kLightingOffImage);
    list.emplace_back(kSliderKnobImage);
    for (const auto* dialog : {&kKeyCaptureSkin, &kWarningSkin, &kRecoilSkin, &kSoundSkin}) {
        Append(list, SkinImages(dialog->imageBase), dialog->hasDownImage);
    }
    for (int i = 0; i < kRecoilPictureCount; ++i) {
        list.push_back(RecoilPicture(i));
    }
    for (const auto* menu :
         {&kButtonMenuSkin, &kEffectMenuSkin, &kSmallMenuSkin, &kListMenuSkin, &kMacroGroupMenuSkin,
          &kMacroRowMenuSkin, &kInsertMenuSkin, &kInsertButtonMenuSkin, &kInsertMoveMenuSkin}) {
        Append(list, MenuImages(*menu));
    }
    Append(list, MenuImages(kMacroStepMenuSkin, kMacroStepMenuVariant));
    for (int size : kAppIconSizes) {
        list.push_back(AppIcon(size));
    }
    for (const auto& icons : {std::span<const std::string_view>(kTreeIcons),
                              std::span<const std::string_view>(kStepIcons)}) {
        for (auto icon : icons) {
            list.emplace_back(icon);
            list.push_back(HighResolution(icon));
        }
    }
    return list;
}

std::vector<std::string> LanguageImages() {
    return {std::string(kHostMacroBadgeImage), std::string(kLanguageItemImage),
            std::string(kLanguageItemHoverImage)};
}

}  // namespace novu
