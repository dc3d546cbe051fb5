#include "macro/recoil_dialog.h"

#include <algorithm>

#include "base/text.h"

namespace novu {

namespace {

constexpr std::uint8_t kModeBits = 0x03;
constexpr std::uint8_t kClearForWhileHeld = 0xF8;  // mode bits and flag bit 2
constexpr std::uint8_t kClearForByCount = 0xF4;    // mode bits and flag bit 3
constexpr int kMaxField = 0xFFFF;

std::uint16_t Field(int value) {
    return static_cast<std::uint16_t>(std::clamp(value, 0, kMaxField));
}

int BoxNumber(const std::string& text) {
    return ParseDecimal(text);
}

}  // namespace

RecoilDialog::RecoilDialog(RecoilPresets& presets, UserNotices& notices,
                           std::filesystem::path dataFolder)
    : presets_(presets), notices_(notices), dataFolder_(std::move(dataFolder)) {}

void RecoilDialog::Open() {
    current_ = 0;
    reportedPicture_ = -1;
    ShowPreset(0);
}

int RecoilDialog::Strength() const {
    return std::clamp(BoxNumber(boxes_.strength), kMinRecoilStrength, kMaxRecoilStrength);
}

void RecoilDialog::ShowPreset(int index) {
    const MacroRecord preset = presets_.Preset(index);
    if (preset.eventCount > 0) {
        if ((preset.playMode & kModeBits) == play_mode::kCount) {
            boxes_.repeatEnabled = true;
            boxes_.repeat = FormatDecimal(preset.repeatCount);
        } else {
            boxes_.repeatEnabled = false;
            boxes_.repeat = "1";
        }
    }
    if (preset.moveCount > 0) {
        for (std::size_t step = 0; step < preset.eventCount; ++step) {
            if (preset.eventParam[step][1] != 0) {
                boxes_.strength = FormatDecimal(preset.eventParam[step][1]);
                boxes_.interval = FormatDecimal(preset.eventDelay[0]);
                break;
            }
        }
    }
}

void RecoilDialog::Confirm() {
    if (current_ >= presets_.Count()) {
        notices_.ShowMessageBox(kPresetIndexErrorText);
        return;
    }
    const int strength = Strength();
    // A preset that plays 0 times would do nothing at all: the count is at least 1.
    const std::uint16_t repeat = Field(std::max(BoxNumber(boxes_.repeat), 1));
    const std::uint16_t interval = Field(BoxNumber(boxes_.interval));
    presets_.Edit(current_, [&](MacroRecord& preset) {
        preset.repeatCount = repeat;
        preset.eventDelay[0] = interval;
        preset.eventDelay[1] = interval;
        preset.yOffsetEnabled = 1;
        preset.yOffset = static_cast<std::uint8_t>(strength);
    });
    (void)presets_.WritePreset(current_, strength);  // a missing file is reported by it
}

void RecoilDialog::ChooseWhileHeld() {
    presets_.Edit(current_, [](MacroRecord& preset) {
        preset.playMode = static_cast<std::uint8_t>((preset.playMode & kClearForWhileHeld) |
                                                    play_mode::kWhileHeld);
        preset.repeatCount = 1;
    });
    boxes_.repeatEnabled = false;
    boxes_.repeat = "1";
}

void RecoilDialog::ChooseByCount() {
    std::uint16_t repeat = 1;
    presets_.Edit(current_, [&](MacroRecord& preset) {
        preset.playMode = static_cast<std::uint8_t>(preset.playMode & kClearForByCount);
        if (preset.repeatCount == 0) {
            preset.repeatCount = 1;
        }
        repeat = preset.repeatCount;
    });
    boxes_.repeatEnabled = true;
    boxes_.repeat = FormatDecimal(repeat);
}

int RecoilDialog::PressedModeControl() const {
    switch (presets_.Preset(current_).playMode & kModeBits) {
        case play_mode::kWhileHeld:
            return recoil_control::kPlayWhileHeld;
        case play_mode::kCount:
            return recoil_control::kPlayByCount;
        default:
            return -1;
    }
}

void RecoilDialog::ChoosePresetItem(int item) {
    const int chosen = item - 1;
    if (chosen < 0 || chosen >= kMaxRecoilPresets || chosen == current_) {
        return;
    }
    const int previous = current_;
    current_ = chosen;
    OnPresetChosen(previous);
}

void RecoilDialog::OnPresetChosen(int previous) {
    if (previous < 0 || previous >= presets_.Count()) {
        notices_.ShowMessageBox(kPresetIndexErrorText);
        return;
    }
    const int strength = Strength();
    const std::uint16_t repeat = Field(std::max(BoxNumber(boxes_.repeat), 1));
    presets_.Edit(previous, [&](MacroRecord& preset) { preset.repeatCount = repeat; });
    (void)presets_.WritePreset(previous, strength);
    ShowPreset(current_);
}

std::filesystem::path RecoilDialog::PicturePath() const {
    return dataFolder_ / "Gun" / (FormatDecimal(current_ + 1) + ".jpg");
}

bool RecoilDialog::TakeMissingPictureReport(bool pictureExists) {
    if (pictureExists || reportedPicture_ == current_) {
        return false;
    }
    reportedPicture_ = current_;
    return true;
}

}  // namespace novu
