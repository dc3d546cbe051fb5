#include "skin/advanced_page_rules.h"

#include <array>

#include "base/text.h"

namespace novu {

namespace {

constexpr std::array<int, kDpiSteps> kDisplayedDpi = {
    200,  400,  600,  800,  1000, 1200, 1400, 1600, 1800,
    2000, 2400, 3200, 4000, 4800, 5600, 6400, 7200,
};

// Knob offsets from the slider's origin plus its fill.
constexpr SkinPoint kDpiKnobOffset = {-5, 13};
constexpr SkinPoint kSpeedKnobOffset = {-6, 0};

SliderLook Slider(const SkinLayout& layout, int entry, int fill, SkinPoint offset) {
    SliderLook look{entry, fill, {}};
    if (entry < static_cast<int>(layout.controls.size())) {
        const SkinControl& c = layout.controls[static_cast<std::size_t>(entry)];
        look.knob = {c.x + fill + offset.x, c.y + offset.y};
    }
    return look;
}

}  // namespace

int DisplayedDpi(int step) {
    return step >= 0 && step < kDpiSteps ? kDisplayedDpi[static_cast<std::size_t>(step)] : 0;
}

int SliderStep(int cursorX, const SkinControl& slider, int steps) {
    if (steps <= 1) {
        return 1;
    }
    const double d = static_cast<double>(cursorX) - slider.x;
    const double unit = static_cast<double>(slider.width) / steps;
    if (cursorX <= slider.x || unit > d) {
        return 1;
    }
    if (d > (steps - 0.5) * unit) {
        return steps;
    }
    return static_cast<int>((d + unit / 2) / unit);
}

int DpiSliderFill(int dpiStep) {
    if (dpiStep + 1 >= kDpiSteps) {
        return kDpiSliderWidth;
    }
    return static_cast<int>((dpiStep + 1) * (static_cast<double>(kDpiSliderWidth) / kDpiSteps));
}

int LinearSliderFill(int value, int width, int steps) {
    if (steps <= 0 || value >= steps) {
        return width;
    }
    return value * width / steps;
}

AdvancedLook AdvancedPageLook(const SharedSettings& shared, const SkinLayout& layout) {
    using namespace advanced_entry;
    AdvancedLook look;
    const int level = shared.DPI_LEVEL;
    if (level >= 0 && level < kDpiLevels) {
        look.fromDown.push_back(kFirstLevel + level);
    }
    for (int l = 0; l < kDpiLevels; ++l) {
        const auto li = static_cast<std::size_t>(l);
        look.colours.push_back({kFirstLevelColour + l, shared.dpiDisplayColour[li]});
        if (shared.DPI_SET_EN[li]) {
            look.fromDown.push_back(kFirstLevelSwitch + l);
        }
    }
    const int dpiStep =
        level >= 0 && level < kDpiLevels ? shared.DPI_SET[static_cast<std::size_t>(level)] : 0;
    look.sliders.push_back(Slider(layout, kDpiSlider, DpiSliderFill(dpiStep), kDpiKnobOffset));
    const auto linear = [&](int entry, int value, int steps) {
        look.sliders.push_back(Slider(layout, entry,
                                      LinearSliderFill(value, ControlWidth(layout, entry), steps),
                                      kSpeedKnobOffset));
    };
    linear(kPointerSlider, shared.DPI_SPEED, kSpeedSteps);
    linear(kWheelSlider, shared.WHEEL_SPEED, kSpeedSteps);
    linear(kFireSlider, shared.FIRE_TIME, kFireSteps);
    look.fromDown.push_back(kFirstRate + shared.USB_SPEED);
    look.fromDown.push_back(kFirstRateMark + shared.USB_SPEED);
    return look;
}

bool IsAdvancedSlider(int entry) {
    using namespace advanced_entry;
    return entry == kDpiSlider || entry == kPointerSlider || entry == kWheelSlider ||
           entry == kFireSlider;
}

std::optional<EntryText> AdvancedEntryText(int entry, const SharedSettings& shared) {
    using namespace advanced_entry;
    switch (entry) {
        case kPointerValue:
            return EntryText{FormatDecimal(shared.DPI_SPEED)};
        case kWheelValue:
            return EntryText{FormatDecimal(shared.WHEEL_SPEED)};
        case kFireValue:
            return EntryText{FormatDecimal(shared.FIRE_TIME), 0x00FFFFFF, true};
        default:
            break;
    }
    const int level = entry - kFirstLevelValue;
    if (level >= 0 && level < kDpiLevels) {
        EntryText text{
            FormatDecimal(DisplayedDpi(shared.DPI_SET[static_cast<std::size_t>(level)]))};
        if (level == shared.DPI_LEVEL) {
            text.colour = kCurrentLevelTextColour;
        }
        return text;
    }
    return std::nullopt;
}

}  // namespace novu
