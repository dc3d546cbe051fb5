#pragma once

#include <array>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/ini_files.h"
#include "base/result.h"
#include "input/key_codes.h"
#include "macro/macro_record.h"

namespace novu {

// The most macros a group file holds.
constexpr int kMaxGroupMacros = 12;

// Names of the sections and keys of macro files.
namespace macro_file {
constexpr std::string_view kInit = "Init";
constexpr std::string_view kDatVer = "DAT_VER";
constexpr std::string_view kMacros = "Macros";
constexpr std::string_view kMacroNum = "macroNum";
constexpr std::string_view kMacro = "Macro";  // the one entry of a single-macro file
}  // namespace macro_file

// A whole group file as read.
struct GroupFileContent {
    bool found = false;                // the file exists
    int datVer = 0;                    // its DAT_VER (decides the header length of its entries)
    std::vector<MacroRecord> records;  // entries 0..macroNum-1, at most as many as asked for
};

// The macro names of one group file.
struct GroupMacroNames {
    int count = 0;  // macroNum; 0 when the file is missing or claims more than 12 macros
    std::array<std::string, kMaxGroupMacros> names;  // UTF-8, empty from `count` on
};

// Reading and writing macro group files (".dat": Init/DAT_VER, Macros/macroNum and one byte
// string per macro) and single-macro files (".sdat": Macros/Macro). Every write is one atomic
// replacement of the file that keeps the keys it does not write. Key codes are converted for
// the layout that `keys` names at the time of the call. Safe to use from several threads.
class MacroFiles {
public:
    MacroFiles(IniFiles& ini, MacVkAndText keys);

    IniFiles& Ini() { return ini_; }
    int Layout() const { return keys_.LanguageIndex(); }

    // DAT_VER = 3, macroNum = `macroNum` (left as it is when not given) and the record under
    // the key `index`.
    Result<void> WriteMacroEntry(const MacroRecord& record, const std::filesystem::path& file,
                                 int index, std::optional<int> macroNum);
    // The same, for a writer that does not hold the group open: macroNum keeps the file's own
    // value (raised to cover `index`), so another group's count can never cut this file short.
    Result<void> WriteMacroEntryKeepingCount(const MacroRecord& record,
                                             const std::filesystem::path& file, int index);
    // DAT_VER, macroNum = the number of records and the entries 0..n-1. Entries the file holds
    // beyond them stay; macroNum hides them from every reader.
    Result<void> WriteGroupFile(const std::filesystem::path& file,
                                std::span<const MacroRecord> records);

    // The entries below macroNum, at most `capacity` of them (a group holds 12, the built-in
    // table 13).
    GroupFileContent ReadGroupFile(const std::filesystem::path& file,
                                   int capacity = kMaxGroupMacros) const;
    // Entry `index` of the file; all-zero when the file is missing or `index` is not below its
    // macroNum (limited to 12).
    MacroRecord ReadMacroEntry(const std::filesystem::path& file, int index) const;
    // The entry under any key, whatever macroNum says (all-zero when there is none).
    MacroRecord ReadMacroKey(const std::filesystem::path& file, std::string_view key) const;
    // DAT_VER and macroNum as readers take them: at most two characters each.
    int ReadDatVer(const std::filesystem::path& file) const;
    int ReadMacroNum(const std::filesystem::path& file) const;

    // The names of a group file without decoding its macros. Decoded names are kept per file
    // and reused while the file's size and modification time are unchanged (a file changed
    // within the file system's clock granularity is compared by content), so opening a menu
    // over an unchanged library decodes and parses nothing.
    GroupMacroNames ReadMacroNames(const std::filesystem::path& file) const;

    Result<void> WriteMacroFile(const MacroRecord& record, const std::filesystem::path& file);
    // A file without the key gives an all-zero record.
    MacroRecord ReadMacroFile(const std::filesystem::path& file) const;

    // Forgets what is known of a file that was copied, moved or deleted by other means.
    void Forget(const std::filesystem::path& file);
    void ForgetAll();

    // How many group files had their names decoded since construction (for benchmarks and
    // tests of the cache).
    std::uint64_t NameDecodeCount() const;

private:
    struct Stamp {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type modified{};
        bool operator==(const Stamp&) const = default;
    };
    struct NamesEntry {
        Stamp stamp;
        IniFiles::Document document;
        GroupMacroNames names;
    };

    static std::optional<Stamp> StampOf(const std::filesystem::path& file);
    static GroupMacroNames DecodeNames(const ProfileDocument& document);
    void DropNames(const std::filesystem::path& file);

    IniFiles& ini_;
    MacVkAndText keys_;
    mutable std::mutex namesMutex_;
    mutable std::unordered_map<std::string, NamesEntry> names_;  // by native path
    mutable std::uint64_t nameDecodes_ = 0;
};

}  // namespace novu
