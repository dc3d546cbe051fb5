#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/user_notices.h"
#include "input/key_codes.h"
#include "macro/event_text.h"
#include "macro/macro_editor_view.h"
#include "macro/macro_record.h"
#include "macro/macro_recorder_time.h"

namespace novu {

// The key messages the keyboard capture hands to the recorder, numbered as the platform's
// window messages are, so a message and its system-key variant stay apart.
enum class KeyMessageKind : std::uint16_t {
    Other = 0,
    KeyDown = 0x0100,
    KeyUp = 0x0101,
    SystemKeyDown = 0x0104,
    SystemKeyUp = 0x0105,
};

// Records a macro from the keyboard: key presses and releases become key steps, the pauses
// between them their delays. One instance lives with the macro page; every call comes from
// the interface thread. The recorder works on the record the caller passes (the macro of the
// tree's selected row) and reports what the page must do as MacroPageEffects.
class MacroRecorder {
public:
    static constexpr int kMaxSteps = 110;
    static constexpr int kMaxPresses = 55;
    static constexpr int kMaxHeldKeys = 9;
    static constexpr std::uint8_t kVkF10 = 0x79;
    static constexpr std::uint16_t kLastStepDelay = 20;  // the pause after the final step
    static constexpr std::uint8_t kRecordingYOffset = 10;

    MacroRecorder(const TimeOfDaySource& timeOfDay, const MacVkAndText& keys,
                  const TextSource& texts, KeyNameFunction keyName);

    bool IsRecording() const { return recording_; }
    int RecordedCount() const { return recordedCount_; }
    int PressCount() const { return pressCount_; }
    int ReleaseCount() const { return releaseCount_; }
    // Virtual-key codes pressed during the recording and not yet released, in press order.
    const std::vector<std::uint8_t>& HeldKeys() const { return heldKeys_; }

    // The record control. `macro` is the macro of the tree's selected row, or null when no
    // macro row is selected (then nothing happens). Starting empties the macro, keeping its
    // name and play mode; stopping stores the recorded steps and asks for the macro to be
    // written and shown.
    MacroPageEffects ToggleRecording(MacroRecord* macro);

    // Every message the main window receives while recording, with its first parameter.
    // Key messages become steps of `macro`; F10 is consumed so it cannot open a window menu.
    // The 111th key message ends the recording as the record control does.
    MacroPageEffects RecordKeyMessage(MacroRecord& macro, KeyMessageKind kind,
                                      std::uint32_t firstParameter);

    // Another macro was selected: recording ends and nothing is saved. The record keeps what
    // was recorded into it so far until its group is read again.
    MacroPageEffects AbandonRecording();

private:
    struct LastKeyMessage {
        KeyMessageKind kind;
        std::uint8_t vk;
    };

    MacroPageEffects Start(MacroRecord& macro);
    MacroPageEffects Stop(MacroRecord& macro);
    // Adds a step for the key; false when the message is not recorded.
    bool RecordStep(MacroRecord& macro, KeyMessageKind kind, std::uint8_t vk,
                    MacroPageEffects& effects);

    const TimeOfDaySource& timeOfDay_;
    const MacVkAndText& keys_;
    const TextSource& texts_;
    KeyNameFunction keyName_;

    bool recording_ = false;
    bool keyboardCaptured_ = false;
    int recordedCount_ = 0;
    int pressCount_ = 0;
    int releaseCount_ = 0;
    std::vector<std::uint8_t> heldKeys_;
    std::optional<LastKeyMessage> lastKeyMessage_;
    std::optional<std::int64_t> lastTime_;  // empty until the first measurement
};

}  // namespace novu
