#include "macro/macro_assignment.h"

#include <algorithm>

namespace novu {

void ApplyLeftButtonSafeguard(ProfileSettings& profile, int slot, int keyNum) {
    const int buttons = std::clamp(keyNum, 0, kButtonSlots);
    const auto first = profile.K.begin();
    if (std::find(first, first + buttons, kLeftButtonCode) != first + buttons) {
        return;
    }
    const int target = slot + 1 < buttons ? slot + 1 : slot;
    if (target >= 0 && target < kButtonSlots) {
        profile.K[static_cast<std::size_t>(target)] = kLeftButtonCode;
    }
}

MacroMenuGeometry MacroSelectionMenuGeometry(int maskWidth, int maskHeight, int group,
                                             int macroCount, int submenuRight, int submenuTop) {
    MacroMenuGeometry geometry;
    geometry.itemHeight = maskHeight / kMenuItemsPerMask;
    geometry.width = maskWidth;
    geometry.height = macroCount > 0 ? geometry.itemHeight * macroCount + 1 : 0;
    geometry.left = submenuRight;
    geometry.top = submenuTop + group * geometry.itemHeight - macroCount * geometry.itemHeight;
    return geometry;
}

int MenuItemAt(int x, int y, int width, int itemHeight) {
    if (itemHeight <= 0 || x < 0 || x >= width || y < 0) {
        return kNoMenuItem;
    }
    const int item = y / itemHeight + 1;
    return item <= kMenuItemsPerMask ? item : kNoMenuItem;
}

int HoveredMacroAfterMove(int item, int macroCount, int previous) {
    return item >= 1 && item <= macroCount ? item : previous;
}

MacroMenuResult AssignMacroToButton(SettingsStore& store, const MacroMenuClick& click) {
    if (click.group < 1 || click.group > click.groupCount) {
        return MacroMenuResult::Closed;
    }
    if (click.hovered < 1 || click.hovered > click.macroCount || click.slot < 0 ||
        click.slot >= kButtonSlots) {
        return MacroMenuResult::Ignored;
    }
    store.Update([&](Settings& settings) {
        const int current = std::clamp(settings.CurConfig, 0, kProfileCount - 1);
        ProfileSettings& profile = settings.profiles[static_cast<std::size_t>(current)];
        const auto slot = static_cast<std::size_t>(click.slot);
        profile.K[slot] = UserMacroCode(click.group, click.hovered);
        if (click.buttonMenuEntry == kMacroGroupsEntry) {
            profile.LEFT_MAC[slot] = 0;
        }
        if (current == 0) {
            ApplyLeftButtonSafeguard(profile, click.slot, click.keyNum);
        }
    });
    return MacroMenuResult::Assigned;
}

}  // namespace novu
