// Lint of the shipped data folder: every file parses, every text the program shows exists in
// every shipped language, and the factory configuration is one the program can run with.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <initializer_list>
#include <set>

#include "base/file_io.h"
#include "base/recorded_notices.h"
#include "base/text.h"
#include "config/config_files.h"
#include "i18n/language_texts.h"
#include "i18n/languages.h"
#include "support/temp_folder.h"

namespace novu {
namespace {

namespace fs = std::filesystem;

const DataFolder kShipped{NOVU_SHIPPED_DATA};
constexpr std::array kShippedLanguages = {0, 1};

// The text-table entries the program shows, by table.
struct ReferencedEntries {
    TextTable table;
    std::initializer_list<int> entries;
};
constexpr std::array<ReferencedEntries, 4> kReferenced = {{
    // Warnings: no mouse (followed by the product name), start-up reset and its end, missing
    // file, failed operation, the last left button, recording running, a limit reached,
    // duplicate group name, no macro selected, macro memory full, 12 groups, lighting off.
    {TextTable::TipText, {1, 2, 3, 5, 6, 7, 20, 21, 23, 24, 29, 30, 31}},
    // Macro menus, insert submenus, the mouse-button key names 20..22, pointer moves, DPI
    // steps, the tray menu and the default group and macro names.
    {TextTable::UniqueName_DevMac, {1,  2,  3,  4,  5,  6,  7,  10, 11, 12, 13, 14, 15, 16, 17, 18,
                                    19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 32, 34, 35, 36, 37}},
    // Effect names of codes 0..13 (1..14) and the macro editor's name of effect 1 (15).
    {TextTable::UniqueName_LED, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
    // The name of function 0 and the macro editor's captions.
    {TextTable::UniqueName_Other, {1, 6, 7, 8, 9, 11, 12, 13, 14, 17}},
}};

std::vector<fs::path> ShippedFiles(std::string_view extension) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(kShipped.root)) {
        if (entry.is_regular_file() && entry.path().extension() == extension) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(ShippedData, EveryIniParses) {
    const auto files = ShippedFiles(".ini");
    ASSERT_FALSE(files.empty());
    IniFiles ini;
    for (const auto& file : files) {
        EXPECT_NE(ini.Open(file), nullptr) << file;
    }
}

// The files a user is most likely to open in an editor are kept as the product writes its
// own: UTF-8 with CRLF line ends.
TEST(ShippedData, TextsAndConfigurationAreUtf8WithCrlf) {
    std::vector<fs::path> files = {kShipped.ConfigIni(), kShipped.ConfigResetIni()};
    for (int language : kShippedLanguages) {
        files.push_back(LanguageTextFile(kShipped, language));
    }
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        const auto bytes = ReadWholeFile(file);
        ASSERT_TRUE(bytes.ok());
        EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(*bytes)), *bytes) << "not valid UTF-8";
        for (std::size_t i = 0; i < bytes->size(); ++i) {
            if ((*bytes)[i] == '\n') {
                ASSERT_TRUE(i > 0 && (*bytes)[i - 1] == '\r') << "a line ends without CR";
            }
        }
        EXPECT_TRUE(bytes->ends_with("\r\n"));
    }
}

TEST(ShippedData, LanguageTextsHoldTheirTextAsTheSecondOfThreeFields) {
    IniFiles ini;
    for (int language : kShippedLanguages) {
        const auto document = ini.Open(LanguageTextFile(kShipped, language));
        ASSERT_NE(document, nullptr) << "language " << language;
        for (TextTable table :
             {TextTable::TipText, TextTable::UniqueName_MouseKey, TextTable::UniqueName_DevMac,
              TextTable::UniqueName_LED, TextTable::UniqueName_Other}) {
            const std::string_view section = TextTableSection(table);
            EXPECT_TRUE(document->HasSection(section)) << section;
            for (const std::string& key : document->Keys(section)) {
                SCOPED_TRACE(std::string(section) + " " + key + " of language " +
                             FormatDecimal(language));
                ASSERT_TRUE(IsAllDigits(key) && ParseDecimal(key) < kTextTableEntries);
                const std::string_view value = *document->Find(section, key);
                EXPECT_EQ(std::count(value.begin(), value.end(), ','), 2)
                    << "a text cannot hold a comma: " << value;
                EXPECT_LE(Utf16Length(value), 259u);
            }
        }
    }
}

TEST(ShippedData, EveryReferencedTextExistsInEveryLanguage) {
    IniFiles ini;
    RecordedNotices notices;
    for (int language : kShippedLanguages) {
        LanguageTexts texts(kShipped, ini, notices);
        texts.Load(language);
        for (const auto& group : kReferenced) {
            for (int entry : group.entries) {
                EXPECT_FALSE(texts.Text(group.table, entry).empty())
                    << TextTableSection(group.table) << " " << entry << " of language " << language;
            }
        }
        // The macro editor reads numbers back out of its own lines: a lighting duration
        // after the caption's only ':' with "*122" and the two-character unit after it, and
        // a pause before the unit.
        const std::string duration = texts.Text(TextTable::UniqueName_Other, 9);
        EXPECT_TRUE(duration.ends_with(':'));
        EXPECT_EQ(std::count(duration.begin(), duration.end(), ':'), 1);
        const std::string unit = texts.Text(TextTable::UniqueName_Other, 12);
        EXPECT_EQ(Utf16Length(unit), 2u);
        EXPECT_EQ(
            std::count_if(unit.begin(), unit.end(), [](char c) { return c >= '0' && c <= '9'; }),
            0);
        // The no-mouse warning puts the product name right after tip text 1.
        const std::string noMouse = texts.Text(TextTable::TipText, 1);
        EXPECT_TRUE(noMouse.ends_with(' ') || noMouse.ends_with("：")) << noMouse;
        // These folders use the embedded font sets.
        EXPECT_EQ(texts.Fonts(), FontKeys{});
    }
    EXPECT_TRUE(notices.Notices().empty());
}

// A code of the FunctionCode table; user macro codes name group and macro 1..12. Whether
// the macro or preset a code names exists is checked with the shipped macro files.
bool IsFunctionCode(std::int32_t code) {
    if (code >= 256 && code < 30000) {
        return code / 256 - 1 < 12 && code % 256 < 12;
    }
    return (code >= 0 && code < 256) || (code >= 30000 && code <= 30004) || code == 40000;
}

TEST(ShippedData, FactoryConfigurationIsInRange) {
    test::TempFolder dir;
    fs::copy(kShipped.ConfigFolder(), dir / "config");
    const DataFolder data{dir.Path()};
    IniFiles ini;
    SettingsStore store;
    RecordedNotices notices;
    ConfigFiles config(data, ini, store, notices);
    config.ReadStartup();
    EXPECT_TRUE(notices.Notices().empty());

    const DeviceDescription device = store.Device();
    EXPECT_EQ(device.PRODUCTNAME_CN, "NOVU 游戏鼠标");
    EXPECT_EQ(device.PRODUCTNAME_EN, "NOVU GMouse");
    ASSERT_GE(device.KEYNUM, 1);
    ASSERT_LE(device.KEYNUM, kButtonSlots);
    std::set<int> hardwareKeys;
    for (int slot = 0; slot < device.KEYNUM; ++slot) {
        const int key = device.KEYMAP[static_cast<std::size_t>(slot)];
        EXPECT_GE(key, 1) << "slot " << slot;
        EXPECT_LE(key, kHardwareKeys) << "slot " << slot;
        EXPECT_TRUE(hardwareKeys.insert(key).second) << "hardware key " << key << " twice";
    }

    const Settings s = store.Snapshot();
    EXPECT_GE(s.CurConfig, 0);
    EXPECT_LT(s.CurConfig, kProfileCount);
    EXPECT_TRUE(fs::exists(LanguageTextFile(kShipped, store.LanguageIndex())))
        << "the factory language is shipped";
    for (const ProfileSettings& profile : s.profiles) {
        int leftButtons = 0;
        for (int slot = 0; slot < kButtonSlots; ++slot) {
            const auto i = static_cast<std::size_t>(slot);
            EXPECT_TRUE(IsFunctionCode(profile.K[i])) << profile.K[i];
            EXPECT_TRUE(profile.LEFT_MAC[i] == 0 || profile.LEFT_MAC[i] == 1);
            EXPECT_TRUE(profile.LED_REACT_TYPE[i] >= 0 && profile.LED_REACT_TYPE[i] <= 3);
            leftButtons += (slot < device.KEYNUM && profile.K[i] == 1) ? 1 : 0;
        }
        EXPECT_GE(leftButtons, 1) << "every profile keeps a left button";
    }

    const SharedSettings& sh = s.shared;
    for (int c : sh.MAC_COR) {
        EXPECT_TRUE(c >= 0 && c <= 6);
    }
    ASSERT_TRUE(sh.DPI_LEVEL >= 0 && sh.DPI_LEVEL < kDpiLevels);
    EXPECT_TRUE(sh.DPI_SET_EN[static_cast<std::size_t>(sh.DPI_LEVEL)]) << "current level on";
    for (int level = 0; level < kDpiLevels; ++level) {
        const auto i = static_cast<std::size_t>(level);
        EXPECT_LE(sh.DPI_SET[i], 16);
        for (int nibble : {sh.DPI_R[i], sh.DPI_G[i], sh.DPI_B[i]}) {
            EXPECT_TRUE(nibble >= 0 && nibble <= 15);
        }
    }
    for (int colour = 0; colour < kUserColours; ++colour) {
        const auto i = static_cast<std::size_t>(colour);
        for (int nibble : {sh.LED_USER_R[i], sh.LED_USER_G[i], sh.LED_USER_B[i]}) {
            EXPECT_TRUE(nibble >= 0 && nibble <= 15);
        }
    }
    const std::set<int> offeredEffects = {0, 2, 3, 5, 6, 7, 8, 10, 11, 13};
    EXPECT_TRUE(offeredEffects.contains(sh.LED_TYPE)) << int{sh.LED_TYPE};
    EXPECT_LE(sh.LED_CYCTIME, 5);
    EXPECT_TRUE(sh.LED_BRIGHT >= 0 && sh.LED_BRIGHT <= 7);
    EXPECT_TRUE(sh.LED_FEATURE_DIREC >= 0 && sh.LED_FEATURE_DIREC <= 3);
    EXPECT_TRUE(sh.LED_FEATURE_SYMMETRY == 0 || sh.LED_FEATURE_SYMMETRY == 1);
    EXPECT_NE(sh.CYC_7COL_EN & 0x7F, 0) << "at least one colour cycles";
    EXPECT_TRUE(sh.DPI_SPEED >= 1 && sh.DPI_SPEED <= 11);
    EXPECT_TRUE(sh.WHEEL_SPEED >= 1 && sh.WHEEL_SPEED <= 11);
    EXPECT_TRUE(sh.FIRE_TIME >= kMinimumFireTime && sh.FIRE_TIME <= 300);
    EXPECT_TRUE(sh.MODE_LIGHT == 0 || sh.MODE_LIGHT == 1);
    EXPECT_TRUE(sh.SOFT_HARD_MAC == 0 || sh.SOFT_HARD_MAC == 1);

    // The factory file holds the same settings: a reset starts from what a new install has.
    for (int p = 0; p < kProfileCount; ++p) {
        ASSERT_TRUE(config.LoadProfile(p, /*fromFactory=*/true));
    }
    EXPECT_EQ(store.Snapshot(), s);
    EXPECT_TRUE(notices.Notices().empty());
}

}  // namespace
}  // namespace novu
