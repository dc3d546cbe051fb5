#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/clock.h"
#include "base/ini_files.h"
#include "base/result.h"
#include "base/user_notices.h"
#include "macro/macro_files.h"
#include "macro/macro_record.h"
#include "macro/macro_tips.h"

namespace novu {

class ConfigFiles;

constexpr int kMaxMacroGroups = 12;
// The macro index of a group row in the tree.
constexpr int kGroupRowMacro = 0xFF;

// Entries of the UniqueName_DevMac table that name new items.
constexpr int kDefaultGroupNameText = 36;
constexpr int kDefaultMacroNameText = 37;

// The folders of the current language's library. The language layer builds them:
// <data folder>/<language folder>/macro and .../macroReset.
struct LibraryFolders {
    std::filesystem::path dataFolder;
    std::filesystem::path macroFolder;
    std::filesystem::path resetFolder;

    static LibraryFolders For(const std::filesystem::path& dataFolder,
                              std::string_view languageFolderName);

    std::filesystem::path GroupListFile() const { return macroFolder / "macroGrp.ini"; }
};

// One row of the macro tree.
struct MacroTreeRow {
    bool isGroup = false;
    int group = 0;
    int macro = kGroupRowMacro;
    int icon = 0;  // 0 collapsed group, 1 expanded group, 2 macro
    std::string text;

    // kind (1 group, 0 macro), group index, macro index.
    std::array<std::uint8_t, 3> Descriptor() const {
        return {static_cast<std::uint8_t>(isGroup ? 1 : 0), static_cast<std::uint8_t>(group),
                static_cast<std::uint8_t>(macro)};
    }
};

// The repeat-count box of the macro page.
struct RepeatBox {
    std::string text;
    bool enabled = false;
    bool operator==(const RepeatBox&) const = default;
};

// What the macro page must do after a library command, so that the window only renders.
struct LibraryRefresh {
    bool recordingAbandoned = false;   // stop the recorder without saving (selection change)
    bool stepListEmptied = false;      // the step list was emptied
    bool lightingListEmptied = false;  // the lighting-step list was emptied
    bool treeRebuilt = false;          // Rows() and SelectedRow() changed
    std::optional<int> showMacro;      // show this macro of the open group in the step list
    bool selectFirstStep = false;      // ... and select its first line
    std::optional<RepeatBox> repeatBox;
    std::optional<std::string> rowText;  // the text the edited row shows after a rename
};

// The macro library of the current language: the group list (macroGrp.ini), the names and
// counts of every group's macros, the open group (12 records and the all-zero template), the
// macro tree and the library commands.
//
// The interface thread owns the library. The device threads read the group list, the macro
// counts and single macros through GroupCount(), MacroCount() and ReadMacroEntry(), which are
// safe to call at any time.
class MacroLibrary {
public:
    MacroLibrary(MacroFiles& files, UserNotices& notices, const TextSource& texts, Clock& clock);
    MacroLibrary(const MacroLibrary&) = delete;
    MacroLibrary& operator=(const MacroLibrary&) = delete;

    // Start-up and language change: the folders of the language, ReadGroupList, then the
    // current group opened with load and ReadMacroNames when there is a group.
    void Load(LibraryFolders folders);
    LibraryFolders Folders() const;

    void ReadGroupList();
    Result<void> WriteGroupList();
    // Whether group `index` has its file. With `load` it becomes the open group, read with
    // ReadGroupFile (a missing file shows tip text 5 and leaves the group empty). Indices
    // outside the list answer false and change nothing.
    bool OpenGroup(int index, bool load);
    void ReadMacroNames();
    void RebuildTree();

    // The library as the device threads may read it at any time.
    int GroupCount() const;
    int MacroCount(int group) const;
    MacroRecord ReadMacroEntry(int group, int index) const;
    std::string GroupName(int group) const;
    std::string MacroNameOf(int group, int index) const;  // as ReadMacroNames found it
    std::filesystem::path GroupFile(int group) const;     // empty outside the list

    // The tree.
    const std::vector<MacroTreeRow>& Rows() const { return rows_; }
    int SelectedRow() const { return selectedRow_; }
    bool Expanded(int group) const;
    void SetExpanded(int group, bool expanded);

    // The open group.
    int CurrentGroup() const { return currentGroup_; }
    int CurrentMacro() const { return currentMacro_; }
    void SetCurrentMacro(int index);
    int OpenCount() const { return openCount_; }
    MacroRecord& Record(int index);  // 0..11, or 12 for the all-zero template
    const MacroRecord& Record(int index) const;
    // Record `index` of the open group into the open group's file, macroNum = OpenCount().
    Result<void> WriteMacroEntry(int index);
    // A record held elsewhere (the macro a button played) into the file of `group`; the file
    // keeps its own macroNum. Safe to call from the device threads.
    Result<void> WriteMacroEntry(const MacroRecord& record, int group, int index);

    // Commands of the macro page.
    LibraryRefresh NewGroup();
    LibraryRefresh NewMacro();
    LibraryRefresh DeleteGroup();
    LibraryRefresh DeleteMacro();
    // Commit of the tree's in-place edit of `row` (-1: no row).
    LibraryRefresh Rename(int row, std::string_view typed);
    LibraryRefresh ResetAllGroups();
    // The tree's selection change; `repeatBoxText` is what the repeat-count box shows.
    LibraryRefresh SelectRow(int row, std::string_view repeatBoxText);

    // Building blocks of import: a group whose file is already in the macro folder appended to
    // the list and opened; a macro appended to a group under a unique name.
    LibraryRefresh AppendGroup(const std::string& name);
    LibraryRefresh AppendMacro(int group, const MacroRecord& record);

    // The save-all step. Apply captures the open group on the interface thread; the save-all
    // worker then writes what was captured, so it never reads records the interface thread
    // is editing. Nothing is captured unless a row of the tree is selected.
    void PrepareSaveAll();
    Result<void> SaveOpenGroup();
    // Makes SaveOpenGroup the macro-group step of `config`'s SaveAll.
    void ConnectSaveAll(ConfigFiles& config);

private:
    struct GroupIndex {
        LibraryFolders folders;
        int count = 0;
        std::array<std::string, kMaxMacroGroups> names;
        std::array<int, kMaxMacroGroups> macroCounts{};
        std::array<std::array<std::string, kMaxGroupMacros>, kMaxMacroGroups> macroNames;
    };
    struct SavedGroup {
        std::filesystem::path file;
        std::vector<MacroRecord> records;
    };

    // Changes of the group index, under the lock the device threads read it with.
    template <class F>
    void EditIndex(F&& edit) {
        std::lock_guard lock(indexMutex_);
        edit(index_);
    }
    std::filesystem::path FileOf(const GroupIndex& index, int group) const;
    std::vector<std::string> OpenNames() const;
    void ClearOpenGroup();
    void RemoveGroupAt(int group);
    bool LoadIntoOpenGroup(int group);
    // A macro just added to the open group at `macro`: written to the group file, then shown
    // selected in its expanded group.
    LibraryRefresh ShowAddedMacro(int group, int macro, LibraryRefresh refresh);
    const MacroTreeRow* RowAt(int row) const;
    int RowOf(int group, int macro) const;
    bool ResetFolderIsSafe() const;
    static bool FileExists(const std::filesystem::path& file);
    std::string DefaultName(int textIndex) const;
    LibraryRefresh RenameGroup(int group, std::string_view typed);
    LibraryRefresh RenameMacro(int group, int macro, std::string_view typed);

    MacroFiles& files_;
    UserNotices& notices_;
    const TextSource& texts_;
    Clock& clock_;

    mutable std::mutex indexMutex_;
    GroupIndex index_;  // written under indexMutex_; the interface thread reads it freely

    std::array<bool, kMaxMacroGroups> expanded_{};
    std::vector<MacroTreeRow> rows_;
    int selectedRow_ = -1;
    int currentGroup_ = 0;
    int currentMacro_ = 0;
    int openCount_ = 0;
    std::array<MacroRecord, kMaxGroupMacros + 1> open_{};

    std::mutex saveMutex_;
    std::optional<SavedGroup> pendingSave_;
};

}  // namespace novu
