#pragma once

#include <gtest/gtest.h>

#include "base/recorded_notices.h"
#include "editor_test_texts.h"
#include "input/key_codes.h"
#include "macro/macro_editor.h"
#include "macro/macro_record.h"
#include "macro/macro_recorder.h"

namespace novu::test {

// An editor with its recorder, recorded notices and English texts, and helpers to build the
// macro it edits.
class EditorFixture : public ::testing::Test {
protected:
    class FixedTime final : public TimeOfDaySource {
    public:
        std::int64_t MillisecondsOfDay() const override { return 0; }
    };

    // Appends a step as the editor would find it in a record.
    static void Append(MacroRecord& macro, MacroEvent event) {
        SetEvent(macro, macro.eventCount, event);
        ++macro.eventCount;
        if (event.code == step_code::kMove) {
            ++macro.moveCount;
        } else if (event.code == step_code::kDpi) {
            ++macro.dpiCount;
        } else if (event.code == step_code::kLighting) {
            ++macro.ledCount;
        }
    }
    // A key press/release pair of usage 0x04 + i per step pair, `steps` steps in all.
    static MacroRecord KeySteps(int steps) {
        MacroRecord macro;
        for (int i = 0; i < steps; ++i) {
            Append(macro,
                   {static_cast<std::uint8_t>(i % 2 + 1), static_cast<std::uint8_t>(0x04 + i / 2),
                    0, 0, static_cast<std::uint16_t>(10 * (i + 1))});
        }
        return macro;
    }
    // Appends a lighting step with its own block, marked with `mark` in byte 7.
    static void AppendLighting(MacroRecord& macro, std::uint8_t mark) {
        const std::uint16_t block = macro.ledCount;
        Append(macro, {step_type::kLighting, step_code::kLighting, block, 0, 100});
        macro.ledBlocks[block] = LedBlock{};
        macro.ledBlocks[block][0] = 1;
        macro.ledBlocks[block][4] = 2;
        macro.ledBlocks[block][5] = 3;
        macro.ledBlocks[block][6] = 10;
        macro.ledBlocks[block][7] = mark;
    }

    void StartRecording(MacroRecord& macro) { recorder_.ToggleRecording(&macro); }

    FixedTime time_;
    MacVkAndText keys_{[] { return 0; }};
    EditorTestTexts texts_;
    RecordedNotices notices_;
    MacroRecorder recorder_{time_, keys_, texts_, TestKeyName};
    MacroEditor editor_{recorder_, texts_, notices_, TestKeyName};
};

}  // namespace novu::test
