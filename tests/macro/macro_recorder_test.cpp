#include "macro/macro_recorder.h"

#include <gtest/gtest.h>

#include "base/virtual_clock.h"
#include "editor_test_texts.h"
#include "macro/macro_record.h"

namespace novu {
namespace {

using test::EditorTestTexts;
using test::TestKeyName;
using Kind = KeyMessageKind;

constexpr std::uint8_t kVkA = 0x41;
constexpr std::uint8_t kVkB = 0x42;
constexpr std::uint8_t kVkTab = 0x09;
constexpr std::uint8_t kVkAlt = 0x12;
constexpr std::uint8_t kUsageA = 0x04;

// A time of day the test sets by hand.
class ScriptedTimeOfDay final : public TimeOfDaySource {
public:
    std::int64_t MillisecondsOfDay() const override { return now; }
    std::int64_t now = novu::MillisecondsOfDay(10, 0, 0, 0);
};

class RecorderTest : public ::testing::Test {
protected:
    RecorderTest() {
        SetMacroNameUnits(u"Combo");
        macro_.playMode = play_mode::kWhileHeld | 0x08;
        macro_.repeatCount = 7;
        macro_.eventCount = 2;
        SetEvent(macro_, 0, {1, 0x05, 0, 0, 30});
        macro_.ledCount = 1;
        macro_.ledBlocks[0][0] = 1;
        macro_.yOffsetEnabled = 1;
        macro_.yOffset = 3;
    }

    void SetMacroNameUnits(std::u16string_view name) {
        std::copy(name.begin(), name.end(), macro_.name.begin());
    }

    MacroPageEffects Start() {
        MacroPageEffects effects = recorder_.ToggleRecording(&macro_);
        EXPECT_TRUE(recorder_.IsRecording());
        return effects;
    }
    MacroPageEffects Key(Kind kind, std::uint8_t vk, std::int64_t afterMs = 0) {
        time_.now += afterMs;
        return recorder_.RecordKeyMessage(macro_, kind, vk);
    }
    void Tap(std::uint8_t vk) {
        Key(Kind::KeyDown, vk, 10);
        Key(Kind::KeyUp, vk, 10);
    }

    ScriptedTimeOfDay time_;
    int languageIndex_ = 0;
    MacVkAndText keys_{[this] { return languageIndex_; }};
    EditorTestTexts texts_;
    MacroRecorder recorder_{time_, keys_, texts_, TestKeyName};
    MacroRecord macro_;
};

TEST_F(RecorderTest, StartingEmptiesTheMacroButKeepsNameAndPlayMode) {
    const auto name = macro_.name;
    const MacroPageEffects effects = Start();

    MacroRecord expected;
    expected.name = name;
    expected.playMode = play_mode::kWhileHeld | 0x08;
    expected.repeatCount = 1;
    expected.yOffset = 10;
    EXPECT_EQ(macro_, expected);

    EXPECT_EQ(effects.keyboard, KeyboardCapture::Take);
    EXPECT_TRUE(effects.emptyStepList);
    EXPECT_TRUE(effects.emptyLightingList);
    EXPECT_EQ(effects.repeatBox, (RepeatBoxState{"1", std::nullopt}));
    EXPECT_FALSE(effects.writeMacro);
}

TEST_F(RecorderTest, PressAndReleaseBecomeStepsWithTheMeasuredPause) {
    Start();
    const MacroPageEffects press = Key(Kind::KeyDown, kVkA, 500);
    const MacroPageEffects release = Key(Kind::KeyUp, kVkA, 150);

    EXPECT_EQ(EventAt(macro_, 0), (MacroEvent{1, kUsageA, 0, 0, 150}));
    EXPECT_EQ(EventAt(macro_, 1), (MacroEvent{2, kUsageA, 0, 0, 20}));
    EXPECT_EQ(macro_.eventCount, 0) << "stored only when recording stops";
    // Each new step adds the pause line of the step before it, then its own line.
    EXPECT_EQ(press.appendedSteps, (std::vector<StepLine>{{"K04", 1}}));
    EXPECT_EQ(release.appendedSteps, (std::vector<StepLine>{{"150ms", 0}, {"K04", 2}}));
    EXPECT_EQ(recorder_.PressCount(), 1);
    EXPECT_EQ(recorder_.ReleaseCount(), 1);

    const MacroPageEffects stop = recorder_.ToggleRecording(&macro_);
    EXPECT_FALSE(recorder_.IsRecording());
    EXPECT_EQ(macro_.eventCount, 2);
    EXPECT_TRUE(stop.writeMacro);
    EXPECT_EQ(stop.keyboard, KeyboardCapture::Release);
    ASSERT_TRUE(stop.stepList.has_value());
    EXPECT_EQ(stop.stepList->steps.rows,
              (std::vector<StepLine>{{"K04", 1}, {"150ms", 0}, {"K04", 2}, {"20ms", 0}}));
    // Play mode "while held": the box shows 1, disabled, and is not enabled afterwards.
    EXPECT_EQ(stop.stepList->repeatBox, (RepeatBoxState{"1", false}));
    EXPECT_FALSE(stop.repeatBox.has_value());
}

TEST_F(RecorderTest, StoppingAMacroPlayedByCountEnablesTheRepeatBox) {
    macro_.playMode = play_mode::kCount;
    Start();
    const MacroPageEffects stop = recorder_.ToggleRecording(&macro_);
    EXPECT_EQ(macro_.eventCount, 0);
    EXPECT_TRUE(stop.writeMacro);
    EXPECT_EQ(stop.repeatBox, (RepeatBoxState{std::nullopt, true}));
}

TEST_F(RecorderTest, KeysAreRecordedAsUsagesOfTheCurrentLayout) {
    languageIndex_ = 2;  // the AZERTY layout: the key that sends VK 'A' has usage 0x14
    Start();
    Key(Kind::KeyDown, kVkA);
    EXPECT_EQ(macro_.eventCode[0], 0x14);
}

TEST_F(RecorderTest, AutoRepeatGivesOnePress) {
    Start();
    for (int i = 0; i < 5; ++i) {
        Key(Kind::KeyDown, kVkA, 33);
    }
    Key(Kind::KeyUp, kVkA, 33);
    EXPECT_EQ(recorder_.RecordedCount(), 2);
    EXPECT_EQ(EventAt(macro_, 0), (MacroEvent{1, kUsageA, 0, 0, 165}));
}

TEST_F(RecorderTest, SystemKeysAreRecordedAndOnlyF10IsConsumed) {
    Start();
    EXPECT_FALSE(Key(Kind::SystemKeyDown, kVkAlt).consumed);
    EXPECT_FALSE(Key(Kind::SystemKeyDown, kVkTab, 40).consumed);
    Key(Kind::SystemKeyUp, kVkTab, 40);
    Key(Kind::KeyUp, kVkAlt, 40);
    const MacroPageEffects f10Down = Key(Kind::SystemKeyDown, MacroRecorder::kVkF10, 40);
    const MacroPageEffects f10Up = Key(Kind::SystemKeyUp, MacroRecorder::kVkF10, 40);

    EXPECT_TRUE(f10Down.consumed);
    EXPECT_TRUE(f10Up.consumed);
    EXPECT_TRUE(recorder_.RecordKeyMessage(macro_, Kind::Other, MacroRecorder::kVkF10).consumed);
    EXPECT_EQ(recorder_.RecordedCount(), 6);
    const std::uint8_t types[] = {1, 1, 2, 2, 1, 2};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(macro_.eventType[static_cast<std::size_t>(i)], types[i]) << i;
    }
    EXPECT_EQ(macro_.eventCode[1], 0x2B);  // Tab
}

TEST_F(RecorderTest, AKeyHeldBeforeRecordingIsNotRecordedWhenReleased) {
    Start();
    Key(Kind::KeyUp, kVkB, 10);
    EXPECT_EQ(recorder_.RecordedCount(), 0);
    // The dropped release is no reference for the pauses either.
    Key(Kind::KeyDown, kVkA, 10);
    Key(Kind::KeyUp, kVkA, 70);
    EXPECT_EQ(recorder_.RecordedCount(), 2);
    EXPECT_EQ(macro_.eventDelay[0], 70);
}

TEST_F(RecorderTest, AfterFiftyFivePressesOnlyReleasesOfHeldKeysAreRecorded) {
    Start();
    for (int i = 0; i < 54; ++i) {
        Tap(kVkA);
    }
    Key(Kind::KeyDown, kVkB);  // press 55, held
    EXPECT_EQ(recorder_.PressCount(), 55);

    const MacroPageEffects extra = Key(Kind::KeyDown, kVkA);
    EXPECT_TRUE(extra.appendedSteps.empty());
    Key(Kind::KeyUp, kVkA);  // its press was dropped: nothing to release
    Key(Kind::KeyUp, kVkB);
    EXPECT_EQ(recorder_.RecordedCount(), 110);
    EXPECT_EQ(macro_.eventType[109], step_type::kRelease);
    EXPECT_EQ(macro_.eventCode[109], 0x05);
    EXPECT_TRUE(recorder_.IsRecording());
}

TEST_F(RecorderTest, TheKeyMessageAfterTheHundredTenthStepEndsTheRecording) {
    Start();
    for (int i = 0; i < 55; ++i) {
        Tap(kVkA);
    }
    ASSERT_EQ(recorder_.RecordedCount(), 110);
    // A repeat of the last message is still only a repeat.
    EXPECT_FALSE(Key(Kind::KeyUp, kVkA).writeMacro);
    EXPECT_TRUE(recorder_.IsRecording());

    const MacroPageEffects end = Key(Kind::KeyDown, kVkB);
    EXPECT_FALSE(recorder_.IsRecording());
    EXPECT_TRUE(end.writeMacro);
    EXPECT_EQ(end.keyboard, KeyboardCapture::Release);
    EXPECT_EQ(macro_.eventCount, 110);
    EXPECT_EQ(macro_.eventCode[110], 0) << "the ending message is not recorded";
    // Once stopped, key messages do nothing.
    EXPECT_TRUE(Key(Kind::KeyDown, kVkA).appendedSteps.empty());
}

TEST_F(RecorderTest, ATenthHeldKeyIsDroppedWithItsRelease) {
    Start();
    const std::uint8_t held[] = {0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49};
    for (const std::uint8_t vk : held) {
        Key(Kind::KeyDown, vk, 5);
    }
    ASSERT_EQ(recorder_.HeldKeys().size(), 9u);

    EXPECT_TRUE(Key(Kind::KeyDown, 0x4A, 5).appendedSteps.empty());
    EXPECT_TRUE(Key(Kind::KeyUp, 0x4A, 5).appendedSteps.empty());
    Key(Kind::KeyUp, 0x45, 5);  // a held key in the middle: later keys move up
    EXPECT_EQ(recorder_.HeldKeys(),
              (std::vector<std::uint8_t>{0x41, 0x42, 0x43, 0x44, 0x46, 0x47, 0x48, 0x49}));
    Key(Kind::KeyDown, 0x4A, 5);  // a place is free again
    EXPECT_EQ(recorder_.RecordedCount(), 11);
    EXPECT_EQ(recorder_.HeldKeys().back(), 0x4A);
}

TEST_F(RecorderTest, APauseAcrossMidnightIsMeasuredAndLongPausesAreCapped) {
    time_.now = MillisecondsOfDay(23, 59, 59, 900);
    Start();
    Key(Kind::KeyDown, kVkA);
    time_.now = MillisecondsOfDay(0, 0, 0, 250);
    Key(Kind::KeyUp, kVkA);
    Key(Kind::KeyDown, kVkB, 70'000);
    EXPECT_EQ(macro_.eventDelay[0], 350);
    EXPECT_EQ(macro_.eventDelay[1], 65'535);
}

TEST(ElapsedMs, DifferencesWrapAtMidnightAndAreCapped) {
    struct Case {
        std::int64_t now;
        std::int64_t last;
        std::uint16_t elapsed;
    };
    const Case cases[] = {
        {1000, 850, 150},
        {5, 5, 0},
        {65'535, 0, 65'535},
        {65'536, 0, 65'535},
        {100, kMillisecondsPerDay - 100, 200},
        {0, kMillisecondsPerDay - 1, 1},
        {kMillisecondsPerDay - 1, 0, 65'535},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ElapsedMs(c.now, c.last), c.elapsed) << c.now << " - " << c.last;
    }
}

TEST_F(RecorderTest, AbandoningSavesNothingAndReleasesTheKeyboard) {
    Start();
    Key(Kind::KeyDown, kVkA);
    const MacroPageEffects abandon = recorder_.AbandonRecording();
    EXPECT_FALSE(recorder_.IsRecording());
    EXPECT_EQ(abandon.keyboard, KeyboardCapture::Release);
    EXPECT_FALSE(abandon.writeMacro);
    EXPECT_EQ(macro_.eventCount, 0);
    EXPECT_TRUE(Key(Kind::KeyUp, kVkA).appendedSteps.empty());
    EXPECT_FALSE(Key(Kind::KeyDown, MacroRecorder::kVkF10).consumed);
    EXPECT_EQ(recorder_.AbandonRecording().keyboard, KeyboardCapture::Unchanged);
}

TEST_F(RecorderTest, TheRecordControlNeedsASelectedMacro) {
    EXPECT_EQ(recorder_.ToggleRecording(nullptr).keyboard, KeyboardCapture::Unchanged);
    EXPECT_FALSE(recorder_.IsRecording());
}

TEST_F(RecorderTest, ANewRecordingStartsFreshAfterTheLastOne) {
    Start();
    Key(Kind::KeyDown, kVkA, 10);
    recorder_.ToggleRecording(&macro_);  // stopped with A still down

    Start();
    EXPECT_TRUE(recorder_.HeldKeys().empty());
    const MacroPageEffects first = Key(Kind::KeyDown, kVkA, 5'000);
    EXPECT_EQ(first.appendedSteps.size(), 1u) << "not taken for a repeat of the last recording";
    Key(Kind::KeyUp, kVkA, 40);
    EXPECT_EQ(macro_.eventDelay[0], 40) << "the pause before the first key is not measured";
}

TEST_F(RecorderTest, RecordsOnAVirtualClock) {
    VirtualClock clock;
    const ClockTimeOfDay timeOfDay(clock, MillisecondsOfDay(23, 59, 59, 950));
    MacroRecorder recorder(timeOfDay, keys_, texts_, TestKeyName);
    recorder.ToggleRecording(&macro_);
    recorder.RecordKeyMessage(macro_, Kind::KeyDown, kVkA);
    clock.SleepFor(Ms(120));  // crosses midnight
    recorder.RecordKeyMessage(macro_, Kind::KeyUp, kVkA);
    recorder.ToggleRecording(&macro_);
    EXPECT_EQ(timeOfDay.MillisecondsOfDay(), 70);
    EXPECT_EQ(macro_.eventDelay[0], 120);
    EXPECT_EQ(macro_.eventCount, 2);
}

}  // namespace
}  // namespace novu
