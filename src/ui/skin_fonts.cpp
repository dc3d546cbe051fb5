#include "ui/skin_fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <algorithm>

namespace novu {

namespace {

// Tip text shown when an embedded font cannot be registered.
constexpr int kTipFontRegistration = 6;

// Faces tried after the named one, so that every language's script is drawn: the CJK faces
// for the Chinese and Japanese interfaces, then the embedded Latin face.
const QStringList& FallbackFamilies() {
    static const QStringList families = {QStringLiteral("Noto Sans CJK SC"),
                                         QStringLiteral("Noto Sans CJK JP"),
                                         QStringLiteral("Roboto")};
    return families;
}

}  // namespace

QString EmbeddedFontPath(FontResource resource) {
    switch (resource) {
        case FontResource::RobotoRegular:
            return QStringLiteral(":/fonts/Roboto-Regular.ttf");
        case FontResource::CairoRegular:
            break;  // not carried: Arabic text falls back to the system's faces
    }
    return {};
}

SkinFonts::SkinFonts(FontState& state, UserNotices& notices) : state_(state), notices_(notices) {}

int SkinFonts::PixelSize(int tenthsOfPoint, double dpi) {
    // A point is 1/72 inch: the character height in pixels of a size in tenths of a point.
    return std::max(1, static_cast<int>(tenthsOfPoint * dpi / 720.0 + 0.5));
}

void SkinFonts::Register(FontResource resource) {
    const QString path = EmbeddedFontPath(resource);
    if (path.isEmpty()) {
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    if (QFontDatabase::addApplicationFontFromData(file.readAll()) < 0) {
        notices_.ShowTip(kTipFontRegistration);
    }
}

SkinFonts::FontSet SkinFonts::MakeSet(const FontSetPlan& plan) const {
    FontSet set;
    for (int i = 0; i < kFontSizeClasses; ++i) {
        QFont font;
        QStringList families{QString::fromStdString(plan.typeface)};
        families.append(FallbackFamilies());
        font.setFamilies(families);
        font.setPixelSize(PixelSize(plan.sizes[static_cast<std::size_t>(i)], dpi_));
        font.setWeight(QFont::Normal);
        font.setHintingPreference(QFont::PreferNoHinting);
        set[static_cast<std::size_t>(i)] = font;
    }
    return set;
}

void SkinFonts::CreateFonts(double dpi, int languageIndex, const FontKeys& keys) {
    dpi_ = dpi > 0 ? dpi : 96.0;
    const FontPlan plan = state_.CreateFonts(dpi_, languageIndex, keys);
    if (plan.fontFile && !plan.fontFile->empty()) {
        // A language's own font file; a failure is not reported.
        QFontDatabase::addApplicationFont(QString::fromStdString(*plan.fontFile));
    }
    for (FontResource resource : plan.resources) {
        Register(resource);
    }
    if (plan.defaultSet) {
        sets_[FontSetId::Default] = MakeSet(*plan.defaultSet);
    }
    for (const FontSetPlan& set : plan.embeddedSets) {
        sets_[set.set] = MakeSet(set);
    }
}

QFont SkinFonts::SelectFont(int sizeClass, int languageIndex) const {
    if (sizeClass < 1 || sizeClass > kFontSizeClasses) {
        return QGuiApplication::font();
    }
    const auto it = sets_.find(state_.SetFor(languageIndex));
    if (it == sets_.end()) {
        return QGuiApplication::font();
    }
    return it->second[static_cast<std::size_t>(sizeClass - 1)];
}

std::optional<QFont> SkinFonts::ControlFont(int languageIndex) const {
    const std::optional<FontSetId> set = state_.ControlFontSet(languageIndex);
    if (!set) {
        return std::nullopt;
    }
    const auto it = sets_.find(*set);
    if (it == sets_.end()) {
        return std::nullopt;
    }
    return it->second[0];
}

}  // namespace novu
