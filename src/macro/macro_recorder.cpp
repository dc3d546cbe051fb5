#include "macro/macro_recorder.h"

#include <algorithm>
#include <utility>

namespace novu {

namespace {

bool IsKeyMessage(KeyMessageKind kind) {
    return kind == KeyMessageKind::KeyDown || kind == KeyMessageKind::KeyUp ||
           kind == KeyMessageKind::SystemKeyDown || kind == KeyMessageKind::SystemKeyUp;
}

bool IsPress(KeyMessageKind kind) {
    return kind == KeyMessageKind::KeyDown || kind == KeyMessageKind::SystemKeyDown;
}

}  // namespace

MacroRecorder::MacroRecorder(const TimeOfDaySource& timeOfDay, const MacVkAndText& keys,
                             const TextSource& texts, KeyNameFunction keyName)
    : timeOfDay_(timeOfDay), keys_(keys), texts_(texts), keyName_(std::move(keyName)) {}

MacroPageEffects MacroRecorder::ToggleRecording(MacroRecord* macro) {
    if (macro == nullptr) {
        return {};
    }
    return recording_ ? Stop(*macro) : Start(*macro);
}

MacroPageEffects MacroRecorder::Start(MacroRecord& macro) {
    recording_ = true;
    MacroPageEffects effects;
    heldKeys_.clear();
    if (!keyboardCaptured_) {
        keyboardCaptured_ = true;
        effects.keyboard = KeyboardCapture::Take;
    }
    pressCount_ = 0;
    releaseCount_ = 0;
    recordedCount_ = 0;
    // A new recording owes nothing to the last one: its first key is never taken for a
    // repeat of the previous recording's last key, and its first pause starts afresh.
    lastKeyMessage_.reset();
    lastTime_.reset();

    // The emptied record is the all-zero template with the macro's name (the text of its
    // tree row) and play mode put back.
    const auto name = macro.name;
    const std::uint8_t playMode = macro.playMode;
    ClearMacroRecord(macro);
    macro.name = name;
    macro.playMode = playMode;
    macro.repeatCount = 1;
    macro.yOffsetEnabled = 0;
    macro.yOffset = kRecordingYOffset;

    effects.repeatBox = RepeatBoxState{"1", std::nullopt};
    effects.emptyStepList = true;
    effects.emptyLightingList = true;
    return effects;
}

MacroPageEffects MacroRecorder::Stop(MacroRecord& macro) {
    recording_ = false;
    MacroPageEffects effects;
    macro.eventCount = static_cast<std::uint16_t>(recordedCount_);
    effects.writeMacro = true;
    if (keyboardCaptured_) {
        keyboardCaptured_ = false;
        effects.keyboard = KeyboardCapture::Release;
        effects.stepList = ShowMacroView(macro, texts_, keyName_, false);
    }
    if ((macro.playMode & 3) == play_mode::kCount) {
        effects.repeatBox = RepeatBoxState{std::nullopt, true};
    }
    return effects;
}

MacroPageEffects MacroRecorder::AbandonRecording() {
    MacroPageEffects effects;
    recording_ = false;
    if (keyboardCaptured_) {
        keyboardCaptured_ = false;
        effects.keyboard = KeyboardCapture::Release;
    }
    return effects;
}

MacroPageEffects MacroRecorder::RecordKeyMessage(MacroRecord& macro, KeyMessageKind kind,
                                                 std::uint32_t firstParameter) {
    MacroPageEffects effects;
    if (!recording_) {
        return effects;
    }
    if (IsKeyMessage(kind) && firstParameter <= 0xFF) {
        const auto vk = static_cast<std::uint8_t>(firstParameter);
        const bool repeat =
            lastKeyMessage_ && lastKeyMessage_->kind == kind && lastKeyMessage_->vk == vk;
        if (!repeat) {
            if (recordedCount_ >= kMaxSteps) {
                effects = Stop(macro);
            } else if (RecordStep(macro, kind, vk, effects)) {
                lastKeyMessage_ = LastKeyMessage{kind, vk};
            }
        }
    }
    effects.consumed = firstParameter == kVkF10;
    return effects;
}

bool MacroRecorder::RecordStep(MacroRecord& macro, KeyMessageKind kind, std::uint8_t vk,
                               MacroPageEffects& effects) {
    std::uint8_t type = 0;
    const auto held = std::find(heldKeys_.begin(), heldKeys_.end(), vk);
    if (IsPress(kind)) {
        // A press of a key that is already down can only be a repeat in another guise. A
        // press beyond the held-key places is dropped whole: its release then finds no
        // press either, so the macro never releases a key it did not press.
        if (pressCount_ >= kMaxPresses || held != heldKeys_.end() ||
            std::ssize(heldKeys_) >= kMaxHeldKeys) {
            return false;
        }
        heldKeys_.push_back(vk);
        type = step_type::kPress;
    } else {
        // A key that was already down when recording started.
        if (held == heldKeys_.end()) {
            return false;
        }
        heldKeys_.erase(held);
        type = step_type::kRelease;
    }

    const int index = recordedCount_;
    const std::int64_t now = timeOfDay_.MillisecondsOfDay();
    if (lastTime_ && index > 0) {
        const auto previous = static_cast<std::size_t>(index - 1);
        macro.eventDelay[previous] = ElapsedMs(now, *lastTime_);
        effects.appendedSteps.push_back(FormatDelayText(macro.eventDelay[previous], texts_));
    }
    lastTime_ = now;
    SetEvent(macro, index, MacroEvent{type, keys_.VkToHidUsage(vk), 0, 0, kLastStepDelay});
    effects.appendedSteps.push_back(FormatEventText(macro, index, texts_, keyName_));
    ++recordedCount_;
    if (type == step_type::kPress) {
        ++pressCount_;
    } else {
        ++releaseCount_;
    }
    return true;
}

}  // namespace novu
