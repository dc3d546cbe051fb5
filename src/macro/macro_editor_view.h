#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "macro/event_text.h"

namespace novu {

// What the repeat-count box is to show; an empty member leaves that part as it is.
struct RepeatBoxState {
    std::optional<std::string> text;
    std::optional<bool> enabled;

    bool operator==(const RepeatBoxState&) const = default;
};

// The content of the step list and the repeat-count box for one macro.
struct MacroView {
    StepListRows steps;
    std::optional<RepeatBoxState> repeatBox;  // empty: the box is left unchanged
};

// What showing a macro puts into the step list and the repeat-count box. A macro without
// steps leaves the box alone, and so does `leaveRepeatBox` (set while an insert command
// runs); otherwise a macro that repeats shows "1" in a disabled box and a macro played by
// count shows its count in an enabled one.
MacroView ShowMacroView(const MacroRecord& macro, const TextSource& texts,
                        const KeyNameFunction& keyName, bool leaveRepeatBox);

// The key capture dialog, opened on a step's key.
struct KeyCaptureRequest {
    std::uint8_t code = 0;  // the step's usage
    std::string keyName;
    // Position of the dialog relative to the main window's origin.
    static constexpr int kOffsetX = 330;
    static constexpr int kOffsetY = 280;
};

// How the keyboard capture for recording changes.
enum class KeyboardCapture { Unchanged, Take, Release };

// Popup menus of the macro page, by kind.
namespace macro_menu {
constexpr int kLightingEffect = 6;
constexpr int kLightingSpeed = 7;
constexpr int kGroup = 11;
constexpr int kMacro = 12;
constexpr int kStep = 13;
constexpr int kInsert = 14;
}  // namespace macro_menu

// What an operation of the recorder or the editor asks of the macro page. The operations
// change the macro record themselves; everything on the screen and the file write is left to
// the caller, which applies the members in their order here.
struct MacroPageEffects {
    // The message that reached the recorder is consumed (not processed further).
    bool consumed = false;
    KeyboardCapture keyboard = KeyboardCapture::Unchanged;

    bool emptyStepList = false;
    std::optional<MacroView> stepList;    // refill the step list (and the box) from the macro
    std::vector<StepLine> appendedSteps;  // rows to append to the step list
    std::optional<int> selectStepRow;
    bool openStepEditor = false;  // open the step list's in-place editor on its selected row

    bool emptyLightingList = false;
    std::optional<std::vector<StepLine>> lightingList;  // refill the lighting-step list
    std::optional<int> selectLightingRow;
    bool openLightingEditor = false;

    std::optional<RepeatBoxState> repeatBox;  // applied after the step list's own box state
    std::optional<int> openMenu;              // a macro_menu kind
    std::optional<KeyCaptureRequest> keyCapture;

    // Write the macro into its group's file (WriteMacroEntry) now.
    bool writeMacro = false;
};

}  // namespace novu
