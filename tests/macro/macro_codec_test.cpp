#include "macro/macro_codec.h"

#include <gtest/gtest.h>

#include <random>

#include "input/key_codes.h"

namespace novu {
namespace {

constexpr int kEnglish = 1;
constexpr int kFrench = 2;
constexpr int kNoLayout = 25;

std::string Groups(std::string_view group, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += group;
    }
    return text;
}

// The three digits of byte `byte` of an encoded value.
std::string GroupAt(const std::string& text, std::size_t byte) {
    return text.substr(byte * kDigitsPerByte, kDigitsPerByte);
}

std::size_t Slot(std::size_t step, std::size_t field, std::size_t header = kHeaderLengthV3) {
    return header + step * slot_offset::kSize + field;
}

MacroRecord Named(std::u16string_view name) {
    MacroRecord record;
    SetMacroName(record, name);
    return record;
}

TEST(MacroCodec, NamedMacroWithoutStepsIsTheExactString) {
    MacroRecord record = Named(u"Ab");
    record.repeatCount = 1;
    const std::string expected =
        "065000098000" + Groups("000", 56) + "000" + "001000" + Groups("000", kMacroBytesV3 - 63);
    const std::string text = EncodeMacro(record, kEnglish);
    EXPECT_EQ(text.size(), 7863u);
    EXPECT_EQ(text, expected);
    EXPECT_EQ(DecodeMacro(text, 3, kEnglish), record);
}

TEST(MacroCodec, StepsAreWrittenWithFileCodesAndLowByteFirst) {
    MacroRecord record = Named(u"Keys");
    record.eventCount = 5;
    SetEvent(record, 0, {step_type::kPress, 0x04, 0, 0, 300});  // key A
    SetEvent(record, 1, {step_type::kPress, step_code::kLeftButton, 0, 0, 10000});
    SetEvent(record, 2, {step_type::kPress, step_code::kRightButton, 0, 0, 0});
    SetEvent(record, 3, {step_type::kRelease, step_code::kMiddleButton, 0, 0, 65535});
    SetEvent(record, 4, {step_type::kMoveRightDown, step_code::kMove, 513, 7, 20});
    const std::string text = EncodeMacro(record, kEnglish);

    struct Case {
        std::size_t byte;
        const char* group;
    } cases[] = {
        {Slot(0, slot_offset::kType), "001"},       {Slot(0, slot_offset::kCode), "065"},
        {Slot(0, slot_offset::kDelay), "044"},      {Slot(0, slot_offset::kDelay + 1), "001"},
        {Slot(1, slot_offset::kCode), "240"},       {Slot(1, slot_offset::kDelay), "016"},
        {Slot(1, slot_offset::kDelay + 1), "039"},  {Slot(2, slot_offset::kCode), "241"},
        {Slot(3, slot_offset::kCode), "242"},       {Slot(3, slot_offset::kDelay), "255"},
        {Slot(3, slot_offset::kDelay + 1), "255"},  {Slot(4, slot_offset::kType), "006"},
        {Slot(4, slot_offset::kCode), "246"},       {Slot(4, slot_offset::kParam1), "001"},
        {Slot(4, slot_offset::kParam1 + 1), "002"}, {Slot(4, slot_offset::kParam2), "007"},
        {macro_offset::kEventCount, "005"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GroupAt(text, c.byte), c.group) << "byte " << c.byte;
    }
    const MacroRecord back = DecodeMacro(text, 3, kEnglish);
    EXPECT_EQ(back, record);
    EXPECT_EQ(back.eventCode[0], 0x04);
    EXPECT_EQ(back.eventCode[1], step_code::kLeftButton);
    EXPECT_EQ(back.eventCode[2], step_code::kRightButton);
}

TEST(MacroCodec, KeysConvertOnceForTheLayout) {
    MacroRecord record = Named(u"Q");
    record.eventCount = 2;
    SetEvent(record, 0, {step_type::kPress, 0x04, 0, 0, 1});
    SetEvent(record, 1, {step_type::kSetDpi, step_code::kDpi, 4, 0, 1});
    // The key in the A position of a French keyboard is stored as the virtual key Q.
    const std::string french = EncodeMacro(record, kFrench);
    EXPECT_EQ(GroupAt(french, Slot(0, slot_offset::kCode)), "081");
    EXPECT_EQ(DecodeMacro(french, 3, kFrench).eventCode[0], 0x04);
    EXPECT_EQ(DecodeMacro(french, 3, kEnglish).eventCode[0], 0x14) << "read as Q elsewhere";

    // An index without a layout converts every key to 0 in the tables; the files keep the
    // key (as the base layout writes it) and never touch the structural codes.
    ASSERT_EQ(HidUsageToVk(0x04, kNoLayout), 0);
    const std::string none = EncodeMacro(record, kNoLayout);
    EXPECT_EQ(GroupAt(none, Slot(0, slot_offset::kCode)), "065");
    EXPECT_EQ(GroupAt(none, Slot(1, slot_offset::kCode)), "248");
    EXPECT_EQ(DecodeMacro(none, 3, kNoLayout), record);
}

TEST(MacroCodec, EveryStoredFieldRoundTrips) {
    std::mt19937 random(7);
    const auto byte = [&] { return static_cast<std::uint8_t>(random() & 0xFF); };
    const auto word = [&] { return static_cast<std::uint16_t>(random() & 0xFFFF); };
    // Codes that the base layout converts both ways without change.
    const std::uint8_t codes[] = {0x00, 0x04, 0x1D, 0x28, 0x2C, 0xE1, 0xF1, 0xF2,
                                  0xF3, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB};

    MacroRecord record;
    const std::u16string name = u"名前 with 29 units: 12345678901";
    ASSERT_EQ(name.size(), 29u);
    SetMacroName(record, name);
    record.playMode = byte();
    record.repeatCount = word();
    record.eventCount = kMaxMacroSteps;
    record.moveCount = word();
    record.countF7 = word();
    record.dpiCount = word();
    record.countFA = word();
    record.ledCount = 5;
    record.countFB = byte();
    record.yOffsetEnabled = byte();
    record.yOffset = byte();
    for (int i = 0; i < kMaxMacroSteps; ++i) {
        SetEvent(record, i, {byte(), codes[random() % std::size(codes)], word(), word(), word()});
    }
    for (auto& block : record.ledBlocks) {
        for (auto& value : block) {
            value = byte();
        }
    }
    const MacroRecord back = DecodeMacro(EncodeMacro(record, kEnglish), 3, kEnglish);
    EXPECT_EQ(back, record);
    EXPECT_EQ(MacroName(back), name);
    EXPECT_EQ(back.name[29], u'\0');

    // Neither the reserved bytes nor the 0xFB blocks are stored.
    MacroRecord extra = record;
    extra.reserved = {1, 2, 3, 4};
    extra.fbBlocks[0][0] = 9;
    EXPECT_EQ(EncodeMacro(extra, kEnglish), EncodeMacro(record, kEnglish));
}

TEST(MacroCodec, OlderVersionsHaveTheShorterHeader) {
    std::vector<std::uint8_t> bytes(kHeaderLengthOld + kStepAreaBytes + kLedAreaBytes, 0);
    bytes[0] = 'V';
    bytes[macro_offset::kRepeatCount] = 3;
    bytes[macro_offset::kEventCount] = 1;
    bytes[kHeaderLengthOld + slot_offset::kType] = step_type::kPress;
    bytes[kHeaderLengthOld + slot_offset::kCode] = 0x41;
    bytes[kHeaderLengthOld + slot_offset::kDelay] = 50;
    bytes[kHeaderLengthOld + kStepAreaBytes] = 1;  // first lighting byte
    const std::string text = FormatByteString(bytes);

    for (const int version : {0, 2, 4}) {
        const MacroRecord record = DecodeMacro(text, version, kEnglish);
        EXPECT_EQ(MacroName(record), u"V");
        EXPECT_EQ(record.repeatCount, 3);
        EXPECT_EQ(EventAt(record, 0), (MacroEvent{step_type::kPress, 0x04, 0, 0, 50}));
        EXPECT_EQ(record.ledBlocks[0][0], 1);
        EXPECT_EQ(record.yOffsetEnabled, 0) << "no version-3 header bytes";
    }
    // Read as version 3, everything after the header is six bytes off.
    EXPECT_NE(EventAt(DecodeMacro(text, 3, kEnglish), 0).code, 0x04);
}

TEST(MacroCodec, ShortOddAndOversizedValues) {
    // Cut short: the missing bytes read as 0.
    EXPECT_EQ(MacroName(DecodeMacro("065000098", 3, kEnglish)), u"Ab");
    const MacroRecord partial = DecodeMacro("06", 3, kEnglish);
    EXPECT_EQ(partial.name[0], 6) << "a partial last group is parsed as far as it goes";
    EXPECT_EQ(DecodeMacro("", 3, kEnglish), MacroRecord{});

    // Hand-edited groups: blanks, signs, letters and values above 255 keep the low byte; a
    // 16-bit field is built from its two bytes.
    std::string text = EncodeMacro(MacroRecord{}, kEnglish);
    const auto put = [&](std::size_t byte, std::string_view group) {
        text.replace(byte * 3, 3, group);
    };
    put(macro_offset::kPlayMode, "999");     // 999 & 0xFF
    put(macro_offset::kRepeatCount, "300");  // low byte 44
    put(macro_offset::kRepeatCount + 1, "001");
    put(macro_offset::kMoveCount, " 7x");
    put(macro_offset::kDpiCount, "-01");
    put(macro_offset::kCountFA, "abc");
    put(macro_offset::kEventCount, "999");  // 231 steps
    put(macro_offset::kEventCount + 1, "001");
    put(macro_offset::kLedCount, "009");
    const MacroRecord odd = DecodeMacro(text, 3, kEnglish);
    EXPECT_EQ(odd.playMode, 231);
    EXPECT_EQ(odd.repeatCount, 44 + 256);
    EXPECT_EQ(odd.moveCount, 7);
    EXPECT_EQ(odd.dpiCount, 255);
    EXPECT_EQ(odd.countFA, 0);
    EXPECT_EQ(odd.eventCount, kMaxMacroSteps) << "never more steps than the record holds";
    EXPECT_EQ(odd.ledCount, kLedBlockCount);

    // A name of 30 units without terminator keeps the terminator in the 30th.
    std::string longName = Groups("065000", 30) + text.substr(180);
    EXPECT_EQ(MacroName(DecodeMacro(longName, 3, kEnglish)), std::u16string(29, u'A'));
    EXPECT_EQ(DecodeMacroName(longName), std::u16string(29, u'A'));

    // Nothing beyond the longest value a reader takes is read.
    EXPECT_EQ(ParseByteString(std::string(kMaxMacroTextLength, '0') + "007", 8884).back(), 0);
}

TEST(MacroCodec, NameOnlyDecodingMatchesTheRecord) {
    const MacroRecord record = Named(u"Löwe 🦁");
    const std::string text = EncodeMacro(record, kEnglish);
    EXPECT_EQ(DecodeMacroName(text), MacroName(record));
    EXPECT_EQ(DecodeMacroName(text.substr(0, 12)), u"Lö");
}

TEST(MacroRecordName, IsCutTo29UnitsWithoutSplittingACharacter) {
    MacroRecord record;
    SetMacroName(record, std::u16string(40, u'x'));
    EXPECT_EQ(MacroName(record).size(), 29u);
    const std::u16string pair = std::u16string(28, u'x') + u"🦁";  // 30 units
    SetMacroName(record, pair);
    EXPECT_EQ(MacroName(record), std::u16string(28, u'x'));
    SetMacroName(record, u"a");
    EXPECT_EQ(MacroName(record), u"a") << "a shorter name leaves nothing of the longer one";
}

}  // namespace
}  // namespace novu
