#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_record.h"

namespace novu {

// The byte string of a macro as macro files store it: the record laid out as bytes (16-bit
// values low byte first), each byte written as three decimal digits with leading zeros.
//
// Key codes cross the boundary here and only here: files hold virtual-key codes, memory
// holds HID usages, converted for the keyboard layout of `layout` (a LanguageIndex).

// The version every writer writes into DAT_VER.
constexpr int kMacroFileVersion = 3;

// Byte positions of the header.
namespace macro_offset {
constexpr std::size_t kName = 0;
constexpr std::size_t kNameBytes = 60;
constexpr std::size_t kPlayMode = 60;
constexpr std::size_t kRepeatCount = 61;
constexpr std::size_t kEventCount = 63;
constexpr std::size_t kMoveCount = 65;
constexpr std::size_t kCountF7 = 67;
constexpr std::size_t kDpiCount = 69;
constexpr std::size_t kCountFA = 71;
constexpr std::size_t kLedCount = 73;
constexpr std::size_t kCountFB = 74;
// Version 3 only:
constexpr std::size_t kYOffsetEnabled = 75;
constexpr std::size_t kYOffset = 76;
constexpr std::size_t kReserved = 77;
}  // namespace macro_offset

// Byte positions inside one step slot.
namespace slot_offset {
constexpr std::size_t kType = 0;
constexpr std::size_t kCode = 1;
constexpr std::size_t kParam1 = 2;
constexpr std::size_t kParam2 = 4;
constexpr std::size_t kDelay = 6;
constexpr std::size_t kSize = 8;
}  // namespace slot_offset

constexpr std::size_t kHeaderLengthV3 = 81;
constexpr std::size_t kHeaderLengthOld = 75;
constexpr std::size_t kStepAreaBytes = kMaxMacroSteps * slot_offset::kSize;
constexpr std::size_t kLedAreaBytes = kLedBlockCount * kLedBlockSize;
constexpr std::size_t kMacroBytesV3 = kHeaderLengthV3 + kStepAreaBytes + kLedAreaBytes;
constexpr std::size_t kDigitsPerByte = 3;
constexpr std::size_t kMacroTextLength = kMacroBytesV3 * kDigitsPerByte;
// The longest value a reader takes (its read buffer holds one character more).
constexpr std::size_t kMaxMacroTextLength = 26649;

static_assert(kMacroBytesV3 == 2621);
static_assert(kMacroTextLength == 7863);
static_assert(macro_offset::kReserved + 4 == kHeaderLengthV3);
static_assert(macro_offset::kName + macro_offset::kNameBytes == macro_offset::kPlayMode);
static_assert(macro_offset::kNameBytes == kMacroNameUnits * 2);

using MacroBytes = std::array<std::uint8_t, kMacroBytesV3>;

// The header length a file's DAT_VER implies: 81 for version 3, 75 for any other.
std::size_t HeaderLength(int datVer);

// The key-code conversions as the macro files apply them. The structural codes (pure delay,
// pointer move, DPI, lighting and the counted kinds 0xF6..0xFB) are never converted, and a
// LanguageIndex without a keyboard layout converts as the base layout does, so writing under
// such an index cannot turn every key into 0.
std::uint8_t FileCodeToMemory(std::uint8_t vk, int layout);
std::uint8_t MemoryCodeToFile(std::uint8_t usage, int layout);

// Record -> bytes in the version-3 layout (the reserved bytes written as zeros).
MacroBytes EncodeMacroBytes(const MacroRecord& record, int layout);
// Bytes in the layout of `datVer` -> record. Bytes past the end of `bytes` read as 0. The
// record never holds more than 275 steps or 5 lighting blocks, and its name always ends with a
// terminator in the 30th code unit.
MacroRecord DecodeMacroBytes(std::span<const std::uint8_t> bytes, int datVer, int layout);

// Bytes -> three digits per byte.
std::string FormatByteString(std::span<const std::uint8_t> bytes);
// The first `byteCount` bytes of a digit string: each group of three characters is parsed as a
// decimal number (leading blanks and a sign allowed, stopping at the first non-digit, 0 when
// there is none). A group is one byte of the layout, so a value above 255 that only a
// hand-edited file can hold keeps its low eight bits, as a byte field takes it; a 16-bit field
// is then built from its two bytes and never from the excess of one group. Groups past the
// end of the text read as 0; text beyond 26 649 characters is not read.
std::vector<std::uint8_t> ParseByteString(std::string_view text, std::size_t byteCount);

// The whole conversion: the 7863-character string of a record, and a record from a value.
std::string EncodeMacro(const MacroRecord& record, int layout);
MacroRecord DecodeMacro(std::string_view text, int datVer, int layout);
// Only the name (the first 60 bytes), as the names of a group are read.
std::u16string DecodeMacroName(std::string_view text);

}  // namespace novu
