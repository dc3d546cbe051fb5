// The commands of the macro page on the library: new, delete, rename, reset and selection.
#include <algorithm>

#include "base/file_io.h"
#include "base/text.h"
#include "macro/macro_library.h"
#include "macro/macro_names.h"

namespace novu {

namespace {

constexpr int kRepeatBoxMax = 1000;

bool IsPlainFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(folder, ec);
    return !ec && status.type() == std::filesystem::file_type::directory;
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

}  // namespace

LibraryRefresh MacroLibrary::NewGroup() {
    LibraryRefresh refresh;
    if (index_.count >= kMaxMacroGroups) {
        notices_.ShowTip(macro_tip::kTooManyGroups);
        return refresh;
    }
    const std::string defaultName =
        CutName(DefaultName(kDefaultGroupNameText), kMaxGroupNameLength);
    const int group = index_.count;
    const std::string name =
        group == 0 ? defaultName
                   : UniqueName(defaultName, index_.names, kNoOwnIndex, group, kMaxGroupNameLength);
    if (!IsValidGroupName(name)) {
        notices_.ShowTip(macro_tip::kCannotCreate);
        return refresh;
    }
    EditIndex([&](GroupIndex& index) {
        index.names[static_cast<std::size_t>(group)] = name;
        index.macroCounts[static_cast<std::size_t>(group)] = 0;
        index.macroNames[static_cast<std::size_t>(group)] = {};
        index.count = group + 1;
    });
    const std::filesystem::path file = FileOf(index_, group);
    if (!WriteGroupList() || !WriteFileAtomically(file, "")) {
        notices_.ShowTip(macro_tip::kCannotCreate);
    }
    files_.Forget(file);
    currentGroup_ = group;
    currentMacro_ = 0;
    expanded_[static_cast<std::size_t>(group)] = false;
    ClearOpenGroup();
    refresh.stepListEmptied = true;
    RebuildTree();
    selectedRow_ = RowOf(group, kGroupRowMacro);
    refresh.treeRebuilt = true;
    return refresh;
}

LibraryRefresh MacroLibrary::ShowAddedMacro(int group, int macro, LibraryRefresh refresh) {
    if (!WriteMacroEntry(macro)) {
        notices_.ShowTip(macro_tip::kCannotCreate);
    }
    ReadMacroNames();
    expanded_[static_cast<std::size_t>(group)] = true;
    RebuildTree();
    selectedRow_ = RowOf(group, macro);
    refresh.treeRebuilt = true;
    return refresh;
}

LibraryRefresh MacroLibrary::NewMacro() {
    LibraryRefresh refresh;
    if (index_.count == 0) {
        return refresh;
    }
    const MacroTreeRow* row = RowAt(selectedRow_);
    const int group = row != nullptr ? row->group : currentGroup_;
    // Another group's records must not be written into this group's file.
    if (group != currentGroup_) {
        LoadIntoOpenGroup(group);
    }
    if (openCount_ >= kMaxGroupMacros) {
        notices_.ShowTip(macro_tip::kTooMany);
        return refresh;
    }
    const std::string defaultName = CutName(DefaultName(kDefaultMacroNameText), kMaxMacroNameUnits);
    if (defaultName.empty()) {
        return refresh;
    }
    const std::string name = openCount_ == 0 ? defaultName
                                             : UniqueName(defaultName, OpenNames(), kNoOwnIndex,
                                                          openCount_, kMaxMacroNameUnits);
    refresh.stepListEmptied = true;
    const int macro = openCount_++;
    currentMacro_ = macro;
    MacroRecord& record = open_[static_cast<std::size_t>(macro)];
    ClearMacroRecord(record);
    SetMacroName(record, Utf8ToUtf16(name));
    return ShowAddedMacro(group, macro, refresh);
}

LibraryRefresh MacroLibrary::DeleteGroup() {
    LibraryRefresh refresh;
    if (rows_.empty() || index_.count == 0) {
        return refresh;
    }
    const MacroTreeRow* row = RowAt(selectedRow_);
    const int group = row != nullptr ? row->group : currentGroup_;
    currentGroup_ = group;
    const std::filesystem::path file = FileOf(index_, group);
    if (!file.empty()) {
        std::error_code ec;
        std::filesystem::remove(file, ec);
        if (FileExists(file)) {
            clock_.SleepFor(Ms(10));  // another program may still hold the file
            std::filesystem::remove(file, ec);
        }
        files_.Forget(file);
    }
    RemoveGroupAt(group);
    currentGroup_ = 0;
    currentMacro_ = 0;
    (void)WriteGroupList();  // the next reading drops a listed group without file anyway
    refresh.stepListEmptied = true;
    refresh.lightingListEmptied = true;
    refresh.treeRebuilt = true;
    if (index_.count == 0) {
        ClearOpenGroup();
        rows_.clear();
        selectedRow_ = -1;
        return refresh;
    }
    OpenGroup(0, true);
    ReadMacroNames();
    RebuildTree();
    selectedRow_ = 0;
    refresh.repeatBox = RepeatBox{"1", false};
    return refresh;
}

LibraryRefresh MacroLibrary::DeleteMacro() {
    LibraryRefresh refresh;
    const MacroTreeRow* row = RowAt(selectedRow_);
    if (row == nullptr || row->isGroup) {
        return refresh;
    }
    const int group = row->group;
    const int macro = row->macro;
    if (group != currentGroup_) {
        LoadIntoOpenGroup(group);
    }
    if (macro >= openCount_) {
        return refresh;
    }
    std::move(open_.begin() + macro + 1, open_.begin() + openCount_, open_.begin() + macro);
    ClearMacroRecord(open_[static_cast<std::size_t>(openCount_ - 1)]);
    openCount_ = std::max(openCount_ - 1, 0);

    // The row above takes the selection.
    const int shown = macro - 1;
    if (shown < 0) {
        refresh.stepListEmptied = true;
        currentMacro_ = 0;
        refresh.repeatBox = RepeatBox{"1", false};
    } else {
        currentMacro_ = shown;
        refresh.showMacro = shown;
    }
    const auto records =
        std::span<const MacroRecord>(open_).first(static_cast<std::size_t>(openCount_));
    if (!files_.WriteGroupFile(FileOf(index_, group), records)) {
        notices_.ShowTip(macro_tip::kCannotCreate);
    }
    ReadMacroNames();
    RebuildTree();
    selectedRow_ = RowOf(group, shown < 0 ? kGroupRowMacro : shown);
    refresh.treeRebuilt = true;
    return refresh;
}

LibraryRefresh MacroLibrary::Rename(int row, std::string_view typed) {
    const MacroTreeRow* found = RowAt(row);
    if (found == nullptr) {
        notices_.ShowTip(macro_tip::kNoRow);
        return {};
    }
    const std::string_view text = TrimLeadingBlanks(typed);
    return found->isGroup ? RenameGroup(found->group, text)
                          : RenameMacro(found->group, found->macro, text);
}

LibraryRefresh MacroLibrary::RenameGroup(int group, std::string_view typed) {
    LibraryRefresh refresh;
    const std::string old = index_.names[static_cast<std::size_t>(group)];
    refresh.rowText = old;
    if (typed.empty()) {
        return refresh;
    }
    const std::string wanted = CutName(typed, kMaxGroupNameLength);
    if (!IsValidGroupName(wanted)) {
        notices_.ShowTip(macro_tip::kCannotCreate);
        return refresh;
    }
    const std::string name =
        UniqueName(wanted, index_.names, group, index_.count, kMaxGroupNameLength);
    if (name == old) {
        return refresh;
    }
    const std::filesystem::path oldFile = FileOf(index_, group);
    const auto setName = [&](const std::string& value) {
        EditIndex([&](GroupIndex& index) { index.names[static_cast<std::size_t>(group)] = value; });
    };
    setName(name);
    if (!WriteGroupList()) {
        setName(old);
        notices_.ShowTip(macro_tip::kCannotCreate);
        return refresh;
    }
    if (!FileExists(oldFile)) {
        notices_.ShowTip(macro_tip::kFileMissing);
    } else {
        // One rename moves the file as a whole; there is no moment with two copies or none,
        // and a name that only changes case cannot delete the file it was copied to.
        const std::filesystem::path newFile = FileOf(index_, group);
        std::error_code ec;
        std::filesystem::rename(oldFile, newFile, ec);
        files_.Forget(oldFile);
        files_.Forget(newFile);
        if (ec) {
            // The list must keep naming the file that holds the group.
            setName(old);
            (void)WriteGroupList();
            notices_.ShowTip(macro_tip::kCannotCreate);
            RebuildTree();
            refresh.treeRebuilt = true;
            return refresh;
        }
    }
    refresh.rowText = name;
    RebuildTree();
    refresh.treeRebuilt = true;
    return refresh;
}

LibraryRefresh MacroLibrary::RenameMacro(int group, int macro, std::string_view typed) {
    LibraryRefresh refresh;
    if (group != currentGroup_) {
        LoadIntoOpenGroup(group);
    }
    if (macro >= openCount_) {
        return refresh;
    }
    MacroRecord& record = open_[static_cast<std::size_t>(macro)];
    refresh.rowText = Utf16ToUtf8(MacroName(record));
    if (typed.empty()) {
        return refresh;
    }
    const std::string name = UniqueName(CutName(typed, kMaxMacroNameUnits), OpenNames(), macro,
                                        openCount_, kMaxMacroNameUnits);
    SetMacroName(record, Utf8ToUtf16(name));
    if (!WriteMacroEntry(macro)) {
        notices_.ShowTip(macro_tip::kCannotCreate);
    }
    ReadMacroNames();
    RebuildTree();
    refresh.rowText = name;
    refresh.treeRebuilt = true;
    return refresh;
}

bool MacroLibrary::ResetFolderIsSafe() const {
    const LibraryFolders& folders = index_.folders;
    const std::filesystem::path& macro = folders.macroFolder;
    const std::filesystem::path language = macro.parent_path();
    if (macro.filename() != "macro" || !IsPlainFolder(macro) || !IsPlainFolder(language) ||
        !SameFile(language.parent_path(), folders.dataFolder)) {
        return false;
    }
    // Emptying the macro folder must not take the factory copy with it.
    std::error_code ec;
    const auto reset = std::filesystem::canonical(folders.resetFolder, ec);
    const auto inside = std::filesystem::canonical(macro, ec);
    if (ec) {
        return false;
    }
    const auto [end, _] = std::mismatch(inside.begin(), inside.end(), reset.begin(), reset.end());
    return end != inside.end();
}

LibraryRefresh MacroLibrary::ResetAllGroups() {
    LibraryRefresh refresh;
    currentGroup_ = 0;
    currentMacro_ = 0;
    selectedRow_ = 0;
    const LibraryFolders folders = index_.folders;
    std::error_code ec;
    if (!std::filesystem::is_directory(folders.resetFolder, ec)) {
        notices_.ShowTip(macro_tip::kFileMissing);
        return refresh;
    }
    if (!ResetFolderIsSafe()) {
        notices_.ShowTip(macro_tip::kCannotCreate);
        return refresh;
    }
    for (const auto& entry : std::filesystem::directory_iterator(folders.macroFolder, ec)) {
        std::error_code ignored;  // a file that cannot be deleted is overwritten or stays
        std::filesystem::remove_all(entry.path(), ignored);
    }
    std::filesystem::copy(folders.resetFolder, folders.macroFolder,
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing |
                              std::filesystem::copy_options::skip_symlinks,
                          ec);
    files_.ForgetAll();
    files_.Forget(folders.GroupListFile());
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(folders.macroFolder, ec)) {
        files_.Forget(entry.path());
    }
    clock_.SleepFor(Ms(100));
    ReadGroupList();
    ReadMacroNames();
    if (index_.count > 0) {
        OpenGroup(currentGroup_, true);
    } else {
        ClearOpenGroup();
    }
    expanded_.fill(false);
    RebuildTree();
    selectedRow_ = rows_.empty() ? -1 : 0;
    refresh.stepListEmptied = true;
    refresh.lightingListEmptied = true;
    refresh.treeRebuilt = true;
    return refresh;
}

LibraryRefresh MacroLibrary::SelectRow(int row, std::string_view repeatBoxText) {
    LibraryRefresh refresh;
    refresh.recordingAbandoned = true;
    refresh.lightingListEmptied = true;
    const MacroTreeRow* found = RowAt(row);
    if (found == nullptr) {
        return refresh;
    }
    const MacroTreeRow target = *found;
    if (row == selectedRow_) {
        if (target.isGroup) {
            SetExpanded(target.group, !Expanded(target.group));
            RebuildTree();
            refresh.treeRebuilt = true;
        }
        return refresh;
    }
    refresh.stepListEmptied = true;
    if (!target.isGroup) {
        // The macro that loses the selection keeps the repeat count its box shows.
        const MacroTreeRow* previous = RowAt(selectedRow_);
        if (previous != nullptr && !previous->isGroup && previous->group == currentGroup_ &&
            previous->macro < openCount_) {
            MacroRecord& record = open_[static_cast<std::size_t>(previous->macro)];
            record.repeatCount = static_cast<std::uint16_t>(
                std::clamp(ParseDecimal(repeatBoxText), 1, kRepeatBoxMax));
            if (!WriteMacroEntry(previous->macro)) {
                notices_.ShowTip(macro_tip::kCannotCreate);
            }
        }
    }
    currentMacro_ = 0;
    // The row's group is loaded before any of its macros is shown.
    if (target.group != currentGroup_) {
        LoadIntoOpenGroup(target.group);
    }
    selectedRow_ = row;
    if (target.isGroup) {
        SetExpanded(target.group, !Expanded(target.group));
        RebuildTree();
        refresh.treeRebuilt = true;
        refresh.repeatBox = RepeatBox{"1", false};
    } else {
        currentMacro_ = target.macro;
        refresh.showMacro = target.macro;
        refresh.selectFirstStep = true;
    }
    return refresh;
}

LibraryRefresh MacroLibrary::AppendGroup(const std::string& name) {
    LibraryRefresh refresh;
    if (index_.count >= kMaxMacroGroups || !IsValidGroupName(name)) {
        return refresh;
    }
    const int group = index_.count;
    EditIndex([&](GroupIndex& index) {
        index.names[static_cast<std::size_t>(group)] = name;
        index.count = group + 1;
    });
    (void)WriteGroupList();  // a failure is repaired by the next reading of the list
    files_.Forget(FileOf(index_, group));
    ReadMacroNames();
    LoadIntoOpenGroup(group);
    currentMacro_ = 0;
    expanded_[static_cast<std::size_t>(group)] = true;
    RebuildTree();
    selectedRow_ = RowOf(group, kGroupRowMacro);
    refresh.stepListEmptied = true;
    refresh.treeRebuilt = true;
    refresh.repeatBox = RepeatBox{"1", false};
    return refresh;
}

LibraryRefresh MacroLibrary::AppendMacro(int group, const MacroRecord& record) {
    LibraryRefresh refresh;
    if (group < 0 || group >= index_.count) {
        return refresh;
    }
    if (group != currentGroup_) {
        LoadIntoOpenGroup(group);
    }
    if (openCount_ >= kMaxGroupMacros) {
        notices_.ShowTip(macro_tip::kTooMany);
        return refresh;
    }
    const int macro = openCount_;
    MacroRecord& target = open_[static_cast<std::size_t>(macro)];
    target = record;
    if (macro > 0) {
        const std::string name = UniqueName(Utf16ToUtf8(MacroName(record)), OpenNames(),
                                            kNoOwnIndex, macro, kMaxMacroNameUnits);
        SetMacroName(target, Utf8ToUtf16(name));
    }
    refresh.stepListEmptied = true;
    openCount_ = macro + 1;
    currentMacro_ = macro;
    return ShowAddedMacro(group, macro, refresh);
}

}  // namespace novu
