#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "config/settings.h"
#include "skin/function_names.h"

namespace novu {

// What the button page shows: the label of every button slot and which controls light up
// with the hovered one.

// Entries of the main layout on the button page.
namespace button_entry {
inline constexpr int kFirstSlot = 20;       // slot n is entry 20 + n
inline constexpr int kFirstCompanion = 35;  // the numbered mark of slot n on the mouse
inline constexpr int kSoundLighting = 46;
inline constexpr int kFirstUnlit = 50;  // 50 .. 48 + KEYNUM are never highlighted
}  // namespace button_entry

// Function code 40 000 is labelled with function name 41.
inline constexpr std::int32_t kPrimaryClickCode = 40000;
inline constexpr int kPrimaryClickName = 41;
// Labels longer than this many characters (UTF-16 units) are cut and end in "...".
inline constexpr std::size_t kSlotLabelLimit = 16;

// Where the label of a code comes from besides the function names.
struct SlotLabelSources {
    const FunctionNameTable& functions;
    // The name of macro `macro` of group `group` (both 0-based).
    std::function<std::string(int group, int macro)> macroName;
    // The name of recoil preset `preset`; empty when there is no such preset.
    std::function<std::string(int preset)> presetName;
};

// The label of a FunctionCode: a function name below 48, a skin-defined function from the
// extra-function list (40 000: function name 41), a user macro's name, a recoil preset's
// name; anything else is unlabelled. Long labels are cut.
std::string SlotLabel(std::int32_t code, const SlotLabelSources& sources);

// Cuts a label longer than kSlotLabelLimit to that many characters followed by "...".
std::string CutLabel(const std::string& label);

// The entries lit by the hovered entry: the entry itself (unless it is one of the unlit
// entries) and the companion of a slot, or the slot of a companion.
std::vector<int> ButtonPageHighlights(int hoveredEntry, int keyNum);

// The slot a hovered entry names (a slot entry), or -1.
int HoveredSlot(int hoveredEntry, int keyNum);

}  // namespace novu
