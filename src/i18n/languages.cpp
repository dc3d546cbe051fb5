#include "i18n/languages.h"

#include <array>

namespace novu {

namespace {

// By LanguageIndex 0..26. Index 25 was never given to a language.
constexpr std::array<std::string_view, 27> kFolderNames = {
    "0_INI_CN",    "1_INI_EN",  "2_INI_FR",    "3_INI_BILI",
    "4_INI_DE",    "5_INI_SP",  "6_INI_IT",    "7_INI_RU",
    "8_INI_TU",    "9_INI_PO",  "10_INI_TH",   "11_INI_KR",
    "12_INI_JP",   "13_INI_AR", "14_INI_PL",   "15_INI_CZ",
    "16_INI_SE",   "17_INI_NL", "18_INI_POBR", "19_INI_CNTW",
    "20_INI_NLBE", "21_INI_DA", "22_INI_SL",   "23_INI_FA",
    "24_INI_UA",   "",          "26_INI_HUN",
};

// Only English is offered by the menu; Chinese has its own header button.
constexpr std::array<int, 1> kOffered = {1};

}  // namespace

std::string_view LanguageFolderName(int languageIndex) {
    if (languageIndex < 0 || languageIndex >= static_cast<int>(kFolderNames.size())) {
        return {};
    }
    return kFolderNames[static_cast<std::size_t>(languageIndex)];
}

std::filesystem::path LanguageFolder(const DataFolder& data, int languageIndex) {
    const std::string_view name = LanguageFolderName(languageIndex);
    return name.empty() ? data.root : data.root / name;
}

std::filesystem::path LanguageTextFile(const DataFolder& data, int languageIndex) {
    return LanguageFolder(data, languageIndex) / "LanguageText.ini";
}

MacroFolderPaths MacroFolderPathsFor(const DataFolder& data, int languageIndex) {
    const auto folder = LanguageFolder(data, languageIndex);
    return {folder / "macro", folder / "macroReset"};
}

std::filesystem::path PresetFile(const DataFolder& data, int languageIndex) {
    return LanguageFolder(data, languageIndex) / "PUBG.dat";
}

std::span<const int> OfferedLanguages() {
    return kOffered;
}

std::optional<int> LanguageAtMenuRow(int row) {
    if (row < 1 || row > static_cast<int>(kOffered.size())) {
        return std::nullopt;
    }
    return kOffered[static_cast<std::size_t>(row - 1)];
}

}  // namespace novu
