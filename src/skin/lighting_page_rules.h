#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "config/settings.h"
#include "skin/advanced_page_rules.h"
#include "skin/skin_layout.h"

namespace novu {

// What the lighting page shows: the selected effect's controls, the colours, the reactive
// lighting of every button and the areas an effect does not use, greyed out.

namespace lighting_entry {
inline constexpr int kFirstSwatch = 0;       // user colours 0..6
inline constexpr int kFirstCycleToggle = 7;  // colour-cycle flags 7..13
inline constexpr int kUserColourSwitch = 14;
inline constexpr int kLightingOn = 17;
inline constexpr int kLightingOff = 19;
inline constexpr int kEffect = 35;
inline constexpr int kBrightnessSlider = 40;
inline constexpr int kSpeedSlider = 41;
inline constexpr int kSymmetry = 45;
inline constexpr int kFirstDirection = 47;  // directions 47..50
inline constexpr int kFirstReactiveSwitch = 51;
inline constexpr int kFirstReactiveKind = 61;
inline constexpr int kOffOverlay = 78;
inline constexpr int kWaveNote = 98;
inline constexpr int kLastText = 102;
}  // namespace lighting_entry

inline constexpr int kLightingSpeedSteps = 6;
inline constexpr int kBrightnessSteps = 7;
inline constexpr int kReactiveEffect = 12;
inline constexpr int kWaveEffect = 3;
// The two sliders' captions are centred in a box this much narrower than the slider.
inline constexpr int kSliderCaptionInset = 30;

// The effects the effect menu offers, in menu order.
std::span<const int> OfferedEffects();

// The UniqueName_LED entries that name effect `effect` (e + 1) and reactive kind `kind`
// (kinds 0..3 are named like the effects 1, 3, 5 and 4).
int EffectNameText(int effect);
int ReactiveKindNameText(int kind);

// The entries an effect does not use, copied from the greyed image after drawing.
std::span<const int> GreyedEntries(int effect);

// Fill widths of the two sliders.
int SpeedSliderFill(int cycleTime, int width);
int BrightnessSliderFill(int brightness, int width);

struct LightingLook {
    bool lightingOff = false;   // MODE_LIGHT 1: only the off state and its overlay
    std::vector<int> fromDown;  // in drawing order
    std::vector<ColourFill> colours;
    std::vector<SliderLook> sliders;
    std::vector<int> greyed;
};

// The lighting page's look; `profile` is the current profile, `keyNum` the mouse's buttons.
LightingLook LightingPageLook(const SharedSettings& shared, const ProfileSettings& profile,
                              int keyNum, const SkinLayout& layout);

// What an entry of the lighting layout shows as text.
enum class LightingText {
    Skin,              // its skin text
    None,              // nothing
    EffectName,        // the current effect's name
    ReactiveKindName,  // the reactive kind of its slot
    SkinNarrowed,      // its skin text centred in a box kSliderCaptionInset narrower
};
LightingText LightingTextOf(int entry, const SharedSettings& shared, int keyNum);

}  // namespace novu
