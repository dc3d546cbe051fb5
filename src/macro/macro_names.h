#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "macro/macro_record.h"

namespace novu {

// The longest names the library keeps, in UTF-16 code units: a group name is what the group
// list file reader takes, a macro name what the record's name field holds.
constexpr std::size_t kMaxGroupNameLength = 59;
constexpr std::size_t kMaxMacroNameUnits = kMaxMacroNameLength;

// No entry of the list is excluded.
constexpr int kNoOwnIndex = -1;

// `name` made unique among the first `count` entries of `names`, ignoring entry `own`. A name
// that no entry equals comes back unchanged. Otherwise it gets two digits: when it already
// ends in two digits these are replaced by the largest such number among the entries with the
// same stem, plus one ("Shot05" with "Shot07" present gives "Shot08"); else the digits are
// appended, one above the largest number that entries named like it followed by two digits
// carry ("Aim" gives "Aim02", then "Aim03"). When the result would exceed `maxUnits`, the stem
// is cut so the digits survive, and the number goes up until no entry holds the result.
std::string UniqueName(std::string_view name, std::span<const std::string> names, int own,
                       int count, std::size_t maxUnits);

// The longest prefix of `name` with at most `maxUnits` UTF-16 code units, whole characters.
std::string CutName(std::string_view name, std::size_t maxUnits);

// Whether a group name can be a file name in the macro folder on every system the data
// folder may move to: not empty, at most 59 characters of valid UTF-8, no path separator,
// "..", control character or character that Windows refuses in file names (: * ? " < > |),
// no trailing dot or blank, none of the reserved device names (CON, PRN, AUX, NUL,
// COM0..COM9, LPT0..LPT9, also with an extension), and nothing the group list would not give
// back as written (a leading blank, enclosing quotes).
bool IsValidGroupName(std::string_view name);

// Paths from and to UTF-8 text on every system (names are UTF-8 in memory and files).
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace novu
