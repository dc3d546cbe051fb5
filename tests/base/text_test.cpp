#include "base/text.h"

#include <gtest/gtest.h>

namespace novu {
namespace {

TEST(ParseDecimal, FollowsTheTextToIntegerRule) {
    struct Case {
        const char* text;
        std::int32_t value;
    } const cases[] = {
        {"", 0},
        {"42", 42},
        {"  42", 42},
        {"\t-7", -7},
        {"+9", 9},
        {"12ab", 12},
        {"ab12", 0},
        {"- 5", 0},
        {"007", 7},
        {"3.9", 3},
        {"123456789", 123456789},
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDecimal(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(Utf16, CountsAndCutsAsThePlatformCountsCharacters) {
    const std::string mixed = "A\xE4\xB8\xAD\xF0\x9F\x98\x80Z";  // A, 中, 😀, Z
    EXPECT_EQ(Utf16Length(mixed), 5u);
    EXPECT_EQ(TruncateToUtf16Units(mixed, 2), "A\xE4\xB8\xAD");
    // The emoji takes two units: with room for one it is dropped whole, never split.
    EXPECT_EQ(TruncateToUtf16Units(mixed, 3), "A\xE4\xB8\xAD");
    EXPECT_EQ(TruncateToUtf16Units(mixed, 4), "A\xE4\xB8\xAD\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(mixed)), mixed);
    EXPECT_EQ(Utf8ToUtf16("\xFF"
                          "a"),
              std::u16string(u"\uFFFDa"));
}

TEST(Text, BlanksDigitsAndCase) {
    EXPECT_EQ(TrimBlanks(" \t a b \t"), "a b");
    EXPECT_EQ(TrimLeadingBlanks("  x "), "x ");
    EXPECT_TRUE(IsAllDigits("0123"));
    EXPECT_FALSE(IsAllDigits(""));
    EXPECT_FALSE(IsAllDigits("12a"));
    EXPECT_TRUE(EqualsIgnoreCase("ShareData", "SHAREdata"));
    EXPECT_FALSE(EqualsIgnoreCase("Config0", "Config1"));
}

}  // namespace
}  // namespace novu
