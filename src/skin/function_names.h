#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/ini_files.h"

namespace novu {

// The names of the button functions, from section FUN_STRING of the button page's skin file:
// keys "0".."47" name FunctionCode 0..47, keys "30000".."30004" name the skin-defined
// functions.
inline constexpr std::string_view kFunctionNameSection = "FUN_STRING";
inline constexpr int kFunctionNameCount = 48;
inline constexpr int kFirstSkinFunction = 30000;
inline constexpr int kSkinFunctionCount = 5;

// One entry of the extra-function list: a function the first submenu of the button menu
// offers, with its one-based position in that submenu (0 for the entry of code 0, which the
// submenu never shows).
struct ExtraFunction {
    int code = 0;
    std::string name;
    int position = 0;
    bool operator==(const ExtraFunction&) const = default;
};

class ExtraFunctionList {
public:
    void Add(ExtraFunction entry) { entries_.push_back(std::move(entry)); }

    // The entry at `position`, or null.
    const ExtraFunction* AtPosition(int position) const;
    // The entry of `code`, or null.
    const ExtraFunction* ForCode(int code) const;
    // How many entries the submenu shows (positions 1 and up).
    int ListedCount() const;

    const std::vector<ExtraFunction>& Entries() const { return entries_; }

private:
    std::vector<ExtraFunction> entries_;
};

struct FunctionNameTable {
    std::array<std::string, kFunctionNameCount> names;
    ExtraFunctionList extras;

    // The name of code 0..47; empty for any other code.
    std::string_view Name(int code) const;
};

// Reads the table from `skinMainFile`. Each name is field 0 of its value by the main
// window's split (a value with no comma, or with three or four, is taken whole; any other
// up to its first comma). Name 0 is then replaced by `noFunctionName` (the language's name
// for "no function"). The extra-function list takes, in this order: codes 12..17 with a
// non-empty name at positions 1, 2, ...; code 0 at position 0 when its raw value (read with
// a 10-character buffer) is not empty; then each non-empty "30000".."30004" (15-character
// buffer) at the next position. Code 18 is never listed.
FunctionNameTable ReadFunctionNameTable(const IniFiles& ini,
                                        const std::filesystem::path& skinMainFile,
                                        std::string_view noFunctionName);

}  // namespace novu
