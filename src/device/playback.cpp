#include "device/playback.h"

#include <algorithm>

#include "device/memory_image.h"
#include "input/key_codes.h"

namespace novu {

namespace {

namespace fc = function_code;

constexpr std::uint8_t kFirstButtonCode = 0xF0;
constexpr std::uint8_t kLeftButtonPress = 0xF0 + 1;    // pressed key code of hardware key 1
constexpr std::int32_t kLastPlayableUserMacro = 3083;  // group 11, macro 11
constexpr int kLastGroup = 12;
constexpr int kBuiltinTableSize = 13;

std::uint8_t ButtonBit(std::uint8_t code) {
    switch (code) {
        case step_code::kLeftButton:
            return 0x01;
        case step_code::kRightButton:
            return 0x02;
        case step_code::kMiddleButton:
            return 0x04;
        default:
            return 0;
    }
}

bool IsMouseButtonStep(const MacroEvent& event) {
    return event.code >= kFirstButtonCode &&
           (event.type == step_type::kPress || event.type == step_type::kRelease);
}

}  // namespace

void MacroPlayer::PlayStep(std::uint8_t code, std::uint8_t type, std::uint16_t param1,
                           std::uint16_t param2, std::uint8_t yOffset,
                           std::uint8_t yOffsetEnabled) {
    if (code == step_code::kMove) {
        if (yOffsetEnabled != 0) {
            param2 = static_cast<std::uint16_t>(param2 + yOffset);
        }
        std::int16_t dx = 0;
        std::int16_t dy = 0;
        if (type >= step_type::kMoveLeftUp && type <= step_type::kMoveRightDown) {
            const bool left = type <= step_type::kMoveLeftDown;
            const bool up = type == step_type::kMoveLeftUp || type == step_type::kMoveRightUp;
            dx = static_cast<std::int16_t>(left ? -param1 : param1);
            dy = static_cast<std::int16_t>(up ? -param2 : param2);
        }
        transport_.MouseMove(dx, dy);
        return;
    }
    if (code >= kFirstButtonCode) {
        const std::uint8_t bit = ButtonBit(code);
        if (type == step_type::kPress) {
            buttonState_ = static_cast<std::uint8_t>(buttonState_ & ~bit);
        } else if (type == step_type::kRelease) {
            buttonState_ = static_cast<std::uint8_t>(buttonState_ | bit);
        }
        transport_.MouseButtons(buttonState_);
        return;
    }
    if (type == step_type::kPress) {
        auto free = std::find(heldKeys_.begin(), heldKeys_.end(), 0);
        if (free != heldKeys_.end()) {
            *free = code;
        }
    } else if (type == step_type::kRelease) {
        auto held = std::find(heldKeys_.begin(), heldKeys_.end(), code);
        if (held != heldKeys_.end()) {
            std::move(held + 1, heldKeys_.end(), held);
            heldKeys_.back() = 0;
        }
    }
    transport_.KeyboardKeys(heldKeys_);
}

void MacroPlayer::ReleaseAll() {
    clock_.SleepFor(Ms(kReleasePauseMs));
    buttonState_ = static_cast<std::uint8_t>(buttonState_ | 0x07);
    transport_.MouseButtons(buttonState_);
    clock_.SleepFor(Ms(kReleasePauseMs));
    heldKeys_.fill(0);
    transport_.KeyboardKeys(heldKeys_);
}

bool MacroPlayer::ShouldStop(std::uint8_t playMode) const {
    if (playMode & 0x02) {
        return !press_.held.load();
    }
    if (playMode & 0x01) {
        return !press_.toggle.load();
    }
    return false;
}

void MacroPlayer::Play(const MacroRecord& record, int plays, std::uint8_t playMode) {
    const int steps = std::min<int>(record.eventCount, kMaxMacroSteps);
    // Pauses run to absolute deadlines, so the time spent sending does not add up.
    TimePoint deadline = clock_.Now();
    for (int play = 0; play < plays && !ShouldStop(playMode); ++play) {
        for (int j = 0; j < steps; ++j) {
            if (ShouldStop(playMode)) {
                ReleaseAll();
                return;
            }
            const MacroEvent event = EventAt(record, j);
            PlayStep(event.code, event.type, event.param1, event.param2, record.yOffset,
                     record.yOffsetEnabled);
            int delay = event.delay;
            if (IsMouseButtonStep(event)) {
                delay = std::max(delay, kSoftwarePressMinimumMs);
                if (delay < kJitterThresholdMs) {
                    delay += random_.Below(delay / 2);
                }
            }
            deadline += Ms(delay);
            clock_.SleepUntil(deadline);
        }
    }
    ReleaseAll();
}

void MacroPlayer::ServePress() {
    const Settings settings = store_.Snapshot();
    const DeviceDescription device = store_.Device();
    const ProfileSettings& profile =
        settings.profiles[static_cast<std::size_t>(settings.CurConfig & 3)];
    const std::uint8_t pressed = press_.pressedKeyCode.load();
    const int slots = std::clamp(device.KEYNUM, 0, kButtonSlots);

    for (int s = 0; s < slots; ++s) {
        const auto si = static_cast<std::size_t>(s);
        if (device.KEYMAP[si] == 0 || device.KEYMAP[si] + kFirstButtonCode != pressed) {
            continue;
        }
        std::int32_t code = profile.K[si];
        bool macroKey =
            profile.LEFT_MAC[si] == 0 && code >= fc::kFirstPreset && code <= kLastPlayableUserMacro;
        const bool builtinKey = code >= fc::kFirstBuiltin && code <= fc::kLastBuiltin;
        if (pressed == kLeftButtonPress && press_.armed.load()) {
            // The left button plays the armed button's preset or user macro.
            const int armedSlot = press_.armedSlot.load();
            if (armedSlot >= 0 && armedSlot < kButtonSlots) {
                const std::int32_t armedCode = profile.K[static_cast<std::size_t>(armedSlot)];
                if (armedCode >= fc::kFirstPreset && armedCode <= fc::kLastUserMacro) {
                    code = armedCode;
                    macroKey = true;
                }
            }
        }
        if (code >= fc::kFirstMultimedia && code <= fc::kLastMultimedia) {
            transport_.ConsumerKey(MediaKeyToConsumerUsage(code - fc::kFirstMultimedia));
            continue;
        }
        if (settings.shared.SOFT_HARD_MAC != 1) {
            continue;
        }
        if (macroKey) {
            MacroRecord record;
            if (code >= fc::kFirstUserMacro) {
                const int group = code / 256 - 1;
                const int index = code % 256;
                if (group > kLastGroup) {
                    continue;
                }
                const int count = group < macros_.GroupCount() ? macros_.MacroCount(group) : 0;
                if (index > count) {
                    continue;
                }
                record = macros_.ReadMacroEntry(group, index);
            } else {
                record = macros_.Preset(code - fc::kFirstPreset);
            }
            const int plays =
                (record.playMode & 3) != 0 ? kSoftwareRepeatLimit : record.repeatCount;
            Play(record, plays, record.playMode);
        } else if (builtinKey) {
            const int index = code - fc::kFirstBuiltin;
            // Built-in macros are played once, whatever their play mode.
            Play(macros_.Builtin(index >= kBuiltinTableSize ? 0 : index), 1, 0);
        }
    }
}

}  // namespace novu
