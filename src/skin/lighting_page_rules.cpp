#include "skin/lighting_page_rules.h"

#include <algorithm>
#include <array>

namespace novu {

namespace {

constexpr std::array<int, 10> kOfferedEffects = {0, 2, 3, 5, 6, 7, 8, 10, 11, 13};
constexpr std::array<int, 4> kReactiveKindNames = {2, 4, 6, 5};
constexpr int kEffectCount = 14;

constexpr std::array<int, 5> kGrey0 = {50, 71, 72, 74, 75};
constexpr std::array<int, 4> kGrey1 = {50, 71, 72, 74};
constexpr std::array<int, 5> kGrey2 = {50, 71, 73, 74, 75};
constexpr std::array<int, 1> kGrey3 = {71};
constexpr std::array<int, 2> kGrey45 = {50, 71};
constexpr std::array<int, 4> kGrey6811 = {71, 72, 74, 75};
constexpr std::array<int, 5> kGrey7 = {49, 50, 71, 72, 75};
constexpr std::array<int, 5> kGrey9 = {71, 72, 73, 74, 75};
constexpr std::array<int, 6> kGrey10 = {45, 49, 50, 71, 72, 75};
constexpr std::array<int, 5> kGrey12 = {50, 72, 73, 74, 75};
constexpr std::array<int, 6> kGrey13 = {50, 71, 72, 73, 74, 75};

// Captions an effect leaves out (the entries keep their rectangles).
constexpr std::array<int, 7> kNoText0 = {15, 30, 31, 32, 33, 34, 38};
constexpr std::array<int, 6> kNoText1 = {30, 31, 32, 33, 34, 38};
constexpr std::array<int, 7> kNoText2 = {15, 30, 31, 32, 33, 34, 39};
constexpr std::array<int, 1> kNoText45 = {34};
constexpr std::array<int, 4> kNoText7 = {15, 33, 34, 38};
constexpr std::array<int, 8> kNoText9 = {15, 30, 31, 32, 33, 34, 38, 39};
constexpr std::array<int, 5> kNoText10 = {15, 30, 33, 34, 38};

std::span<const int> EmptiedTexts(int effect) {
    switch (effect) {
        case 0:
        case 6:
        case 8:
        case 11:
            return kNoText0;
        case 1:
            return kNoText1;
        case 2:
            return kNoText2;
        case 4:
        case 5:
            return kNoText45;
        case 7:
            return kNoText7;
        case 9:
        case 12:
        case 13:
            return kNoText9;
        case 10:
            return kNoText10;
        default:
            return {};
    }
}

bool Contains(std::span<const int> entries, int entry) {
    return std::find(entries.begin(), entries.end(), entry) != entries.end();
}

int Slots(int keyNum) {
    return std::clamp(keyNum, 0, kButtonSlots);
}

SliderLook Slider(const SkinLayout& layout, int entry, int fill) {
    SliderLook look{entry, fill, {}};
    if (entry < static_cast<int>(layout.controls.size())) {
        const SkinControl& c = layout.controls[static_cast<std::size_t>(entry)];
        look.knob = {c.x + fill - 5, c.y - 5};
    }
    return look;
}

}  // namespace

std::span<const int> OfferedEffects() {
    return kOfferedEffects;
}

int EffectNameText(int effect) {
    return effect + 1;
}

int ReactiveKindNameText(int kind) {
    return kind >= 0 && kind < static_cast<int>(kReactiveKindNames.size())
               ? kReactiveKindNames[static_cast<std::size_t>(kind)]
               : 0;
}

std::span<const int> GreyedEntries(int effect) {
    switch (effect) {
        case 0:
            return kGrey0;
        case 1:
            return kGrey1;
        case 2:
            return kGrey2;
        case 3:
            return kGrey3;
        case 4:
        case 5:
            return kGrey45;
        case 6:
        case 8:
        case 11:
            return kGrey6811;
        case 7:
            return kGrey7;
        case 9:
            return kGrey9;
        case 10:
            return kGrey10;
        case 12:
            return kGrey12;
        case 13:
            return kGrey13;
        default:
            return {};
    }
}

int SpeedSliderFill(int cycleTime, int width) {
    if (cycleTime >= kLightingSpeedSteps - 1) {
        return width;
    }
    return (cycleTime + 1) * width / kLightingSpeedSteps;
}

int BrightnessSliderFill(int brightness, int width) {
    if (brightness <= 0) {
        return width;
    }
    return std::max(0, kBrightnessSteps - brightness) * width / kBrightnessSteps;
}

LightingLook LightingPageLook(const SharedSettings& shared, const ProfileSettings& profile,
                              int keyNum, const SkinLayout& layout) {
    using namespace lighting_entry;
    LightingLook look;
    if (shared.MODE_LIGHT == 1) {
        look.lightingOff = true;
        look.fromDown.push_back(kLightingOff);
        return look;
    }
    look.fromDown.push_back(kLightingOn);
    look.sliders.push_back(
        Slider(layout, kSpeedSlider,
               SpeedSliderFill(shared.LED_CYCTIME, ControlWidth(layout, kSpeedSlider))));
    look.sliders.push_back(
        Slider(layout, kBrightnessSlider,
               BrightnessSliderFill(shared.LED_BRIGHT, ControlWidth(layout, kBrightnessSlider))));
    if (shared.LED_FEATURE_SYMMETRY != 0) {
        look.fromDown.push_back(kSymmetry);
    }
    if (shared.LED_FEATURE_DIREC >= 0 && shared.LED_FEATURE_DIREC < 4) {
        look.fromDown.push_back(kFirstDirection + shared.LED_FEATURE_DIREC);
    }
    for (int n = 0; n < kUserColours; ++n) {
        if (shared.cycleFlags[static_cast<std::size_t>(n)]) {
            look.fromDown.push_back(kFirstCycleToggle + n);
        }
    }
    for (int n = 0; n < Slots(keyNum); ++n) {
        if (profile.LED_REACT_EN[static_cast<std::size_t>(n)] != 0) {
            look.fromDown.push_back(kFirstReactiveSwitch + n);
        }
    }
    if (shared.LED_USER_COLER_EN != 0) {
        look.fromDown.push_back(kUserColourSwitch);
        for (int n = 0; n < kUserColours; ++n) {
            look.colours.push_back(
                {kFirstSwatch + n, shared.userDisplayColour[static_cast<std::size_t>(n)]});
        }
    } else {
        for (int n = 0; n < kUserColours; ++n) {
            if (shared.cycleFlags[static_cast<std::size_t>(n)]) {
                look.fromDown.push_back(kFirstSwatch + n);
            }
        }
    }
    const std::span<const int> greyed = GreyedEntries(shared.LED_TYPE);
    look.greyed.assign(greyed.begin(), greyed.end());
    return look;
}

LightingText LightingTextOf(int entry, const SharedSettings& shared, int keyNum) {
    using namespace lighting_entry;
    if (shared.MODE_LIGHT == 1) {
        return entry == 18 || (entry >= 20 && entry <= 25) ? LightingText::Skin
                                                           : LightingText::None;
    }
    const int effect = shared.LED_TYPE;
    if (entry >= 21 && entry <= 25) {
        return LightingText::None;
    }
    if (entry == kEffect) {
        return LightingText::EffectName;
    }
    if (effect == kReactiveEffect && entry >= kFirstReactiveKind &&
        entry < kFirstReactiveKind + Slots(keyNum)) {
        return LightingText::ReactiveKindName;
    }
    if (entry == kWaveNote && effect != kWaveEffect) {
        return LightingText::None;
    }
    if (effect < kEffectCount && Contains(EmptiedTexts(effect), entry)) {
        return LightingText::None;
    }
    if (entry == kBrightnessSlider || entry == kSpeedSlider) {
        return LightingText::SkinNarrowed;
    }
    return LightingText::Skin;
}

}  // namespace novu
