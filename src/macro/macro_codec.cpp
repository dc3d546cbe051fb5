#include "macro/macro_codec.h"

#include <algorithm>

#include "base/text.h"
#include "input/key_codes.h"
#include "input/key_layouts.h"

namespace novu {

namespace {

// The layout whose tables the base keyboard uses (English).
constexpr int kBaseLayout = 1;

int UsableLayout(int layout) {
    return FindKeyLayout(layout) != nullptr ? layout : kBaseLayout;
}

bool IsStructuralCode(std::uint8_t code) {
    return code == step_code::kDelay || (code >= step_code::kMove && code <= step_code::kCountFB);
}

void Put16(std::span<std::uint8_t> out, std::size_t at, std::uint16_t value) {
    out[at] = static_cast<std::uint8_t>(value & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint16_t Get16(std::span<const std::uint8_t> in, std::size_t at) {
    return static_cast<std::uint16_t>(in[at] | (in[at + 1] << 8));
}

}  // namespace

std::size_t HeaderLength(int datVer) {
    return datVer == kMacroFileVersion ? kHeaderLengthV3 : kHeaderLengthOld;
}

std::uint8_t FileCodeToMemory(std::uint8_t vk, int layout) {
    return IsStructuralCode(vk) ? vk : VkToHidUsage(vk, UsableLayout(layout));
}

std::uint8_t MemoryCodeToFile(std::uint8_t usage, int layout) {
    return IsStructuralCode(usage) ? usage : HidUsageToVk(usage, UsableLayout(layout));
}

MacroBytes EncodeMacroBytes(const MacroRecord& record, int layout) {
    using namespace macro_offset;
    MacroBytes bytes{};
    const std::span<std::uint8_t> out(bytes);
    for (std::size_t i = 0; i < record.name.size(); ++i) {
        Put16(out, kName + 2 * i, record.name[i]);
    }
    out[kPlayMode] = record.playMode;
    Put16(out, kRepeatCount, record.repeatCount);
    Put16(out, kEventCount, record.eventCount);
    Put16(out, kMoveCount, record.moveCount);
    Put16(out, kCountF7, record.countF7);
    Put16(out, kDpiCount, record.dpiCount);
    Put16(out, kCountFA, record.countFA);
    out[kLedCount] = record.ledCount;
    out[kCountFB] = record.countFB;
    out[kYOffsetEnabled] = record.yOffsetEnabled;
    out[kYOffset] = record.yOffset;
    // The reserved bytes stay zero whatever the record holds.
    for (std::size_t step = 0; step < kMaxMacroSteps; ++step) {
        const std::size_t slot = kHeaderLengthV3 + step * slot_offset::kSize;
        out[slot + slot_offset::kType] = record.eventType[step];
        out[slot + slot_offset::kCode] = MemoryCodeToFile(record.eventCode[step], layout);
        Put16(out, slot + slot_offset::kParam1, record.eventParam[step][0]);
        Put16(out, slot + slot_offset::kParam2, record.eventParam[step][1]);
        Put16(out, slot + slot_offset::kDelay, record.eventDelay[step]);
    }
    const std::size_t led = kHeaderLengthV3 + kStepAreaBytes;
    for (std::size_t block = 0; block < kLedBlockCount; ++block) {
        std::copy(record.ledBlocks[block].begin(), record.ledBlocks[block].end(),
                  out.begin() + static_cast<std::ptrdiff_t>(led + block * kLedBlockSize));
    }
    return bytes;
}

MacroRecord DecodeMacroBytes(std::span<const std::uint8_t> bytes, int datVer, int layout) {
    using namespace macro_offset;
    const std::size_t header = HeaderLength(datVer);
    // A short input reads as if padded with zeros.
    std::array<std::uint8_t, kMacroBytesV3> padded{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), padded.size()), padded.begin());
    const std::span<const std::uint8_t> in(padded);

    MacroRecord record;
    for (std::size_t i = 0; i < record.name.size(); ++i) {
        record.name[i] = Get16(in, kName + 2 * i);
    }
    record.name.back() = u'\0';
    record.playMode = in[kPlayMode];
    record.repeatCount = Get16(in, kRepeatCount);
    record.eventCount = std::min<std::uint16_t>(Get16(in, kEventCount), kMaxMacroSteps);
    record.moveCount = Get16(in, kMoveCount);
    record.countF7 = Get16(in, kCountF7);
    record.dpiCount = Get16(in, kDpiCount);
    record.countFA = Get16(in, kCountFA);
    record.ledCount = std::min<std::uint8_t>(in[kLedCount], kLedBlockCount);
    record.countFB = in[kCountFB];
    if (header == kHeaderLengthV3) {
        record.yOffsetEnabled = in[kYOffsetEnabled];
        record.yOffset = in[kYOffset];
        std::copy_n(in.begin() + kReserved, record.reserved.size(), record.reserved.begin());
    }
    for (std::size_t step = 0; step < kMaxMacroSteps; ++step) {
        const std::size_t slot = header + step * slot_offset::kSize;
        record.eventType[step] = in[slot + slot_offset::kType];
        record.eventCode[step] = FileCodeToMemory(in[slot + slot_offset::kCode], layout);
        record.eventParam[step] = {Get16(in, slot + slot_offset::kParam1),
                                   Get16(in, slot + slot_offset::kParam2)};
        record.eventDelay[step] = Get16(in, slot + slot_offset::kDelay);
    }
    const std::size_t led = header + kStepAreaBytes;
    for (std::size_t block = 0; block < kLedBlockCount; ++block) {
        const auto from = in.begin() + static_cast<std::ptrdiff_t>(led + block * kLedBlockSize);
        std::copy_n(from, kLedBlockSize, record.ledBlocks[block].begin());
    }
    return record;
}

std::string FormatByteString(std::span<const std::uint8_t> bytes) {
    std::string text(bytes.size() * kDigitsPerByte, '0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned value = bytes[i];
        text[3 * i] = static_cast<char>('0' + value / 100);
        text[3 * i + 1] = static_cast<char>('0' + value / 10 % 10);
        text[3 * i + 2] = static_cast<char>('0' + value % 10);
    }
    return text;
}

std::vector<std::uint8_t> ParseByteString(std::string_view text, std::size_t byteCount) {
    text = text.substr(0, std::min(text.size(), kMaxMacroTextLength));
    std::vector<std::uint8_t> bytes(byteCount, 0);
    for (std::size_t i = 0; i < byteCount; ++i) {
        const std::size_t at = i * kDigitsPerByte;
        if (at >= text.size()) {
            break;
        }
        const std::string_view group = text.substr(at, kDigitsPerByte);
        // The fast path is the canonical "ddd" that every writer produces.
        if (group.size() == 3 && IsAllDigits(group)) {
            bytes[i] = static_cast<std::uint8_t>((group[0] - '0') * 100 + (group[1] - '0') * 10 +
                                                 (group[2] - '0'));
        } else {
            bytes[i] = static_cast<std::uint8_t>(ParseDecimal(group) & 0xFF);
        }
    }
    return bytes;
}

std::string EncodeMacro(const MacroRecord& record, int layout) {
    return FormatByteString(EncodeMacroBytes(record, layout));
}

MacroRecord DecodeMacro(std::string_view text, int datVer, int layout) {
    const std::size_t byteCount = HeaderLength(datVer) + kStepAreaBytes + kLedAreaBytes;
    return DecodeMacroBytes(ParseByteString(text, byteCount), datVer, layout);
}

std::u16string DecodeMacroName(std::string_view text) {
    const auto bytes = ParseByteString(text, macro_offset::kNameBytes);
    std::u16string name;
    for (std::size_t i = 0; i + 1 < kMacroNameUnits; ++i) {
        const auto unit = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        if (unit == u'\0') {
            break;
        }
        name.push_back(unit);
    }
    return name;
}

}  // namespace novu
