#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/user_notices.h"
#include "macro/macro_files.h"
#include "macro/macro_library.h"

namespace novu {

// The file dialog of a command: the path the user picked, or nothing when cancelled.
using FilePicker = std::function<std::optional<std::filesystem::path>()>;

// The group name an imported file gives: its file name up to the first ".dat" (any case), or
// the whole file name when it has none.
std::string ImportedGroupName(const std::filesystem::path& file);

// Groups and single macros leaving and entering the library through files the user picks.
class MacroImportExport {
public:
    MacroImportExport(MacroLibrary& library, MacroFiles& files, UserNotices& notices);

    // A group file copied into the macro folder as <group name>.dat and appended to the list.
    LibraryRefresh ImportGroupFile(const FilePicker& pick);
    // The open group written to the picked file (keys it does not write stay).
    void ExportGroupFile(const FilePicker& pick);
    // The current macro as a single-macro file.
    void ExportMacroFile(const FilePicker& pick);
    // A single-macro file appended to the group of the selected row under a unique name.
    LibraryRefresh ImportMacroFile(const FilePicker& pick);

private:
    bool IsBuiltinFile(const std::filesystem::path& file) const;

    MacroLibrary& library_;
    MacroFiles& files_;
    UserNotices& notices_;
};

}  // namespace novu
