#include "input/key_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/text.h"
#include "input/key_codes.h"

namespace novu {
namespace {

// Layouts with a key-name table.
constexpr std::array kLayouts = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 26};

// The mouse-button names of a language, as its UniqueName_DevMac table holds them.
class ButtonTexts final : public TextSource {
public:
    explicit ButtonTexts(std::string prefix) : prefix_(std::move(prefix)) {}
    std::string Text(TextTable table, int index) const override {
        return table == TextTable::UniqueName_DevMac ? prefix_ + FormatDecimal(index) : "";
    }
    std::string prefix_;
};

std::string Name(int layout, std::uint8_t usage) {
    return KeyName(usage, layout, nullptr);
}

TEST(KeyName, LayoutCases) {
    struct Case {
        int layout;
        std::uint8_t usage;
        std::string_view name;
    };
    const Case cases[] = {
        // The base table and its gaps.
        {1, 0x04, "A"},
        {1, 0x1D, "Z"},
        {1, 0x1E, "1!"},
        {1, 0x2D, "_-"},
        {1, 0x28, "KeyPad Enter"},
        {1, 0x58, "NULL"},
        {1, 0xE7, "RWIN"},
        {1, 0x00, "NULL"},
        {1, 0x03, "NULL"},
        {1, 0x32, "NULL"},
        {1, 0x64, "NULL"},
        {1, 0x3A, "F1"},
        {1, 0x73, "F24"},
        {1, 0x9C, "CLEAR"},
        {1, 0x63, "KeyPad ."},
        {1, 0x62, "KeyPad 0"},
        {1, 0xE8, "NULL"},
        {1, 0xEF, "NULL"},
        {1, 0xF0, "NILL"},
        {1, 0xF4, "NULL"},
        {1, 0xFF, "NULL"},
        {0, 0x4F, "→"},
        {0, 0x51, "↓"},
        // Local legends and key names.
        {2, 0x14, "A"},
        {2, 0x04, "Q"},
        {2, 0x1A, "Z"},
        {2, 0x1D, "W"},
        {2, 0x10, "?"},
        {2, 0x33, "M"},
        {2, 0x27, "0à"},
        {2, 0x32, "µ"},
        {2, 0x29, "Echap"},
        {2, 0x59, "Pavé Num. 1"},
        {2, 0x63, "Pavé Num ."},
        {3, 0x33, "CLEAR"},
        {3, 0x36, "CLEAR"},
        {3, 0xE7, "Fn"},
        {4, 0x1C, "Z"},
        {4, 0x1D, "Y"},
        {4, 0x2D, "?ß"},
        {4, 0x5F, "Ziff.-Block 7"},
        {4, 0x28, "Ziff.-Block Enter"},
        {4, 0xE7, "NULL"},
        {5, 0x4F, "↓"},
        {5, 0x51, "→"},
        {5, 0x50, "←"},
        {5, 0x33, "Ñ"},
        {5, 0x63, "Teclado num ."},
        {6, 0x54, "Tast. Num. /"},
        {6, 0x59, "Tast. Num 1"},
        {6, 0x60, "Tast.Num 8"},
        {6, 0x63, "Tast. Num."},
        {7, 0x04, "Ф"},
        {7, 0x14, "Й"},
        {7, 0x1D, "Я"},
        {7, 0x28, "Клавиатура Enter"},
        {8, 0x32, "-"},
        {8, 0x2F, "Ğğ"},
        {9, 0x2A, "Bacspace"},
        {9, 0x4B, "ubir página"},
        {9, 0xE4, "Alt Gr"},
        {10, 0x04, "ฟฤ"},
        {10, 0x1A, "ไ"},
        {10, 0x1E, "ๅ+"},
        {10, 0x27, "จ๗"},
        {11, 0x2A, "역행 키이"},
        {12, 0x55, "キーパッド *"},
        {13, 0x04, "ش"},
        {13, 0x14, "ض"},
        {13, 0x1F, "2é"},
        {13, 0x27, "0)"},
        {15, 0x1F, "2Ě"},
        {15, 0x27, "0É"},
        {16, 0x2F, "Åå"},
        {16, 0x27, "0="},
        {21, 0x61, "Tastatur 9"},
        {21, 0x62, "KeyPad 0"},
        {21, 0x63, "KeyPad ."},
        {22, 0x1F, "2ľ"},
        {22, 0x33, "ô"},
        {23, 0x10, "ئ"},
        {23, 0x31, "پ|"},
        {23, 0x28, "وارد کلید "},
        {23, 0x56, "تغییر کلید -"},
        {24, 0x16, "І"},
        {24, 0x35, "₴"},
        {26, 0x64, "í"},
        {26, 0x35, "0"},
        {26, 0x27, "ö"},
        {26, 0xF0, "NULL"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Name(c.layout, c.usage), c.name)
            << "layout " << c.layout << " usage " << int{c.usage};
    }
}

TEST(KeyName, SharedTablesAndLayoutsWithoutATable) {
    for (int usage = 0; usage < 256; ++usage) {
        const auto u = static_cast<std::uint8_t>(usage);
        for (int layout : {18, 19, 20}) {
            EXPECT_EQ(Name(layout, u), Name(0, u)) << "layout " << layout << " usage " << usage;
        }
        for (int layout : {25, 27, 44, 255, -1}) {
            EXPECT_EQ(Name(layout, u), "") << "layout " << layout << " usage " << usage;
        }
    }
}

TEST(KeyName, MouseButtonsComeFromTheCurrentTexts) {
    const ButtonTexts texts("DevMac ");
    for (int layout : kLayouts) {
        EXPECT_EQ(KeyName(0xF1, layout, &texts), "DevMac 20");
        EXPECT_EQ(KeyName(0xF2, layout, &texts), "DevMac 21");
        EXPECT_EQ(KeyName(0xF3, layout, &texts), "DevMac 22");
        EXPECT_EQ(KeyName(0xF1, layout, nullptr), "");
    }
    EXPECT_EQ(KeyName(0xF1, 25, &texts), "");

    // MacVkAndText reads the index and the texts at every call.
    int language = 2;
    ButtonTexts current("fr ");
    const MacVkAndText keys([&] { return language; }, &current);
    EXPECT_EQ(keys.KeyName(0x04), "Q");
    EXPECT_EQ(keys.KeyName(0xF1), "fr 20");
    language = 4;
    current.prefix_ = "de ";
    EXPECT_EQ(keys.KeyName(0x1D), "Y");
    EXPECT_EQ(keys.KeyName(0xF3), "de 22");
    EXPECT_EQ(MacVkAndText([] { return 1; }).KeyName(0xF2), "") << "no texts bound";
}

std::size_t CodePoints(std::string_view text) {
    return Utf8ToUtf16(text).size();
}

bool IsAsciiLetter(std::string_view text) {
    return text.size() == 1 && text[0] >= 'A' && text[0] <= 'Z';
}

bool IsOneAsciiCharacter(std::string_view text) {
    return text.size() == 1 && text[0] > ' ' && text[0] < 0x7F;
}

// Every table names every printed key: letters, the digit row, the punctuation keys that
// every keyboard has (0x32 exists only on some) and the keypad.
TEST(KeyNameTables, EveryTableCoversItsPrintedKeys) {
    const std::set<int> nonLatin = {7, 10, 13, 23, 24};
    for (int layout : kLayouts) {
        SCOPED_TRACE("layout " + FormatDecimal(layout));
        std::set<std::string> letters;
        for (int usage = 0x04; usage <= 0x1D; ++usage) {
            const std::string name = Name(layout, static_cast<std::uint8_t>(usage));
            EXPECT_TRUE(CodePoints(name) >= 1 && CodePoints(name) <= 2) << usage << " " << name;
            if (nonLatin.contains(layout)) {
                EXPECT_FALSE(IsAsciiLetter(name)) << usage << " " << name;
            } else {
                EXPECT_TRUE(IsOneAsciiCharacter(name)) << usage << " " << name;
            }
            EXPECT_TRUE(letters.insert(name).second) << name << " twice";
        }
        std::set<std::string> digits;
        for (int usage = 0x1E; usage <= 0x27; ++usage) {
            const std::string name = Name(layout, static_cast<std::uint8_t>(usage));
            EXPECT_TRUE(CodePoints(name) >= 1 && CodePoints(name) <= 2) << usage << " " << name;
            EXPECT_TRUE(digits.insert(name).second) << name << " twice";
        }
        for (int usage = 0x2D; usage <= 0x38; ++usage) {
            const std::string name = Name(layout, static_cast<std::uint8_t>(usage));
            if (usage != 0x32) {
                EXPECT_NE(name, "NULL") << usage;
                EXPECT_TRUE(CodePoints(name) >= 1 && CodePoints(name) <= 5) << usage;
            }
        }
        for (int usage = 0x54; usage <= 0x63; ++usage) {
            const std::string name = Name(layout, static_cast<std::uint8_t>(usage));
            EXPECT_EQ(name == "NULL", usage == 0x58) << usage << " " << name;
        }
        EXPECT_NE(Name(layout, 0x28), "NULL");
    }
}

}  // namespace
}  // namespace novu
