#pragma once

#include <initializer_list>
#include <vector>

#include "macro/macro_record.h"
#include "macro/macro_sources.h"

namespace novu::test {

// Macro tables held in memory, indexed as the library indexes them.
class FakeMacroSources final : public MacroSources {
public:
    std::vector<std::vector<MacroRecord>> groups;
    std::vector<MacroRecord> presets;
    std::vector<MacroRecord> builtins;
    mutable int reads = 0;  // ReadMacroEntry calls

    int GroupCount() const override { return static_cast<int>(groups.size()); }
    int MacroCount(int group) const override {
        return group >= 0 && group < GroupCount()
                   ? static_cast<int>(groups[static_cast<std::size_t>(group)].size())
                   : 0;
    }
    MacroRecord ReadMacroEntry(int group, int index) const override {
        ++reads;
        if (index < 0 || index >= MacroCount(group)) {
            return {};
        }
        return groups[static_cast<std::size_t>(group)][static_cast<std::size_t>(index)];
    }
    int PresetCount() const override { return static_cast<int>(presets.size()); }
    MacroRecord Preset(int index) const override { return At(presets, index); }
    int BuiltinCount() const override { return static_cast<int>(builtins.size()); }
    MacroRecord Builtin(int index) const override { return At(builtins, index); }

private:
    static MacroRecord At(const std::vector<MacroRecord>& table, int index) {
        return index >= 0 && index < static_cast<int>(table.size())
                   ? table[static_cast<std::size_t>(index)]
                   : MacroRecord{};
    }
};

// A macro of the given steps with its counters filled as the editor keeps them.
inline MacroRecord MakeMacro(std::initializer_list<MacroEvent> steps, std::uint8_t playMode = 0,
                             std::uint16_t repeatCount = 1) {
    MacroRecord record;
    record.playMode = playMode;
    record.repeatCount = repeatCount;
    int index = 0;
    for (const MacroEvent& step : steps) {
        SetEvent(record, index++, step);
        if (step.code == step_code::kMove) {
            ++record.moveCount;
        } else if (step.code == step_code::kDpi) {
            ++record.dpiCount;
        } else if (step.code == step_code::kLighting) {
            ++record.ledCount;
        }
    }
    record.eventCount = static_cast<std::uint16_t>(index);
    return record;
}

// A macro of `steps` key presses of 1 ms each: a region of about 2 x steps bytes.
inline MacroRecord MakeLongMacro(int steps, std::uint8_t playMode = 0) {
    MacroRecord record;
    record.playMode = playMode;
    record.repeatCount = 1;
    for (int j = 0; j < steps; ++j) {
        SetEvent(record, j, {step_type::kPress, 0x04, 0, 0, 1});
    }
    record.eventCount = static_cast<std::uint16_t>(steps);
    return record;
}

}  // namespace novu::test
