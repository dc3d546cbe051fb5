#include "i18n/font_rules.h"

#include "base/text.h"

namespace novu {

namespace {

constexpr std::string_view kYaHei = "微软雅黑";
constexpr std::string_view kArial = "Arial";

FontSetPlan EmbeddedSet(FontSetId set, int baseSize) {
    return {set, std::string(EmbeddedSetTypeface(set)), EmbeddedSetSizes(baseSize)};
}

}  // namespace

int BaseFontSize(double dpi) {
    // Sizes shrink in points as the scale grows, so text keeps about the same height in
    // pixels. A scale between the common steps (fractional scaling such as 1.1 is common on
    // Linux desktops) takes the nearest step instead of the smallest size, which would make
    // every caption unreadable.
    const float scale = static_cast<float>(dpi) / 96.0f;
    if (scale < 1.125f) {
        return 87;
    }
    if (scale < 1.375f) {
        return 63;
    }
    if (scale < 1.625f) {
        return 53;
    }
    if (scale <= 2.0f) {
        return 43;
    }
    if (scale < 3.0f) {
        return 30;
    }
    return 20;
}

FontSizes DefaultSetSizes(int baseSize) {
    return {baseSize + 5, baseSize + 5, baseSize + 30, baseSize + 40, baseSize + 50};
}

FontSizes EmbeddedSetSizes(int baseSize) {
    return {baseSize + 5, baseSize + 5, baseSize + 10, baseSize + 40, baseSize + 50};
}

std::string_view EmbeddedSetTypeface(FontSetId set) {
    switch (set) {
        case FontSetId::Roboto:
            return "Roboto";
        case FontSetId::Cairo:
            return "Cairo";
        case FontSetId::YaHeiA:
        case FontSetId::YaHeiB:
            return kYaHei;
        case FontSetId::Arial:
        case FontSetId::Default:
            break;
    }
    return kArial;
}

FontSetId EmbeddedSetFor(int languageIndex) {
    switch (languageIndex) {
        case 1:
            return FontSetId::Roboto;
        case 0:
        case 19:
            return FontSetId::YaHeiA;
        case 13:
            return FontSetId::Cairo;
        case 12:
            return FontSetId::YaHeiB;
        default:
            return FontSetId::Arial;
    }
}

FontPlan FontState::CreateFonts(double dpi, int languageIndex, const FontKeys& keys) {
    FontPlan plan;
    plan.baseSize = BaseFontSize(dpi);
    const FontSizes defaultSizes = DefaultSetSizes(plan.baseSize);

    if (ParseDecimal(keys.fontFlag) != 0) {
        plan.fontFile = keys.font;
        plan.defaultSet = FontSetPlan{FontSetId::Default, keys.fontName, defaultSizes};
        return plan;
    }
    if (keys.fontFlag.empty() && !embeddedSetsReady_) {
        plan.resources = {FontResource::RobotoRegular, FontResource::CairoRegular};
        for (FontSetId set : {FontSetId::Roboto, FontSetId::Cairo, FontSetId::Arial,
                              FontSetId::YaHeiA, FontSetId::YaHeiB}) {
            plan.embeddedSets.push_back(EmbeddedSet(set, plan.baseSize));
        }
        embeddedSetsReady_ = true;
        return plan;
    }
    // The YaHei face also carries the kanji and kana of the Japanese interface.
    const bool yaHei = languageIndex == 0 || languageIndex == 12;
    plan.defaultSet =
        FontSetPlan{FontSetId::Default, std::string(yaHei ? kYaHei : kArial), defaultSizes};
    return plan;
}

FontSetId FontState::SetFor(int languageIndex) const {
    return embeddedSetsReady_ ? EmbeddedSetFor(languageIndex) : FontSetId::Default;
}

std::optional<FontSetId> FontState::ControlFontSet(int languageIndex) const {
    if (embeddedSetsReady_ && (languageIndex == 10 || languageIndex == 11)) {
        return std::nullopt;
    }
    return SetFor(languageIndex);
}

}  // namespace novu
