#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/settings.h"
#include "skin/skin_layout.h"

namespace novu {

// What the advanced page shows: the DPI levels with their colours and values, the four
// sliders and the polling rate; and the slider arithmetic shared with the lighting page.

namespace advanced_entry {
inline constexpr int kPointerSlider = 1;
inline constexpr int kPointerValue = 2;
inline constexpr int kWheelSlider = 18;
inline constexpr int kWheelValue = 19;
inline constexpr int kFireSlider = 31;
inline constexpr int kFireValue = 32;
inline constexpr int kFirstRate = 34;  // polling-rate buttons 34..37
inline constexpr int kFirstRateMark = 38;
inline constexpr int kFirstLevelSwitch = 47;  // enable toggles of levels 0..5
inline constexpr int kFirstLevel = 60;        // level select 60..65
inline constexpr int kDpiSlider = 66;
inline constexpr int kFirstLevelValue = 70;   // displayed DPI 70..75
inline constexpr int kFirstLevelColour = 77;  // colour swatches 77..82
inline constexpr int kLastText = 82;
}  // namespace advanced_entry

inline constexpr int kDpiSteps = 17;
inline constexpr int kSpeedSteps = 11;
inline constexpr int kFireSteps = 300;
// The DPI slider's fill is computed on its designed width, whatever the skin says.
inline constexpr int kDpiSliderWidth = 303;
// The current level's DPI value is drawn in this colour (0x00BBGGRR) instead of white.
inline constexpr std::uint32_t kCurrentLevelTextColour = 0x00FFBC07;

// The DPI shown for a DPI_SET step 0..16 (200 .. 7200); 0 for any other step.
int DisplayedDpi(int step);

// The step 1..`steps` a click or drag at `cursorX` gives on a slider: 1 on or left of its
// left edge and within the first unit, `steps` in the last half step, otherwise the nearest
// step. The cursor's height does not matter.
int SliderStep(int cursorX, const SkinControl& slider, int steps);

// Fill widths of the sliders from their stored values.
int DpiSliderFill(int dpiStep);
int LinearSliderFill(int value, int width, int steps);

// One slider as drawn: the filled part copied from the down image, then the knob.
struct SliderLook {
    int entry = 0;
    int fill = 0;
    SkinPoint knob;  // top-left corner of the knob image
    bool operator==(const SliderLook&) const = default;
};

// A control filled with a colour (0x00BBGGRR).
struct ColourFill {
    int entry = 0;
    std::uint32_t colour = 0;
    bool operator==(const ColourFill&) const = default;
};

// A text the page draws instead of an entry's skin text.
struct EntryText {
    std::string text;
    std::uint32_t colour = 0x00FFFFFF;
    bool rightAligned = false;
    bool operator==(const EntryText&) const = default;
};

struct AdvancedLook {
    std::vector<int> fromDown;  // in drawing order, after the hovered control
    std::vector<ColourFill> colours;
    std::vector<SliderLook> sliders;
};

// The advanced page's look for the shared settings; `layout` gives the slider rectangles.
AdvancedLook AdvancedPageLook(const SharedSettings& shared, const SkinLayout& layout);

// Whether the hovered entry is one of the four sliders (drawn from the over image even while
// the button is held).
bool IsAdvancedSlider(int entry);

// The text an entry shows instead of its skin text (the speeds, the fire interval and the
// six levels' DPI), or nothing.
std::optional<EntryText> AdvancedEntryText(int entry, const SharedSettings& shared);

}  // namespace novu
