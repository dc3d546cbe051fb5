#include "macro/macro_import_export.h"

#include <algorithm>
#include <array>

#include "base/file_io.h"
#include "base/text.h"
#include "macro/macro_names.h"

namespace novu {

namespace {

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

}  // namespace

std::string ImportedGroupName(const std::filesystem::path& file) {
    const std::string name = Utf8FromPath(file.filename());
    for (std::size_t at = 0; at + 4 <= name.size(); ++at) {
        if (EqualsIgnoreCase(std::string_view(name).substr(at, 4), ".dat")) {
            return name.substr(0, at);
        }
    }
    return name;
}

MacroImportExport::MacroImportExport(MacroLibrary& library, MacroFiles& files, UserNotices& notices)
    : library_(library), files_(files), notices_(notices) {}

bool MacroImportExport::IsBuiltinFile(const std::filesystem::path& file) const {
    static constexpr std::array<std::string_view, 4> kBuiltinFiles = {"constMacro.dat", "PUBG.dat",
                                                                      "PUBG_CN.dat", "PUBG_EN.dat"};
    const std::filesystem::path config = library_.Folders().dataFolder / "config";
    return std::any_of(kBuiltinFiles.begin(), kBuiltinFiles.end(), [&](std::string_view name) {
        const std::filesystem::path builtin = config / name;
        return file.lexically_normal() == builtin.lexically_normal() || SameFile(file, builtin);
    });
}

LibraryRefresh MacroImportExport::ImportGroupFile(const FilePicker& pick) {
    if (library_.GroupCount() >= kMaxMacroGroups) {
        notices_.ShowTip(macro_tip::kTooMany);
        return {};
    }
    const std::optional<std::filesystem::path> picked = pick();
    if (!picked || IsBuiltinFile(*picked)) {
        return {};
    }
    // The name becomes the file name in the macro folder: it must stay inside it and be a
    // name every system can hold.
    const std::string name = CutName(ImportedGroupName(*picked), kMaxGroupNameLength);
    if (!IsValidGroupName(name)) {
        notices_.ShowTip(macro_tip::kCannotCreate);
        return {};
    }
    for (int g = 0; g < library_.GroupCount(); ++g) {
        if (library_.GroupName(g) == name) {
            notices_.ShowTip(macro_tip::kNameExists);
            return {};
        }
    }
    const std::filesystem::path target =
        library_.Folders().macroFolder / PathFromUtf8(name + ".dat");
    if (!SameFile(*picked, target)) {
        auto bytes = ReadWholeFile(*picked);
        if (!bytes || !WriteFileAtomically(target, *bytes)) {
            notices_.ShowTip(macro_tip::kCannotCreate);
            return {};
        }
        files_.Forget(target);
    }
    return library_.AppendGroup(name);
}

void MacroImportExport::ExportGroupFile(const FilePicker& pick) {
    if (library_.GroupCount() == 0) {
        notices_.ShowTip(macro_tip::kCannotCreate);
        return;
    }
    const std::optional<std::filesystem::path> picked = pick();
    if (!picked) {
        return;
    }
    std::vector<MacroRecord> records;
    for (int i = 0; i < library_.OpenCount(); ++i) {
        records.push_back(library_.Record(i));
    }
    if (!files_.WriteGroupFile(*picked, records)) {
        notices_.ShowTip(macro_tip::kCannotCreate);
    }
}

void MacroImportExport::ExportMacroFile(const FilePicker& pick) {
    const std::optional<std::filesystem::path> picked = pick();
    if (!picked) {
        return;
    }
    if (!files_.WriteMacroFile(library_.Record(library_.CurrentMacro()), *picked)) {
        notices_.ShowTip(macro_tip::kCannotCreate);
    }
}

LibraryRefresh MacroImportExport::ImportMacroFile(const FilePicker& pick) {
    const int groups = library_.GroupCount();
    int group = library_.CurrentGroup();
    if (const int row = library_.SelectedRow();
        row >= 0 && row < static_cast<int>(library_.Rows().size())) {
        group = library_.Rows()[static_cast<std::size_t>(row)].group;
    }
    if (groups > 0 && group != library_.CurrentGroup()) {
        library_.OpenGroup(group, true);
    }
    if (library_.OpenCount() >= kMaxGroupMacros) {
        notices_.ShowTip(macro_tip::kTooMany);
        return {};
    }
    const std::optional<std::filesystem::path> picked = pick();
    if (!picked || groups == 0) {
        return {};
    }
    return library_.AppendMacro(group, files_.ReadMacroFile(*picked));
}

}  // namespace novu
