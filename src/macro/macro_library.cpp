#include "macro/macro_library.h"

#include <algorithm>

#include "base/text.h"
#include "config/config_files.h"
#include "macro/macro_names.h"

namespace novu {

namespace {

constexpr std::string_view kListNumSection = "MACRO_GROUP_NUM";
constexpr std::string_view kListNumKey = "macGrpNum";
constexpr std::string_view kListNameSection = "MACRO_GROUP_NAME";
constexpr std::size_t kListNumBuffer = 3;    // at most two digits
constexpr std::size_t kListNameBuffer = 60;  // at most 59 characters
// OpenGroup answers "missing" above this index whatever the list holds.
constexpr int kHighestOpenableGroup = 50;

std::filesystem::path Normalised(const std::filesystem::path& folder) {
    std::filesystem::path path = folder.lexically_normal();
    if (!path.has_filename() && path.has_parent_path()) {
        path = path.parent_path();  // "…/macro/" and "…/macro" are the same folder
    }
    return path;
}

}  // namespace

bool MacroLibrary::FileExists(const std::filesystem::path& file) {
    std::error_code ec;
    return !file.empty() && std::filesystem::is_regular_file(file, ec);
}

LibraryFolders LibraryFolders::For(const std::filesystem::path& dataFolder,
                                   std::string_view languageFolderName) {
    const std::filesystem::path language = dataFolder / PathFromUtf8(languageFolderName);
    return {dataFolder, language / "macro", language / "macroReset"};
}

MacroLibrary::MacroLibrary(MacroFiles& files, UserNotices& notices, const TextSource& texts,
                           Clock& clock)
    : files_(files), notices_(notices), texts_(texts), clock_(clock) {}

void MacroLibrary::Load(LibraryFolders folders) {
    folders.dataFolder = Normalised(folders.dataFolder);
    folders.macroFolder = Normalised(folders.macroFolder);
    folders.resetFolder = Normalised(folders.resetFolder);
    EditIndex([&](GroupIndex& index) { index.folders = std::move(folders); });
    currentGroup_ = 0;
    currentMacro_ = 0;
    expanded_.fill(false);
    ReadGroupList();
    if (index_.count > 0) {
        OpenGroup(currentGroup_, true);
        ReadMacroNames();
    } else {
        ClearOpenGroup();
    }
    RebuildTree();
    selectedRow_ = rows_.empty() ? -1 : 0;
}

LibraryFolders MacroLibrary::Folders() const {
    std::lock_guard lock(indexMutex_);
    return index_.folders;
}

std::filesystem::path MacroLibrary::FileOf(const GroupIndex& index, int group) const {
    if (group < 0 || group >= index.count) {
        return {};
    }
    const std::string& name = index.names[static_cast<std::size_t>(group)];
    // Every name is checked where it enters the list; this keeps a file operation from ever
    // leaving the macro folder should one slip through.
    if (!IsValidGroupName(name)) {
        return {};
    }
    return index.folders.macroFolder / PathFromUtf8(name + ".dat");
}

void MacroLibrary::ReadGroupList() {
    IniFiles& ini = files_.Ini();
    const std::filesystem::path listFile = index_.folders.GroupListFile();
    std::vector<std::string> names;
    if (!ini.Exists(listFile)) {
        notices_.ShowTip(macro_tip::kFileMissing);
    } else {
        const int count =
            std::clamp(ini.GetNumber(listFile, kListNumSection, kListNumKey, kListNumBuffer), 0,
                       kMaxMacroGroups);
        for (int i = 0; i < count; ++i) {
            names.push_back(
                ini.GetString(listFile, kListNameSection, FormatDecimal(i), "", kListNameBuffer));
        }
        if (count > 0) {
            currentGroup_ = 0;
        }
    }
    // A group whose file is missing, or whose name could not be its file's name, leaves the
    // list; the file of a refused name is left alone.
    const std::size_t listed = names.size();
    std::erase_if(names, [&](const std::string& name) {
        return !IsValidGroupName(name) ||
               !FileExists(index_.folders.macroFolder / PathFromUtf8(name + ".dat"));
    });
    EditIndex([&](GroupIndex& index) {
        index.count = static_cast<int>(names.size());
        index.names = {};
        std::copy(names.begin(), names.end(), index.names.begin());
        index.macroCounts = {};
        index.macroNames = {};
    });
    if (names.size() != listed) {
        (void)WriteGroupList();  // a failed rewrite only repeats the drop at the next reading
    }
}

Result<void> MacroLibrary::WriteGroupList() {
    return files_.Ini().Update(index_.folders.GroupListFile(), [&](IniFiles::Batch& batch) {
        batch.SetNumber(kListNumSection, kListNumKey, index_.count);
        for (int i = 0; i < kMaxMacroGroups; ++i) {
            batch.Set(kListNameSection, FormatDecimal(i),
                      i < index_.count ? index_.names[static_cast<std::size_t>(i)] : "");
        }
    });
}

void MacroLibrary::ClearOpenGroup() {
    for (MacroRecord& record : open_) {
        ClearMacroRecord(record);
    }
    openCount_ = 0;
}

bool MacroLibrary::LoadIntoOpenGroup(int group) {
    currentGroup_ = group;
    const GroupFileContent content = files_.ReadGroupFile(FileOf(index_, group));
    ClearOpenGroup();
    if (!content.found) {
        notices_.ShowTip(macro_tip::kFileMissing);
        return false;
    }
    std::copy(content.records.begin(), content.records.end(), open_.begin());
    openCount_ = static_cast<int>(content.records.size());
    return true;
}

bool MacroLibrary::OpenGroup(int index, bool load) {
    if (index < 0 || index > kHighestOpenableGroup || index >= index_.count) {
        return false;
    }
    if (load) {
        return LoadIntoOpenGroup(index);
    }
    return FileExists(FileOf(index_, index));
}

void MacroLibrary::ReadMacroNames() {
    std::array<int, kMaxMacroGroups> counts{};
    std::array<std::array<std::string, kMaxGroupMacros>, kMaxMacroGroups> names;
    for (int g = 0; g < index_.count; ++g) {
        const auto i = static_cast<std::size_t>(g);
        GroupMacroNames read = files_.ReadMacroNames(FileOf(index_, g));
        counts[i] = read.count;
        names[i] = std::move(read.names);
    }
    EditIndex([&](GroupIndex& index) {
        index.macroCounts = counts;
        index.macroNames = std::move(names);
    });
}

void MacroLibrary::RebuildTree() {
    rows_.clear();
    for (int g = 0; g < index_.count; ++g) {
        const auto i = static_cast<std::size_t>(g);
        rows_.push_back({true, g, kGroupRowMacro, expanded_[i] ? 1 : 0, index_.names[i]});
        if (!expanded_[i]) {
            continue;
        }
        for (int m = 0; m < index_.macroCounts[i]; ++m) {
            rows_.push_back({false, g, m, 2, index_.macroNames[i][static_cast<std::size_t>(m)]});
        }
    }
    const int last = static_cast<int>(rows_.size()) - 1;
    selectedRow_ = std::min(selectedRow_, last);
}

int MacroLibrary::GroupCount() const {
    std::lock_guard lock(indexMutex_);
    return index_.count;
}

int MacroLibrary::MacroCount(int group) const {
    std::lock_guard lock(indexMutex_);
    if (group < 0 || group >= index_.count) {
        return 0;
    }
    return index_.macroCounts[static_cast<std::size_t>(group)];
}

MacroRecord MacroLibrary::ReadMacroEntry(int group, int index) const {
    const std::filesystem::path file = GroupFile(group);
    if (file.empty()) {
        return MacroRecord{};
    }
    return files_.ReadMacroEntry(file, index);
}

std::string MacroLibrary::GroupName(int group) const {
    std::lock_guard lock(indexMutex_);
    if (group < 0 || group >= index_.count) {
        return {};
    }
    return index_.names[static_cast<std::size_t>(group)];
}

std::string MacroLibrary::MacroNameOf(int group, int index) const {
    std::lock_guard lock(indexMutex_);
    if (group < 0 || group >= index_.count || index < 0 || index >= kMaxGroupMacros) {
        return {};
    }
    return index_.macroNames[static_cast<std::size_t>(group)][static_cast<std::size_t>(index)];
}

std::filesystem::path MacroLibrary::GroupFile(int group) const {
    std::lock_guard lock(indexMutex_);
    return FileOf(index_, group);
}

bool MacroLibrary::Expanded(int group) const {
    return group >= 0 && group < kMaxMacroGroups && expanded_[static_cast<std::size_t>(group)];
}

void MacroLibrary::SetExpanded(int group, bool expanded) {
    if (group >= 0 && group < kMaxMacroGroups) {
        expanded_[static_cast<std::size_t>(group)] = expanded;
    }
}

void MacroLibrary::SetCurrentMacro(int index) {
    currentMacro_ = std::clamp(index, 0, kMaxGroupMacros - 1);
}

MacroRecord& MacroLibrary::Record(int index) {
    return open_.at(static_cast<std::size_t>(index));
}

const MacroRecord& MacroLibrary::Record(int index) const {
    return open_.at(static_cast<std::size_t>(index));
}

Result<void> MacroLibrary::WriteMacroEntry(int index) {
    const std::filesystem::path file = FileOf(index_, currentGroup_);
    if (file.empty() || index < 0 || index >= kMaxGroupMacros) {
        return MakeError(Fault::Caller, "no open group holds macro " + FormatDecimal(index));
    }
    return files_.WriteMacroEntry(open_[static_cast<std::size_t>(index)], file, index, openCount_);
}

Result<void> MacroLibrary::WriteMacroEntry(const MacroRecord& record, int group, int index) {
    const std::filesystem::path file = GroupFile(group);
    if (file.empty()) {
        return MakeError(Fault::Caller, "no group " + FormatDecimal(group));
    }
    return files_.WriteMacroEntryKeepingCount(record, file, index);
}

const MacroTreeRow* MacroLibrary::RowAt(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) {
        return nullptr;
    }
    return &rows_[static_cast<std::size_t>(row)];
}

int MacroLibrary::RowOf(int group, int macro) const {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].group == group && rows_[i].macro == macro) {
            return static_cast<int>(i);
        }
    }
    return rows_.empty() ? -1 : 0;
}

std::vector<std::string> MacroLibrary::OpenNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < kMaxGroupMacros; ++i) {
        names.push_back(Utf16ToUtf8(MacroName(open_[static_cast<std::size_t>(i)])));
    }
    return names;
}

std::string MacroLibrary::DefaultName(int textIndex) const {
    return texts_.Text(TextTable::UniqueName_DevMac, textIndex);
}

void MacroLibrary::RemoveGroupAt(int group) {
    const auto at = static_cast<std::size_t>(group);
    EditIndex([&](GroupIndex& index) {
        std::move(index.names.begin() + static_cast<std::ptrdiff_t>(at) + 1, index.names.end(),
                  index.names.begin() + static_cast<std::ptrdiff_t>(at));
        index.names.back().clear();
        std::move(index.macroCounts.begin() + static_cast<std::ptrdiff_t>(at) + 1,
                  index.macroCounts.end(),
                  index.macroCounts.begin() + static_cast<std::ptrdiff_t>(at));
        index.macroCounts.back() = 0;
        index.count = std::max(index.count - 1, 0);
    });
    // The flags follow their groups, so the groups below keep how they were shown.
    std::move(expanded_.begin() + static_cast<std::ptrdiff_t>(at) + 1, expanded_.end(),
              expanded_.begin() + static_cast<std::ptrdiff_t>(at));
    expanded_.back() = false;
}

void MacroLibrary::PrepareSaveAll() {
    std::optional<SavedGroup> captured;
    const MacroTreeRow* row = RowAt(selectedRow_);
    if (row != nullptr && row->group == currentGroup_) {
        captured =
            SavedGroup{FileOf(index_, currentGroup_), {open_.begin(), open_.begin() + openCount_}};
    }
    std::lock_guard lock(saveMutex_);
    pendingSave_ = std::move(captured);
}

Result<void> MacroLibrary::SaveOpenGroup() {
    std::optional<SavedGroup> saved;
    {
        std::lock_guard lock(saveMutex_);
        saved.swap(pendingSave_);
    }
    if (!saved || saved->file.empty()) {
        return Ok();
    }
    return files_.WriteGroupFile(saved->file, saved->records);
}

void MacroLibrary::ConnectSaveAll(ConfigFiles& config) {
    config.SetOpenGroupSaver([this] { (void)SaveOpenGroup(); });
}

}  // namespace novu
