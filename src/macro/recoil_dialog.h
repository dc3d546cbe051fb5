#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "base/user_notices.h"
#include "macro/recoil_presets.h"

namespace novu {

// The message boxes of the recoil dialog.
constexpr std::string_view kPresetPictureMissingText = "枪械图片丢失，未能对应!";
constexpr std::string_view kPresetIndexErrorText = "宏内容出错!";

// Controls of the recoil dialog with a behaviour of their own.
namespace recoil_control {
constexpr int kConfirm = 2;
constexpr int kPicture = 4;
constexpr int kPresetName = 5;
constexpr int kPlayByCount = 8;
constexpr int kPlayWhileHeld = 9;
}  // namespace recoil_control

// The three digit boxes of the recoil dialog.
struct RecoilBoxes {
    std::string repeat;  // repeatCount of the current preset
    bool repeatEnabled = true;
    std::string strength;  // pull-down per move
    std::string interval;  // pause after steps 0 and 1, ms

    bool operator==(const RecoilBoxes&) const = default;
};

// The rules of the recoil dialog without its window: which preset it shows, what its boxes
// hold, and what confirming, the mode controls and the preset menu do to the presets.
class RecoilDialog {
public:
    RecoilDialog(RecoilPresets& presets, UserNotices& notices, std::filesystem::path dataFolder);

    // Dialog initialisation: preset 0 becomes current and is shown.
    void Open();

    int Current() const { return current_; }
    const RecoilBoxes& Boxes() const { return boxes_; }
    // What the user typed or pasted into a box.
    void SetRepeatText(std::string text) { boxes_.repeat = std::move(text); }
    void SetStrengthText(std::string text) { boxes_.strength = std::move(text); }
    void SetIntervalText(std::string text) { boxes_.interval = std::move(text); }

    // ShowPreset: fills the boxes from preset `index`.
    void ShowPreset(int index);

    // Control 2: writes the boxes into the current preset and the preset file. The dialog
    // closes afterwards whatever the outcome.
    void Confirm();
    // Control 9 and control 8.
    void ChooseWhileHeld();
    void ChooseByCount();
    // The mode control drawn pressed: 9 while held, 8 by count, -1 for neither.
    int PressedModeControl() const;

    // Item `item` (1-based) of the preset menu was chosen.
    void ChoosePresetItem(int item);
    // Message 0x83F3: the preset that was current before the menu changed it is written with
    // the repeat count and strength its boxes still show, then the new one is shown.
    void OnPresetChosen(int previous);

    // <data folder>/Gun/<current + 1>.jpg.
    std::filesystem::path PicturePath() const;
    // Whether the painting should report the missing picture now: once per preset shown, not
    // on every repaint.
    bool TakeMissingPictureReport(bool pictureExists);

private:
    int Strength() const;

    RecoilPresets& presets_;
    UserNotices& notices_;
    std::filesystem::path dataFolder_;
    int current_ = 0;
    int reportedPicture_ = -1;
    RecoilBoxes boxes_;
};

}  // namespace novu
