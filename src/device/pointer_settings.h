#pragma once

#include "base/result.h"

namespace novu {

// The desktop's pointer speed and wheel scroll lines, which every full upload sets from
// DPI_SPEED and WHEEL_SPEED. A desktop backend implements it; a read that fails makes the
// upload skip the matching write.
class PointerSettings {
public:
    virtual ~PointerSettings() = default;

    // Pointer speed on the scale 0..20.
    virtual Result<int> MouseSpeed() const = 0;
    virtual Result<void> SetMouseSpeed(int speed) = 0;
    virtual Result<int> WheelScrollLines() const = 0;
    virtual Result<void> SetWheelScrollLines(int lines) = 0;
};

// For desktops without a backend: nothing can be read, so nothing is ever set.
class NoPointerSettings final : public PointerSettings {
public:
    Result<int> MouseSpeed() const override;
    Result<void> SetMouseSpeed(int speed) override;
    Result<int> WheelScrollLines() const override;
    Result<void> SetWheelScrollLines(int lines) override;
};

// The pointer speed (0..20) of a DPI_SPEED slider value; values off the slider give 6.
int MouseSpeedOfDpiSpeed(int dpiSpeed);

}  // namespace novu
