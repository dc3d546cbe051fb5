#pragma once

#include <array>
#include <filesystem>
#include <mutex>

#include "base/user_notices.h"
#include "macro/macro_files.h"
#include "macro/macro_record.h"

namespace novu {

// The built-in macros the button codes 33..49 play.
constexpr int kMaxBuiltinMacros = 13;

// <data folder>/config/constMacro.dat.
std::filesystem::path BuiltinMacroFile(const std::filesystem::path& dataFolder);

// The table of built-in macros, loaded once at start-up. Safe to read from any thread.
class BuiltinMacros {
public:
    BuiltinMacros(MacroFiles& files, UserNotices& notices);

    // LoadBuiltinMacros: a missing file shows tip text 5 and leaves the table empty.
    void Load(const std::filesystem::path& file);

    int Count() const;
    // All-zero outside the table.
    MacroRecord Macro(int index) const;

private:
    MacroFiles& files_;
    UserNotices& notices_;
    mutable std::mutex mutex_;
    int count_ = 0;
    std::array<MacroRecord, kMaxBuiltinMacros> records_{};
};

}  // namespace novu
