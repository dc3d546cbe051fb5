#include <gtest/gtest.h>

#include "base/recorded_notices.h"
#include "macro/builtin_macros.h"
#include "macro/recoil_dialog.h"
#include "macro/recoil_presets.h"
#include "support/temp_folder.h"

namespace novu {
namespace {

using test::TempFolder;
using Notice = RecordedNotices::Notice;
using Kind = RecordedNotices::Kind;

// A pull-down preset: three moves, the middle one sideways only.
MacroRecord Preset(std::u16string_view name, std::uint8_t mode, std::uint16_t repeat,
                   std::uint16_t pull, std::uint16_t interval) {
    MacroRecord record;
    SetMacroName(record, name);
    record.playMode = mode;
    record.repeatCount = repeat;
    record.eventCount = 3;
    record.moveCount = 3;
    SetEvent(record, 0, {step_type::kMoveRightDown, step_code::kMove, 0, pull, interval});
    SetEvent(record, 1, {step_type::kMoveRightDown, step_code::kMove, 2, 0, interval});
    SetEvent(record, 2, {step_type::kMoveRightDown, step_code::kMove, 0, pull, 40});
    return record;
}

class RecoilTest : public ::testing::Test {
protected:
    RecoilTest() {
        std::filesystem::create_directories(presetFile.parent_path());
        std::filesystem::create_directories(dir / "0_INI_CN");
        std::vector<MacroRecord> three = {Preset(u"Rifle", 2, 1, 6, 80),
                                          Preset(u"Carbine", 0, 0, 4, 100),
                                          Preset(u"SMG", 0, 5, 3, 60)};
        EXPECT_TRUE(files.WriteGroupFile(presetFile, three));
    }
    Notice Box(std::string_view text) const { return {Kind::MessageBox, -1, std::string(text)}; }

    TempFolder dir;
    std::filesystem::path presetFile = dir / "1_INI_EN" / "PUBG.dat";
    IniFiles ini;
    MacroFiles files{ini, MacVkAndText([] { return 1; })};
    RecordedNotices notices;
    RecoilPresets presets{files, notices};
    RecoilDialog dialog{presets, notices, dir.Path()};
};

TEST_F(RecoilTest, LoadingPresetsAndTheirNames) {
    presets.Load(presetFile);
    EXPECT_EQ(presets.Count(), 3);
    EXPECT_EQ(presets.Name(1), "Carbine");
    EXPECT_EQ(presets.Name(3), "");
    EXPECT_EQ(presets.Preset(2), Preset(u"SMG", 0, 5, 3, 60));
    EXPECT_EQ(presets.Preset(3), MacroRecord{});

    // A language without its preset file keeps the presets it had.
    presets.Load(dir / "0_INI_CN" / "PUBG.dat");
    EXPECT_EQ(notices.Notices(), (std::vector<Notice>{Box(kPresetFileMissingText)}));
    EXPECT_EQ(presets.Count(), 3);
    notices.Clear();
    EXPECT_FALSE(presets.WritePreset(0, 5)) << "nowhere to write";
    EXPECT_EQ(notices.Notices(), (std::vector<Notice>{Box(kPresetFileMissingText)}));

    // A shorter file of another language leaves nothing of the longer one.
    const auto other = dir / "0_INI_CN" / "PUBG.dat";
    ASSERT_TRUE(
        files.WriteGroupFile(other, std::vector<MacroRecord>{Preset(u"Pistol", 0, 1, 2, 150)}));
    presets.Load(other);
    EXPECT_EQ(presets.Count(), 1);
    EXPECT_EQ(presets.Name(0), "Pistol");
    EXPECT_EQ(presets.Name(1), "");
    EXPECT_EQ(presets.Preset(1), MacroRecord{});
}

TEST_F(RecoilTest, ConfirmingWritesStrengthIntervalAndCount) {
    presets.Load(presetFile);
    dialog.Open();
    EXPECT_EQ(dialog.Boxes(), (RecoilBoxes{"1", false, "6", "80"})) << "held: box shows 1";
    EXPECT_EQ(dialog.PressedModeControl(), recoil_control::kPlayWhileHeld);

    struct Case {
        const char* strength;
        std::uint16_t stored;
    } cases[] = {{"0", 1}, {"150", 99}, {"", 1}, {"42", 42}};
    for (const Case& c : cases) {
        dialog.SetStrengthText(c.strength);
        dialog.SetIntervalText("25");
        dialog.Confirm();
        const MacroRecord stored = files.ReadMacroEntry(presetFile, 0);
        EXPECT_EQ(stored.eventParam[0][1], c.stored) << c.strength;
        EXPECT_EQ(stored.eventParam[1][1], 0) << "a move without pull-down keeps none";
        EXPECT_EQ(stored.eventParam[2][1], c.stored);
        EXPECT_EQ(stored.yOffsetEnabled, 1);
        EXPECT_EQ(stored.yOffset, c.stored);
        EXPECT_EQ(stored.eventDelay[0], 25);
        EXPECT_EQ(stored.eventDelay[1], 25);
        EXPECT_EQ(stored.eventDelay[2], 40) << "only the first two pauses are the interval";
        EXPECT_EQ(presets.Preset(0), stored);
    }
    EXPECT_EQ(files.ReadMacroNum(presetFile), 3);
    EXPECT_EQ(files.ReadMacroEntry(presetFile, 1), Preset(u"Carbine", 0, 0, 4, 100));
    EXPECT_TRUE(notices.Notices().empty());
}

TEST_F(RecoilTest, SwitchingPresetsWritesTheOneLeft) {
    presets.Load(presetFile);
    dialog.Open();
    dialog.ChooseByCount();
    EXPECT_EQ(dialog.Boxes().repeat, "1");
    dialog.SetRepeatText("7");
    dialog.SetStrengthText("9");
    dialog.SetIntervalText("33");
    dialog.ChoosePresetItem(3);

    const MacroRecord left = files.ReadMacroEntry(presetFile, 0);
    EXPECT_EQ(left.repeatCount, 7);
    EXPECT_EQ(left.playMode & 3, 0);
    EXPECT_EQ(left.eventParam[0][1], 9);
    EXPECT_EQ(left.eventDelay[0], 80) << "the switch does not write the interval";
    EXPECT_EQ(left.yOffsetEnabled, 0);
    EXPECT_EQ(dialog.Current(), 2);
    EXPECT_EQ(dialog.Boxes(), (RecoilBoxes{"5", true, "3", "60"}));

    // The preset menu's current item changes nothing.
    dialog.ChoosePresetItem(3);
    EXPECT_EQ(files.ReadMacroEntry(presetFile, 2), Preset(u"SMG", 0, 5, 3, 60));

    // Choosing a mode: while held repeats once; by count brings a stored 0 up to 1.
    dialog.ChooseWhileHeld();
    EXPECT_EQ(dialog.Boxes().repeat, "1");
    EXPECT_FALSE(dialog.Boxes().repeatEnabled);
    EXPECT_EQ(presets.Preset(2).playMode, 2);
    EXPECT_EQ(presets.Preset(2).repeatCount, 1);
    dialog.ChoosePresetItem(2);
    EXPECT_EQ(dialog.Boxes().repeat, "0");
    dialog.ChooseByCount();
    EXPECT_EQ(dialog.Boxes(), (RecoilBoxes{"1", true, "4", "100"}));
    EXPECT_EQ(dialog.PressedModeControl(), recoil_control::kPlayByCount);

    // Mode bits: while held clears flag bit 2, by count clears flag bit 3.
    presets.Edit(1, [](MacroRecord& r) { r.playMode = 0x0C; });
    dialog.ChooseWhileHeld();
    EXPECT_EQ(presets.Preset(1).playMode, 0x0A);
    dialog.ChooseByCount();
    EXPECT_EQ(presets.Preset(1).playMode, 0x00);
}

TEST_F(RecoilTest, ErrorsOfTheDialog) {
    presets.Load(presetFile);
    dialog.Open();
    dialog.OnPresetChosen(3);
    EXPECT_EQ(notices.Notices(), (std::vector<Notice>{Box(kPresetIndexErrorText)}));

    EXPECT_EQ(dialog.PicturePath(), dir / "Gun" / "1.jpg");
    EXPECT_TRUE(dialog.TakeMissingPictureReport(false));
    EXPECT_FALSE(dialog.TakeMissingPictureReport(false)) << "not again on every repaint";
    dialog.ChoosePresetItem(2);
    EXPECT_EQ(dialog.PicturePath(), dir / "Gun" / "2.jpg");
    EXPECT_FALSE(dialog.TakeMissingPictureReport(true));
    EXPECT_TRUE(dialog.TakeMissingPictureReport(false));

    // The preset file vanished while the dialog was open.
    std::filesystem::remove(presetFile);
    notices.Clear();
    dialog.Confirm();
    EXPECT_EQ(notices.Notices(), (std::vector<Notice>{Box(kPresetFileMissingText)}));
    EXPECT_FALSE(std::filesystem::exists(presetFile)) << "no file is created";
}

TEST_F(RecoilTest, BuiltinMacros) {
    BuiltinMacros builtins(files, notices);
    const auto file = BuiltinMacroFile(dir.Path());
    builtins.Load(file);
    EXPECT_EQ(notices.Tips(), (std::vector<int>{5}));
    EXPECT_EQ(builtins.Count(), 0);

    std::vector<MacroRecord> fifteen;
    for (int i = 0; i < 15; ++i) {
        MacroRecord record = Preset(u"B", 0, 1, 1, 1);
        record.yOffsetEnabled = 1;
        record.yOffset = static_cast<std::uint8_t>(i);
        record.reserved = {1, 0, 0, 0};
        fifteen.push_back(record);
    }
    std::filesystem::create_directories(file.parent_path());
    ASSERT_TRUE(files.WriteGroupFile(file, fifteen));
    builtins.Load(file);
    EXPECT_EQ(builtins.Count(), kMaxBuiltinMacros);
    EXPECT_EQ(builtins.Macro(12).yOffset, 12);
    EXPECT_EQ(builtins.Macro(13), MacroRecord{});
}

}  // namespace
}  // namespace novu
