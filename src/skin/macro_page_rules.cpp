#include "skin/macro_page_rules.h"

#include "skin/skin_layout.h"

namespace novu {

int PlayModeEntry(std::uint8_t playMode) {
    switch (playMode & 3) {
        case 2:
            return macro_entry::kWhileHeld;
        case 1:
            return macro_entry::kUntilPressedAgain;
        case 0:
            return macro_entry::kByCount;
        default:
            return kNoControl;
    }
}

std::vector<int> MacroPageSelected(const SharedSettings& shared,
                                   std::optional<std::uint8_t> playMode) {
    std::vector<int> selected;
    if (playMode) {
        if (const int entry = PlayModeEntry(*playMode); entry != kNoControl) {
            selected.push_back(entry);
        }
    }
    if (shared.SOFT_HARD_MAC == 1) {
        selected.push_back(macro_entry::kSoftwareMode);
    }
    return selected;
}

}  // namespace novu
