#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "config/settings.h"

namespace novu {

// What the macro page draws selected: the play mode of the shown macro and the execution
// switch.
namespace macro_entry {
inline constexpr int kRecord = 4;
inline constexpr int kInsert = 5;
inline constexpr int kWhileHeld = 6;
inline constexpr int kUntilPressedAgain = 7;
inline constexpr int kByCount = 8;
inline constexpr int kSoftwareMode = 15;
}  // namespace macro_entry

// The play-mode control lit for a macro's play mode (its low two bits: 2 while held, 1 until
// pressed again, 0 by count); none for the combination 3.
int PlayModeEntry(std::uint8_t playMode);

// The macro page's entries drawn from the down image: the macro's play mode when a macro is
// shown, and the execution switch in software macro mode.
std::vector<int> MacroPageSelected(const SharedSettings& shared,
                                   std::optional<std::uint8_t> playMode);

}  // namespace novu
