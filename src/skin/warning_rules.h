#pragma once

#include "skin/skin_layout.h"

namespace novu {

// The warning dialog's two buttons and its message: control 0 is the first button (result
// 1), control 1 the second (result 2), control 2 carries the message.
inline constexpr int kWarningFirstButton = 0;
inline constexpr int kWarningSecondButton = 1;
inline constexpr int kWarningMessageSlot = 2;
// The hover state of a dialog the mouse has not moved over yet: no button.
inline constexpr int kWarningNotHovered = 3;

// The hover state for a point: 1 over the first button, 2 over the second, kNoControl
// elsewhere.
int WarningHover(const SkinLayout& layout, SkinPoint point);

// The dialog's result when the left button is released in hover state `hover`: 1 or 2, or 0
// when the release ends nothing (no button under the cursor, or the mouse never moved).
int WarningResultOnRelease(int hover);

}  // namespace novu
