#pragma once

#include <cstdint>

#include "config/settings.h"
#include "config/settings_store.h"

namespace novu {

// The function code of macro `macro` (1-based) of group `group` (1-based).
constexpr std::int32_t UserMacroCode(int group, int macro) {
    return group * 256 + macro - 1;
}

constexpr std::int32_t kLeftButtonCode = 1;
constexpr int kNoMenuItem = 255;
constexpr int kMenuItemsPerMask = 15;
// The button menu's entry that opens the macro groups.
constexpr int kMacroGroupsEntry = 9;

// Profile 0 must keep a left button: when none of its first `keyNum` slots holds code 1, the
// slot after `slot` gets it, or `slot` itself when it is the last slot of the mouse.
void ApplyLeftButtonSafeguard(ProfileSettings& profile, int slot, int keyNum);

// Size and place of the macro selection menu of group `group` (1-based) beside the group
// submenu, from the menu's mask image: one band per macro, each a fifteenth of the mask.
struct MacroMenuGeometry {
    int itemHeight = 0;
    int width = 0;
    int height = 0;  // 0 for a group without macros
    int left = 0;
    int top = 0;
    bool operator==(const MacroMenuGeometry&) const = default;
};
MacroMenuGeometry MacroSelectionMenuGeometry(int maskWidth, int maskHeight, int group,
                                             int macroCount, int submenuRight, int submenuTop);

// The item 1..15 under a point of the menu, or kNoMenuItem.
int MenuItemAt(int x, int y, int width, int itemHeight);

// The hovered macro after the cursor moved over `item`: only a macro of the group can become
// hovered; elsewhere the previous one stays.
int HoveredMacroAfterMove(int item, int macroCount, int previous);

// A click on the macro selection menu.
struct MacroMenuClick {
    int group = 0;              // 1-based, as hovered in the group submenu
    int hovered = kNoMenuItem;  // the hovered macro, 1-based
    int groupCount = 0;
    int macroCount = 0;                       // the group's macroNum
    int slot = 0;                             // the button slot the button menu was opened for
    int buttonMenuEntry = kMacroGroupsEntry;  // the button menu's hovered entry
    int keyNum = 0;                           // buttons of the mouse
};
enum class MacroMenuResult {
    Ignored,   // nothing chosen: the menu stays open
    Closed,    // the group no longer exists: the menu closes without a change
    Assigned,  // the macro was assigned: the menus close and the main window repaints
};

// Assigns the hovered macro to the slot in the current profile (LEFT_MAC cleared when the
// button menu came from its macro-groups entry), then applies the left-button safeguard in
// profile 0.
MacroMenuResult AssignMacroToButton(SettingsStore& store, const MacroMenuClick& click);

}  // namespace novu
