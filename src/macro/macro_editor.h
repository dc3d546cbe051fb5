#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/user_notices.h"
#include "macro/event_text.h"
#include "macro/macro_editor_view.h"
#include "macro/macro_record.h"
#include "macro/macro_recorder.h"

namespace novu {

// What the macro tree's selected row is.
enum class TreeRow { None, Group, Macro };

// Result codes of the insert menu and its submenus.
namespace insert_command {
constexpr int kLeftPressBefore = 0xF1;  // 0xF1..0xF6: a button press/release before the step
constexpr int kRightReleaseBefore = 0xF6;
constexpr int kLeftPressAfter = 0xF7;  // 0xF7..0xFC: the same after the step
constexpr int kRightReleaseAfter = 0xFC;
constexpr int kMoveLeftUp = 0xFD;  // 0xFD..0x100: pointer moves X-Y-, X-Y+, X+Y-, X+Y+
constexpr int kMoveRightDown = 0x100;
constexpr int kSetDpi = 0x101;
constexpr int kRestoreDpi = 0x102;
constexpr int kLighting = 0x91;
constexpr int kPause = 0x92;
constexpr int kDelete = 0x93;
}  // namespace insert_command

// Play-mode controls of the macro page.
namespace play_mode_control {
constexpr int kWhileHeld = 6;
constexpr int kUntilPressed = 7;
constexpr int kByCount = 8;
}  // namespace play_mode_control

constexpr int kMaxRepeatCount = 1000;

// The row of a list under the cursor, from the list's top, its first visible row and its row
// height (0 for a row height of 0).
int RowUnderCursor(int cursorY, int listTop, int firstVisibleRow, int rowHeight);

// The step editor of the macro page: the operations behind its menus, lists and controls.
// Every operation works on the record the caller passes (the macro of the tree's selected
// row), changes it in memory only and returns what the page must show or do; it asks for a
// file write only where the macro is saved at once (lighting values, play mode, repeat
// count). Warnings go to the user-notice seam. All calls come from the interface thread.
//
// Step-list rows: row 2j is step j, row 2j + 1 the pause after it. The selected row is the
// row the step commands act on; without one, step 0 counts as selected.
class MacroEditor {
public:
    MacroEditor(const MacroRecorder& recorder, const TextSource& texts, UserNotices& notices,
                KeyNameFunction keyName);

    int SelectedRow() const { return selectedRow_; }
    int SelectedStep() const { return selectedRow_ < 0 ? 0 : selectedRow_ / 2; }
    int LightingBlock() const { return lightingBlock_; }
    int LightingRow() const { return lightingRow_; }
    bool InsertFlag() const { return insertFlag_; }

    // The step list and repeat-count box for the macro (the box is left alone while an
    // insert command runs). Re-selects the selected row when the macro still has it.
    MacroPageEffects ShowMacro(const MacroRecord& macro) const;

    // The insert control: opens the insert menu for a macro row (tip 24 on a group row).
    // `stepListSelection` is the step list's selected row, -1 for none.
    MacroPageEffects InsertControl(TreeRow selected, int stepListSelection);
    // A result code of the insert menu (insert_command); nothing while recording.
    MacroPageEffects InsertCommand(MacroRecord& macro, int resultCode);
    // The step menu: entry 1 changes the selected step, entry 2 deletes it.
    MacroPageEffects StepMenuCommand(MacroRecord& macro, int entry);

    // Deletes the selected step; nothing while recording or without steps.
    MacroPageEffects DeleteStep(MacroRecord& macro);
    // Changes the selected step: a pause, move or DPI line opens the list's editor on it, a
    // key or button step opens the key capture dialog, a lighting or pause step does nothing.
    MacroPageEffects ModifyStep(const MacroRecord& macro);
    // The key capture dialog confirmed `usage` for the key step at the selected row.
    MacroPageEffects ApplyCapturedKey(MacroRecord& macro, std::uint8_t usage);
    // The step list's editor committed `text` for `row`.
    MacroPageEffects CommitStepEdit(MacroRecord& macro, int row, std::string_view text);

    // Right button released over step-list row `row`: selects it and opens the step menu,
    // except on the line of a pause step or of a lighting step.
    MacroPageEffects StepListRightClick(const MacroRecord& macro, int row);
    // The step list's selection changed to `row` (-1 for none): a lighting step shows its
    // block in the lighting-step list, any other row empties that list.
    MacroPageEffects SelectStepRow(MacroRecord& macro, int row);

    // The lighting-step list: selection, right click (effect or speed menu), double click
    // (the duration editor), the two menus' choices and the commit of an edited value.
    MacroPageEffects SelectLightingRow(int row);
    MacroPageEffects LightingRightClick(const MacroRecord& macro, int row);
    MacroPageEffects LightingDoubleClick(const MacroRecord& macro, int row);
    MacroPageEffects ChooseLightingEffect(MacroRecord& macro, int entry);
    MacroPageEffects ChooseLightingSpeed(MacroRecord& macro, int entry);
    MacroPageEffects CommitLightingEdit(MacroRecord& macro, std::string_view text);

    // Play-mode controls 6, 7 and 8, for a macro row below the first row.
    MacroPageEffects ChoosePlayMode(MacroRecord& macro, int control);
    // The repeat-count box's text changed to `text`: the count is kept within 1..1000 and
    // stored into `macro` (null when the tree's selected row is not a macro row).
    MacroPageEffects RepeatCountChanged(MacroRecord* macro, std::string_view text);

private:
    MacroPageEffects Insert(MacroRecord& macro, int position, std::uint8_t code, std::uint8_t type);
    MacroPageEffects ShowLighting(MacroRecord& macro, int block) const;
    // The block of the selected step when it is a lighting step, else -1.
    int SelectedLightingBlock(const MacroRecord& macro) const;
    bool Recording() const { return recorder_.IsRecording(); }

    const MacroRecorder& recorder_;
    const TextSource& texts_;
    UserNotices& notices_;
    KeyNameFunction keyName_;

    int selectedRow_ = -1;
    int lightingBlock_ = 0;
    int lightingRow_ = 0;
    bool insertFlag_ = false;
    std::optional<std::string> lastRepeatText_;
};

}  // namespace novu
