#include "i18n/languages.h"

#include <gtest/gtest.h>

#include <vector>

namespace novu {
namespace {

TEST(LanguageFolderName, ListAndGaps) {
    struct Case {
        int index;
        std::string_view name;
    };
    const Case cases[] = {
        {0, "0_INI_CN"},
        {1, "1_INI_EN"},
        {3, "3_INI_BILI"},
        {12, "12_INI_JP"},
        {18, "18_INI_POBR"},
        {19, "19_INI_CNTW"},
        {24, "24_INI_UA"},
        {26, "26_INI_HUN"},
        {25, ""},
        {27, ""},
        {44, ""},
        {255, ""},
        {-1, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LanguageFolderName(c.index), c.name) << "index " << c.index;
    }
}

TEST(LanguageFolder, PathsOfALanguageAndOfAnIndexWithoutFolder) {
    const DataFolder data{"/data/skins"};
    EXPECT_EQ(LanguageTextFile(data, 1), "/data/skins/1_INI_EN/LanguageText.ini");
    EXPECT_EQ(MacroFolderPathsFor(data, 1),
              (MacroFolderPaths{"/data/skins/1_INI_EN/macro", "/data/skins/1_INI_EN/macroReset"}));
    EXPECT_EQ(PresetFile(data, 0), "/data/skins/0_INI_CN/PUBG.dat");

    // Without a folder name every path points straight into the data folder.
    EXPECT_EQ(LanguageFolder(data, 25), "/data/skins");
    EXPECT_EQ(LanguageTextFile(data, 25), "/data/skins/LanguageText.ini");
    EXPECT_EQ(MacroFolderPathsFor(data, 44),
              (MacroFolderPaths{"/data/skins/macro", "/data/skins/macroReset"}));
    EXPECT_EQ(PresetFile(data, 44), "/data/skins/PUBG.dat");
}

TEST(LanguageMenu, OffersEnglishOnly) {
    const auto offered = OfferedLanguages();
    EXPECT_EQ(std::vector<int>(offered.begin(), offered.end()), std::vector<int>{1});
    EXPECT_EQ(LanguageAtMenuRow(1), 1);
    EXPECT_EQ(LanguageAtMenuRow(2), std::nullopt) << "a row beyond the list changes nothing";
    EXPECT_EQ(LanguageAtMenuRow(0), std::nullopt);
    EXPECT_EQ(LanguageAtMenuRow(255), std::nullopt);
}

}  // namespace
}  // namespace novu
