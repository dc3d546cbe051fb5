#include "macro/macro_editor_steps.h"

#include <algorithm>

#include "macro/event_text.h"

namespace novu {

namespace {

LedBlock NewLightingBlock() {
    LedBlock block{};
    block[0] = 1;  // one colour entry
    block[6] = kNewBlockDuration;
    return block;
}

bool IsLighting(const MacroRecord& macro, int step) {
    return macro.eventCode[static_cast<std::size_t>(step)] == step_code::kLighting;
}

std::uint16_t& Block(MacroRecord& macro, int step) {
    return macro.eventParam[static_cast<std::size_t>(step)][0];
}

template <class Count>
void Decrement(Count& count) {
    if (count > 0) {
        --count;
    }
}

bool KindAtLimit(const MacroRecord& macro, std::uint8_t code) {
    switch (code) {
        case step_code::kMove:
            return macro.moveCount >= kMaxMoveSteps;
        case step_code::kDpi:
            return macro.dpiCount >= kMaxDpiSteps;
        case step_code::kLighting:
            return macro.ledCount >= kMaxLightingSteps;
        default:
            return false;
    }
}

// The block a lighting step inserted at `position` gets: the one after the block of the last
// lighting step before it. -1 when the new block, or a later block moved up to make room,
// would not fit (only records edited by hand number their blocks that way).
int NewLightingBlockIndex(const MacroRecord& macro, int position, int count) {
    int newBlock = 0;
    for (int i = position - 1; i >= 0; --i) {
        if (IsLighting(macro, i)) {
            newBlock = macro.eventParam[static_cast<std::size_t>(i)][0] + 1;
            break;
        }
    }
    if (newBlock >= kLedBlockCount) {
        return -1;
    }
    for (int i = position; i < count; ++i) {
        if (IsLighting(macro, i) &&
            macro.eventParam[static_cast<std::size_t>(i)][0] + 1 >= kLedBlockCount) {
            return -1;
        }
    }
    return newBlock;
}

}  // namespace

int LightingBlockOfStep(const MacroRecord& macro, int step) {
    if (step < 0 || step >= ShownStepCount(macro) || !IsLighting(macro, step)) {
        return -1;
    }
    const int block = macro.eventParam[static_cast<std::size_t>(step)][0];
    return block < kLedBlockCount ? block : -1;
}

bool InsertStep(MacroRecord& macro, int position, std::uint8_t code, std::uint8_t type,
                UserNotices& notices) {
    const int count = ShownStepCount(macro);
    if (count + 1 > kMaxMacroSteps) {
        notices.ShowTip(editor_tip::kLimit);
        return false;
    }
    if (KindAtLimit(macro, code)) {
        notices.ShowTip(editor_tip::kKindLimit);
        return false;
    }
    const int p = std::clamp(position, 0, count);
    int newBlock = 0;
    if (code == step_code::kLighting) {
        newBlock = NewLightingBlockIndex(macro, p, count);
        if (newBlock < 0) {
            notices.ShowTip(editor_tip::kKindLimit);
            return false;
        }
    }

    for (int i = count; i > p; --i) {
        SetEvent(macro, i, EventAt(macro, i - 1));
    }
    macro.eventCount = static_cast<std::uint16_t>(count + 1);

    // An inserted step never inherits the parameters of the step it displaced.
    MacroEvent event{type, code, 0, 0, kInsertedStepDelay};
    switch (code) {
        case step_code::kMove:
            event.param1 = kInsertedMoveMagnitude;
            event.param2 = kInsertedMoveMagnitude;
            ++macro.moveCount;
            break;
        case step_code::kDpi:
            event.param1 = kInsertedDpiLevel;
            ++macro.dpiCount;
            break;
        case step_code::kLighting:
            for (int i = count; i > p; --i) {
                if (IsLighting(macro, i)) {
                    const int block = Block(macro, i);
                    macro.ledBlocks[static_cast<std::size_t>(block) + 1] =
                        macro.ledBlocks[static_cast<std::size_t>(block)];
                    Block(macro, i) = static_cast<std::uint16_t>(block + 1);
                }
            }
            macro.ledBlocks[static_cast<std::size_t>(newBlock)] = NewLightingBlock();
            event.param1 = static_cast<std::uint16_t>(newBlock);
            ++macro.ledCount;
            break;
        default:
            break;
    }
    SetEvent(macro, p, event);
    return true;
}

bool DeleteStep(MacroRecord& macro, int step) {
    const int count = ShownStepCount(macro);
    if (step < 0 || step >= count) {
        return false;
    }
    macro.eventCount = static_cast<std::uint16_t>(count - 1);
    switch (macro.eventCode[static_cast<std::size_t>(step)]) {
        case step_code::kMove:
            Decrement(macro.moveCount);
            break;
        case step_code::kDpi:
            Decrement(macro.dpiCount);
            break;
        case step_code::kLighting:
            Decrement(macro.ledCount);
            for (int i = step + 1; i < count; ++i) {
                const int block = Block(macro, i);
                if (IsLighting(macro, i) && block >= 1 && block < kLedBlockCount) {
                    macro.ledBlocks[static_cast<std::size_t>(block) - 1] =
                        macro.ledBlocks[static_cast<std::size_t>(block)];
                    Block(macro, i) = static_cast<std::uint16_t>(block - 1);
                }
            }
            if (macro.ledCount < kLedBlockCount) {
                macro.ledBlocks[macro.ledCount] = LedBlock{};
            }
            break;
        default:
            break;
    }
    for (int i = step; i + 1 < count; ++i) {
        SetEvent(macro, i, EventAt(macro, i + 1));
    }
    SetEvent(macro, count - 1, MacroEvent{});
    return true;
}

}  // namespace novu
