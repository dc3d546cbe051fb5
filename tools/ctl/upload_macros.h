#pragma once

#include <filesystem>
#include <string_view>

#include "base/clock.h"
#include "base/ini_files.h"
#include "base/user_notices.h"
#include "macro/builtin_macros.h"
#include "macro/macro_files.h"
#include "macro/macro_library.h"
#include "macro/macro_sources.h"
#include "macro/macro_tables.h"
#include "macro/recoil_presets.h"

namespace novu::ctl {

// The macros a full upload and the device threads read, loaded from the data folder as
// start-up loads them: the macro library of the language, its recoil presets and the
// built-in macros. Missing files are reported through `notices` and leave the tables empty.
// Key codes are converted with the keyboard layout `layout`.
class UploadMacros {
public:
    UploadMacros(const std::filesystem::path& dataFolder, std::string_view languageFolderName,
                 int layout, IniFiles& ini, UserNotices& notices, const TextSource& texts,
                 Clock& clock);
    UploadMacros(const UploadMacros&) = delete;
    UploadMacros& operator=(const UploadMacros&) = delete;

    const MacroSources& Sources() const { return tables_; }
    MacroLibrary& Library() { return library_; }

private:
    MacroFiles files_;
    MacroLibrary library_;
    RecoilPresets presets_;
    BuiltinMacros builtins_;
    MacroTables tables_;
};

}  // namespace novu::ctl
