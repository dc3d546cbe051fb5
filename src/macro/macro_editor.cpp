#include "macro/macro_editor.h"

#include <algorithm>
#include <array>
#include <utility>

#include "base/text.h"
#include "macro/lighting_steps.h"
#include "macro/macro_editor_parsers.h"
#include "macro/macro_editor_steps.h"

namespace novu {

namespace {

constexpr std::array<std::uint8_t, 3> kButtons = {step_code::kLeftButton, step_code::kMiddleButton,
                                                  step_code::kRightButton};

// Press for the first of each pair of button commands, release for the second.
std::pair<std::uint8_t, std::uint8_t> ButtonStep(int offset) {
    return {kButtons[static_cast<std::size_t>(offset / 2)],
            offset % 2 == 0 ? step_type::kPress : step_type::kRelease};
}

int RowCount(const MacroRecord& macro) {
    return 2 * ShownStepCount(macro);
}

int LightingRowCount(const MacroRecord& macro, int block) {
    if (block < 0 || block >= kLedBlockCount) {
        return 0;
    }
    const int entries = macro.ledBlocks[static_cast<std::size_t>(block)][led_block::kEntryCount];
    return std::max(
        0, std::min(led_block::kEntrySize * entries + 3, kLedBlockSize) - led_block::kEffect);
}

// Sets the insert flag for the duration of one insert command.
class InsertScope {
public:
    explicit InsertScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~InsertScope() { flag_ = false; }
    InsertScope(const InsertScope&) = delete;
    InsertScope& operator=(const InsertScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

int RowUnderCursor(int cursorY, int listTop, int firstVisibleRow, int rowHeight) {
    if (rowHeight == 0) {
        return 0;
    }
    return (cursorY - listTop + firstVisibleRow * rowHeight) / rowHeight;
}

MacroEditor::MacroEditor(const MacroRecorder& recorder, const TextSource& texts,
                         UserNotices& notices, KeyNameFunction keyName)
    : recorder_(recorder), texts_(texts), notices_(notices), keyName_(std::move(keyName)) {}

MacroPageEffects MacroEditor::ShowMacro(const MacroRecord& macro) const {
    MacroPageEffects effects;
    effects.stepList = ShowMacroView(macro, texts_, keyName_, insertFlag_);
    // The list forgets its selection when it is refilled; the commands keep acting on the
    // selected row, so the list shows it again.
    if (selectedRow_ >= 0 && selectedRow_ < RowCount(macro)) {
        effects.selectStepRow = selectedRow_;
    }
    return effects;
}

MacroPageEffects MacroEditor::InsertControl(TreeRow selected, int stepListSelection) {
    MacroPageEffects effects;
    if (selected == TreeRow::Group) {
        notices_.ShowTip(editor_tip::kGroupRow);
    }
    if (selected != TreeRow::Macro) {
        return effects;
    }
    selectedRow_ = stepListSelection < 0 ? -1 : stepListSelection;
    effects.openMenu = macro_menu::kInsert;
    if (selectedRow_ >= 0) {
        effects.selectStepRow = selectedRow_;
    }
    return effects;
}

MacroPageEffects MacroEditor::InsertCommand(MacroRecord& macro, int resultCode) {
    using namespace insert_command;
    if (Recording()) {
        return {};
    }
    InsertScope scope(insertFlag_);
    const int before = SelectedStep();
    const int after = ShownStepCount(macro) == 0 ? 0 : SelectedStep() + 1;

    if (resultCode >= kLeftPressBefore && resultCode <= kRightReleaseBefore) {
        const auto [code, type] = ButtonStep(resultCode - kLeftPressBefore);
        return Insert(macro, before, code, type);
    }
    if (resultCode >= kLeftPressAfter && resultCode <= kRightReleaseAfter) {
        const auto [code, type] = ButtonStep(resultCode - kLeftPressAfter);
        return Insert(macro, after, code, type);
    }
    if (resultCode >= kMoveLeftUp && resultCode <= kMoveRightDown) {
        const auto type =
            static_cast<std::uint8_t>(step_type::kMoveLeftUp + resultCode - kMoveLeftUp);
        return Insert(macro, after, step_code::kMove, type);
    }
    switch (resultCode) {
        case kSetDpi:
            return Insert(macro, after, step_code::kDpi, step_type::kSetDpi);
        case kRestoreDpi:
            return Insert(macro, after, step_code::kDpi, step_type::kRestoreDpi);
        case kLighting:
            if (macro.ledCount >= kMaxLightingSteps) {
                notices_.ShowTip(editor_tip::kLimit);
                return ShowMacro(macro);
            }
            return Insert(macro, after, step_code::kLighting, step_type::kLighting);
        case kPause:
            return Insert(macro, after, step_code::kDelay, 0);
        case kDelete:
            return DeleteStep(macro);
        default:
            return {};
    }
}

MacroPageEffects MacroEditor::Insert(MacroRecord& macro, int position, std::uint8_t code,
                                     std::uint8_t type) {
    const bool wasEmpty = ShownStepCount(macro) == 0;
    if (InsertStep(macro, position, code, type, notices_)) {
        // Two rows more above or at the selection: the selected row moves with them.
        selectedRow_ = wasEmpty ? 0 : std::max(selectedRow_, 0) + 2;
    }
    return ShowMacro(macro);
}

MacroPageEffects MacroEditor::StepMenuCommand(MacroRecord& macro, int entry) {
    switch (entry) {
        case 1:
            return ModifyStep(macro);
        case 2:
            return DeleteStep(macro);
        default:
            return {};
    }
}

MacroPageEffects MacroEditor::DeleteStep(MacroRecord& macro) {
    if (Recording() || !novu::DeleteStep(macro, SelectedStep())) {
        return {};
    }
    selectedRow_ = selectedRow_ > 2 ? selectedRow_ - 2 : 0;
    MacroPageEffects effects = ShowMacro(macro);
    effects.emptyLightingList = true;
    return effects;
}

MacroPageEffects MacroEditor::ModifyStep(const MacroRecord& macro) {
    MacroPageEffects effects;
    const int row = selectedRow_;
    // The dialogs and in-place editors do not open while keys are being recorded.
    if (Recording() || row < 0 || row >= RowCount(macro)) {
        return effects;
    }
    if (row % 2 == 1) {
        effects.openStepEditor = true;
        return effects;
    }
    const std::uint8_t code = macro.eventCode[static_cast<std::size_t>(row / 2)];
    switch (code) {
        case step_code::kMove:
        case step_code::kDpi:
            effects.openStepEditor = true;
            break;
        case step_code::kLighting:
        case step_code::kDelay:  // neither has a key to change (their lines open no menu)
            break;
        default:
            effects.keyCapture = KeyCaptureRequest{code, keyName_(code)};
            break;
    }
    return effects;
}

MacroPageEffects MacroEditor::ApplyCapturedKey(MacroRecord& macro, std::uint8_t usage) {
    if (Recording()) {
        return {};
    }
    if (selectedRow_ >= 0 && selectedRow_ % 2 == 0 && selectedRow_ < RowCount(macro)) {
        macro.eventCode[static_cast<std::size_t>(selectedRow_ / 2)] = usage;
    }
    return ShowMacro(macro);
}

MacroPageEffects MacroEditor::CommitStepEdit(MacroRecord& macro, int row, std::string_view text) {
    // The rows of a recording in progress do not match its record yet.
    if (Recording()) {
        return {};
    }
    selectedRow_ = row;
    if (text.empty() || row < 0 || row >= RowCount(macro)) {
        return ShowMacro(macro);
    }
    const auto step = static_cast<std::size_t>(row / 2);
    if (row % 2 == 1) {
        const auto unit = texts_.Text(TextTable::UniqueName_Other, other_text::kDelayUnit);
        if (const auto delay = ParseDelayText(text, unit, notices_)) {
            macro.eventDelay[step] = static_cast<std::uint16_t>(*delay);
        }
    } else if (macro.eventCode[step] == step_code::kDpi &&
               macro.eventType[step] == step_type::kSetDpi) {
        macro.eventParam[step][0] = static_cast<std::uint16_t>(ParseDpiLevelText(text, notices_));
    } else if (macro.eventCode[step] == step_code::kMove) {
        if (const auto move = ParseMoveText(text, texts_, notices_)) {
            macro.eventParam[step] = {static_cast<std::uint16_t>(move->x),
                                      static_cast<std::uint16_t>(move->y)};
        }
    }
    return ShowMacro(macro);
}

MacroPageEffects MacroEditor::StepListRightClick(const MacroRecord& macro, int row) {
    MacroPageEffects effects;
    if (row < 0 || row >= RowCount(macro)) {
        return effects;
    }
    selectedRow_ = row;
    effects.selectStepRow = row;
    const std::uint8_t code = macro.eventCode[static_cast<std::size_t>(row / 2)];
    const bool stepWithoutMenu =
        row % 2 == 0 && (code == step_code::kDelay || code == step_code::kLighting);
    if (!stepWithoutMenu) {
        effects.openMenu = macro_menu::kStep;
    }
    return effects;
}

MacroPageEffects MacroEditor::SelectStepRow(MacroRecord& macro, int row) {
    selectedRow_ = row;
    const int block = row < 0 ? -1 : LightingBlockOfStep(macro, row / 2);
    if (block < 0) {
        MacroPageEffects effects;
        effects.emptyLightingList = true;
        return effects;
    }
    lightingBlock_ = block;
    return ShowLighting(macro, block);
}

MacroPageEffects MacroEditor::ShowLighting(MacroRecord& macro, int block) const {
    MacroPageEffects effects;
    effects.lightingList = ShowLightingStep(macro, block, texts_);
    return effects;
}

int MacroEditor::SelectedLightingBlock(const MacroRecord& macro) const {
    return LightingBlockOfStep(macro, SelectedStep());
}

MacroPageEffects MacroEditor::SelectLightingRow(int row) {
    lightingRow_ = row;
    return {};
}

MacroPageEffects MacroEditor::LightingRightClick(const MacroRecord& macro, int row) {
    MacroPageEffects effects;
    const int block = SelectedLightingBlock(macro);
    if (block < 0 || row < 0 || row >= LightingRowCount(macro, block)) {
        return effects;
    }
    lightingRow_ = row;
    const LedBlock& data = macro.ledBlocks[static_cast<std::size_t>(block)];
    switch (KindOfLightingRow(row)) {
        case LightingRowKind::Effect:
            effects.openMenu = macro_menu::kLightingEffect;
            break;
        case LightingRowKind::Speed:
            if (EffectHasSpeed(data[static_cast<std::size_t>(LightingRowByte(row)) - 1])) {
                effects.openMenu = macro_menu::kLightingSpeed;
            }
            break;
        default:
            break;
    }
    return effects;
}

MacroPageEffects MacroEditor::LightingDoubleClick(const MacroRecord& macro, int row) {
    MacroPageEffects effects;
    const int block = SelectedLightingBlock(macro);
    if (block < 0 || row < 0 || row >= LightingRowCount(macro, block) ||
        KindOfLightingRow(row) != LightingRowKind::Duration) {
        return effects;
    }
    lightingRow_ = row;
    effects.openLightingEditor = true;
    return effects;
}

MacroPageEffects MacroEditor::ChooseLightingEffect(MacroRecord& macro, int entry) {
    constexpr int kMenuItems = 14;
    if (entry < 1 || entry > kMenuItems || lightingRow_ < 0 ||
        lightingRow_ >= LightingRowCount(macro, lightingBlock_)) {
        return {};
    }
    // The effect byte of the colour entry whose rows were clicked.
    const int byte = LightingRowByte(lightingRow_ - lightingRow_ % led_block::kEntrySize);
    macro.ledBlocks[static_cast<std::size_t>(lightingBlock_)][static_cast<std::size_t>(byte)] =
        EffectOfMenuEntry(entry);
    MacroPageEffects effects = ShowLighting(macro, lightingBlock_);
    effects.selectLightingRow = lightingRow_;
    return effects;
}

MacroPageEffects MacroEditor::ChooseLightingSpeed(MacroRecord& macro, int entry) {
    constexpr int kSpeeds = 7;
    if (entry < 1 || entry > kSpeeds || lightingRow_ < 0 ||
        lightingRow_ >= LightingRowCount(macro, lightingBlock_)) {
        return {};
    }
    const int byte = LightingRowByte(lightingRow_ - lightingRow_ % led_block::kEntrySize) + 1;
    macro.ledBlocks[static_cast<std::size_t>(lightingBlock_)][static_cast<std::size_t>(byte)] =
        static_cast<std::uint8_t>(entry);
    MacroPageEffects effects = ShowLighting(macro, lightingBlock_);
    effects.selectLightingRow = lightingRow_;
    return effects;
}

MacroPageEffects MacroEditor::CommitLightingEdit(MacroRecord& macro, std::string_view text) {
    const int block = SelectedLightingBlock(macro);
    if (block < 0) {
        return {};
    }
    lightingBlock_ = block;
    const int byte = LightingRowByte(lightingRow_);
    if (const auto value = ParseLightingValue(text, notices_);
        value && lightingRow_ >= 0 && byte < kLedBlockSize) {
        macro.ledBlocks[static_cast<std::size_t>(block)][static_cast<std::size_t>(byte)] =
            static_cast<std::uint8_t>(*value);
    }
    MacroPageEffects effects = ShowLighting(macro, block);
    effects.selectLightingRow = lightingRow_;
    effects.writeMacro = true;
    return effects;
}

MacroPageEffects MacroEditor::ChoosePlayMode(MacroRecord& macro, int control) {
    MacroPageEffects effects;
    switch (control) {
        case play_mode_control::kWhileHeld:
        case play_mode_control::kUntilPressed: {
            const auto mode = control == play_mode_control::kWhileHeld ? play_mode::kWhileHeld
                                                                       : play_mode::kUntilPressed;
            macro.playMode = static_cast<std::uint8_t>((macro.playMode & 0xF8) + mode);
            macro.repeatCount = 1;
            effects.repeatBox = RepeatBoxState{"1", false};
            break;
        }
        case play_mode_control::kByCount:
            macro.playMode = static_cast<std::uint8_t>(macro.playMode & 0xF4);
            effects.repeatBox = RepeatBoxState{FormatDecimal(macro.repeatCount), true};
            break;
        default:
            return effects;
    }
    effects.writeMacro = true;
    return effects;
}

MacroPageEffects MacroEditor::RepeatCountChanged(MacroRecord* macro, std::string_view text) {
    MacroPageEffects effects;
    if (lastRepeatText_ == text) {
        return effects;
    }
    const int count = std::clamp(ParseDecimal(text), 1, kMaxRepeatCount);
    const std::string shown = FormatDecimal(count);
    // The box is rewritten with the settled count; that text is the one seen last, so the
    // rewrite does not come back as another change.
    lastRepeatText_ = shown;
    effects.repeatBox = RepeatBoxState{shown, std::nullopt};
    if (macro != nullptr) {
        macro->repeatCount = static_cast<std::uint16_t>(count);
        effects.writeMacro = true;
    }
    return effects;
}

}  // namespace novu
