// Renders every image of the shipped skin from the skin layouts: the windows' state images
// and masks, the menus, the recoil pictures, the per-language images and the icons.
//
//   novu-skingen <source data folder> <output data folder>
//
// The layouts are read from the source data folder's English folder (every language shares
// the rectangles); the images are written into the output data folder.
#include <QGuiApplication>
#include <array>
#include <iostream>

#include "image_files.h"
#include "layouts.h"
#include "menu_art.h"
#include "pictures.h"
#include "window_art.h"

namespace novu::skingen {
namespace {

struct LanguageArt {
    std::string_view folder;
    const char* name;  // the language's own name, shown by the language menu
    const char* family;
};
constexpr std::array<LanguageArt, 2> kLanguages = {{
    {"0_INI_CN", "简体中文", "Noto Sans CJK SC"},
    {"1_INI_EN", "English", "Roboto"},
}};
constexpr std::string_view kGeometryFolder = "1_INI_EN";

struct StateImage {
    State state;
    std::string SkinImageNames::*name;
};
constexpr std::array<StateImage, 3> kStates = {{
    {State::Normal, &SkinImageNames::normal},
    {State::Over, &SkinImageNames::over},
    {State::Down, &SkinImageNames::down},
}};

template <class Render>
void WriteDialog(ImageFolder& out, const DialogSkin& dialog, Render render) {
    const auto names = SkinImages(dialog.imageBase);
    out.Mask(names.mask,
             RoundedMask(QSize(dialog.designSize.width, dialog.designSize.height), kWindowRadius));
    for (const auto& s : kStates) {
        if (s.state == State::Down && !dialog.hasDownImage) {
            continue;
        }
        out.Jpeg(names.*s.name, [&](qreal scale) { return render(s.state, scale); });
    }
}

void WriteMainWindow(ImageFolder& out, const Layouts& layouts) {
    out.Mask(kMainMaskImage,
             RoundedMask(QSize(kMainWindowDesignSize.width, kMainWindowDesignSize.height),
                         kWindowRadius));
    for (const auto& page : kMainPages) {
        const auto names = PageImages(page);
        for (const auto& s : kStates) {
            out.Jpeg(names.*s.name, [&](qreal scale) {
                return RenderMainPage(layouts, page.page, s.state, scale);
            });
        }
    }
    out.Jpeg(kLightingNullImage, [&](qreal scale) { return RenderLightingNull(layouts, scale); });
    out.Jpeg(kLightingOffImage, [&](qreal scale) { return RenderLightingOff(layouts, scale); });
    out.Png(kSliderKnobImage, [](qreal scale) { return RenderSliderKnob(scale); });
}

void WriteDialogs(ImageFolder& out, const Layouts& layouts) {
    WriteDialog(out, kKeyCaptureSkin,
                [&](State s, qreal scale) { return RenderKeyCapture(layouts, s, scale); });
    WriteDialog(out, kWarningSkin,
                [&](State s, qreal scale) { return RenderWarning(layouts, s, scale); });
    WriteDialog(out, kRecoilSkin,
                [&](State s, qreal scale) { return RenderRecoil(layouts, s, scale); });
    WriteDialog(out, kSoundSkin,
                [&](State s, qreal scale) { return RenderSound(layouts, s, scale); });

    const auto& picture = layouts.recoil.controls.at(4);
    const QSize pictureSize(picture.width, picture.height);
    for (int i = 0; i < kRecoilPictureCount; ++i) {
        out.Jpeg(RecoilPicture(i),
                 [&](qreal scale) { return RenderRecoilPicture(i, pictureSize, scale); });
    }
}

void WriteMenus(ImageFolder& out) {
    for (const auto& menu : AllMenus()) {
        const auto names = MenuImages(menu.skin, menu.variant);
        out.Mask(names.mask,
                 RoundedMask(QSize(menu.skin.designSize.width, menu.skin.designSize.height), 6));
        for (const auto& s : kStates) {
            out.Jpeg(names.*s.name, [&](qreal scale) { return RenderMenu(menu, s.state, scale); });
        }
    }
}

void WriteIcons(ImageFolder& out) {
    for (int size : kAppIconSizes) {
        out.Png(AppIcon(size), [size](qreal) { return RenderAppIcon(size); });
    }
    struct ListIcon {
        std::string_view file;
        Icon icon;
        QColor colour;
    };
    const ListIcon listIcons[] = {
        {kTreeIcons[0], Icon::FolderClosed, QColor(0xE8, 0xB0, 0x4A)},
        {kTreeIcons[1], Icon::FolderOpen, QColor(0xF2, 0xC2, 0x5C)},
        {kTreeIcons[2], Icon::Macro, palette::kAccent},
        {kStepIcons[0], Icon::Clock, palette::kIcon},
        {kStepIcons[1], Icon::KeyPress, QColor(0x3D, 0xD6, 0x8C)},
        {kStepIcons[2], Icon::KeyRelease, QColor(0xFF, 0x9F, 0x43)},
        {kStepIcons[3], Icon::Move, QColor(0xB3, 0x8C, 0xFF)},
        {kStepIcons[4], Icon::Bulb, QColor(0xFF, 0xD5, 0x4A)},
        {kStepIcons[5], Icon::Gauge, palette::kAccent},
    };
    for (const auto& icon : listIcons) {
        out.Png(icon.file, [&](qreal scale) {
            return RenderListIcon(icon.icon, icon.colour, qRound(kListIconSize * scale));
        });
    }
}

void WriteLanguageImages(ImageFolder& out, const std::filesystem::path& source) {
    const QSize languageItem(kListMenuSkin.designSize.width,
                             kListMenuSkin.designSize.height / kMenuBandCount);
    for (const auto& language : kLanguages) {
        if (!std::filesystem::is_directory(source / language.folder)) {
            continue;
        }
        const std::string folder(language.folder);
        out.Png(folder + "/" + std::string(kHostMacroBadgeImage),
                [](qreal scale) { return RenderHostMacroBadge(scale); });
        for (bool hovered : {false, true}) {
            out.Jpeg(
                folder + "/" + std::string(hovered ? kLanguageItemHoverImage : kLanguageItemImage),
                [&](qreal scale) {
                    return RenderLanguageItem(QString::fromUtf8(language.name), language.family,
                                              hovered, languageItem, scale);
                });
        }
    }
}

int Run(const std::filesystem::path& source, const std::filesystem::path& target) {
    const auto loaded = LoadLayouts(source / kGeometryFolder);
    if (!loaded) {
        std::cerr << "skingen: " << loaded.error().message << "\n";
        return 1;
    }
    ImageFolder out(target);
    WriteMainWindow(out, *loaded);
    WriteDialogs(out, *loaded);
    WriteMenus(out);
    WriteIcons(out);
    WriteLanguageImages(out, source);
    if (out.Failed()) {
        return 1;
    }
    std::cout << "skingen: " << out.Written() << " images in " << target.string() << "\n";
    return 0;
}

}  // namespace
}  // namespace novu::skingen

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::cerr << "usage: novu-skingen <source data folder> <output data folder>\n";
        return 2;
    }
    return novu::skingen::Run(argv[1], argv[2]);
}
