#pragma once

#include <cstdint>

#include "base/user_notices.h"
#include "macro/macro_record.h"

namespace novu {

// Limits of the kinds of steps a macro may hold.
constexpr int kMaxMoveSteps = 50;
constexpr int kMaxDpiSteps = 5;
constexpr int kMaxLightingSteps = kLedBlockCount;

constexpr std::uint16_t kInsertedStepDelay = 100;
constexpr std::uint16_t kInsertedMoveMagnitude = 10;
constexpr std::uint16_t kInsertedDpiLevel = 4;
constexpr std::uint8_t kNewBlockDuration = 10;  // in units of 122 ms

// Tip texts of the editor.
namespace editor_tip {
constexpr int kKindLimit = 6;  // too many steps of one kind; also a move magnitude above 100
constexpr int kLimit = 21;     // the step list is full, or a value above its limit
constexpr int kGroupRow = 24;  // an insert on a group row
}  // namespace editor_tip

// The lighting block a lighting step uses, or -1 when `step` is not a lighting step of the
// macro or names no block that exists.
int LightingBlockOfStep(const MacroRecord& macro, int step);

// Inserts the step (code, type) at `position` (clamped to 0..step count), with a pause of
// 100 ms; later steps move up by one. A pointer move starts at 10 by 10 counts, a DPI step at
// level 4, a lighting step with a new block of one colour entry lasting 10 units, inserted
// after the block of the last lighting step before it (later blocks move up by one); other
// steps carry no parameters. A full macro (tip 21) or a kind at its limit (tip 6) changes
// nothing. Returns whether the step was inserted.
bool InsertStep(MacroRecord& macro, int position, std::uint8_t code, std::uint8_t type,
                UserNotices& notices);

// Deletes step `step`: later steps move down by one and the freed slot is cleared; deleting
// a lighting step moves the blocks of the later lighting steps down by one and clears the
// freed block. Returns false when the macro has no such step.
bool DeleteStep(MacroRecord& macro, int step);

}  // namespace novu
