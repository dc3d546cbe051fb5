#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace novu {

constexpr int kMaxMacroSteps = 275;
constexpr int kLedBlockCount = 5;
constexpr int kLedBlockSize = 68;
constexpr int kMacroNameUnits = 30;  // 29 UTF-16 code units and the terminator
constexpr int kMaxMacroNameLength = kMacroNameUnits - 1;

// Step codes of the in-memory domain (keys are HID Keyboard usages 0x01..0xEF).
namespace step_code {
constexpr std::uint8_t kDelay = 0x00;
constexpr std::uint8_t kLeftButton = 0xF1;
constexpr std::uint8_t kMiddleButton = 0xF2;
constexpr std::uint8_t kRightButton = 0xF3;
constexpr std::uint8_t kMove = 0xF6;
constexpr std::uint8_t kCountF7 = 0xF7;
constexpr std::uint8_t kDpi = 0xF8;
constexpr std::uint8_t kLighting = 0xF9;
constexpr std::uint8_t kCountFA = 0xFA;
constexpr std::uint8_t kCountFB = 0xFB;
}  // namespace step_code

// Step types.
namespace step_type {
constexpr std::uint8_t kPress = 1;
constexpr std::uint8_t kRelease = 2;
constexpr std::uint8_t kMoveLeftUp = 3;     // X-, Y-
constexpr std::uint8_t kMoveLeftDown = 4;   // X-, Y+
constexpr std::uint8_t kMoveRightUp = 5;    // X+, Y-
constexpr std::uint8_t kMoveRightDown = 6;  // X+, Y+
constexpr std::uint8_t kSetDpi = 9;
constexpr std::uint8_t kRestoreDpi = 10;
constexpr std::uint8_t kLighting = 13;
}  // namespace step_type

// Play modes (bits 0..1 of playMode).
namespace play_mode {
constexpr std::uint8_t kCount = 0;         // play repeatCount times
constexpr std::uint8_t kUntilPressed = 1;  // repeat until the button is pressed again
constexpr std::uint8_t kWhileHeld = 2;     // repeat while the button is held
}  // namespace play_mode

using LedBlock = std::array<std::uint8_t, kLedBlockSize>;

// One macro as a fixed-size value: copied by value between the tables and the threads. The
// steps are held column-wise; step j is element j of every step column. Elements at and
// above eventCount are ignored by every reader.
struct MacroRecord {
    std::array<char16_t, kMacroNameUnits> name{};  // UTF-16, NUL-terminated
    std::uint8_t playMode = 0;
    std::uint16_t repeatCount = 0;
    std::uint16_t eventCount = 0;
    std::uint16_t moveCount = 0;
    std::uint16_t countF7 = 0;
    std::uint16_t dpiCount = 0;
    std::uint16_t countFA = 0;
    std::uint8_t ledCount = 0;
    std::uint8_t countFB = 0;
    std::uint8_t yOffsetEnabled = 0;
    std::uint8_t yOffset = 0;
    std::array<std::uint8_t, 4> reserved{};
    std::array<std::uint8_t, kMaxMacroSteps> eventType{};
    std::array<std::uint8_t, kMaxMacroSteps> eventCode{};
    std::array<std::array<std::uint16_t, 2>, kMaxMacroSteps> eventParam{};
    std::array<std::uint16_t, kMaxMacroSteps> eventDelay{};
    std::array<LedBlock, kLedBlockCount> ledBlocks{};
    std::array<LedBlock, kLedBlockCount> fbBlocks{};  // in memory only, never stored

    bool operator==(const MacroRecord&) const = default;
};

// One step as a tuple.
struct MacroEvent {
    std::uint8_t type = 0;
    std::uint8_t code = 0;
    std::uint16_t param1 = 0;
    std::uint16_t param2 = 0;
    std::uint16_t delay = 0;

    bool operator==(const MacroEvent&) const = default;
};

inline MacroEvent EventAt(const MacroRecord& record, int index) {
    const auto i = static_cast<std::size_t>(index);
    return {record.eventType[i], record.eventCode[i], record.eventParam[i][0],
            record.eventParam[i][1], record.eventDelay[i]};
}

inline void SetEvent(MacroRecord& record, int index, const MacroEvent& event) {
    const auto i = static_cast<std::size_t>(index);
    record.eventType[i] = event.type;
    record.eventCode[i] = event.code;
    record.eventParam[i] = {event.param1, event.param2};
    record.eventDelay[i] = event.delay;
}

// Every field to zero.
inline void ClearMacroRecord(MacroRecord& record) {
    record = MacroRecord{};
}

// The name up to its terminator.
std::u16string MacroName(const MacroRecord& record);
// Stores `name` cut to 29 code units (never splitting a surrogate pair), NUL-terminated.
void SetMacroName(MacroRecord& record, std::u16string_view name);

}  // namespace novu
