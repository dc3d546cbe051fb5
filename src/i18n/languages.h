#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

#include "config/data_folder.h"

namespace novu {

// The interface languages by LanguageIndex and the folders that hold their texts, skin files,
// macro folders and recoil presets inside the data folder.

// The language folder's name ("0_INI_CN" for index 0, "26_INI_HUN" for 26), or empty for an
// index that is no language (25, anything above 26 or below 0).
std::string_view LanguageFolderName(int languageIndex);

// The language folder itself; for an index without a folder name, the data folder.
std::filesystem::path LanguageFolder(const DataFolder& data, int languageIndex);

// The language's text tables.
std::filesystem::path LanguageTextFile(const DataFolder& data, int languageIndex);

// The macro folder the library works in and the factory macro folder it resets from.
struct MacroFolderPaths {
    std::filesystem::path macro;
    std::filesystem::path reset;
    bool operator==(const MacroFolderPaths&) const = default;
};
MacroFolderPaths MacroFolderPathsFor(const DataFolder& data, int languageIndex);

// The recoil preset file of the language.
std::filesystem::path PresetFile(const DataFolder& data, int languageIndex);

// The languages the language menu offers, one row each, in row order.
std::span<const int> OfferedLanguages();

// The LanguageIndex of language-menu row `row` (1-based), or nothing for a row beyond the list.
std::optional<int> LanguageAtMenuRow(int row);

}  // namespace novu
