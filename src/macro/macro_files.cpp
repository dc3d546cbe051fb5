#include "macro/macro_files.h"

#include <algorithm>

#include "base/text.h"
#include "macro/macro_codec.h"

namespace novu {

namespace {

// The file system stamps modification times from a coarse clock, so a stamp younger than
// this does not prove that the content is unchanged.
constexpr auto kStampGranularity = std::chrono::seconds(2);

// DAT_VER and macroNum are read into a buffer of three characters: at most two digits.
constexpr std::size_t kSmallNumberChars = 2;

int SmallNumber(const ProfileDocument* document, std::string_view section, std::string_view key) {
    if (document == nullptr) {
        return 0;
    }
    const std::string_view value = document->Find(section, key).value_or(std::string_view{});
    return ParseDecimal(TruncateToUtf16Units(value, kSmallNumberChars));
}

int LimitedCount(int macroNum) {
    return std::clamp(macroNum, 0, kMaxGroupMacros);
}

std::string_view EntryText(const ProfileDocument& document, std::string_view key) {
    return document.Find(macro_file::kMacros, key).value_or(std::string_view{});
}

}  // namespace

MacroFiles::MacroFiles(IniFiles& ini, MacVkAndText keys) : ini_(ini), keys_(std::move(keys)) {}

Result<void> MacroFiles::WriteMacroEntry(const MacroRecord& record,
                                         const std::filesystem::path& file, int index,
                                         std::optional<int> macroNum) {
    if (index < 0) {
        return MakeError(Fault::Caller, "a macro entry index cannot be negative");
    }
    const std::string text = EncodeMacro(record, Layout());
    auto written = ini_.Update(file, [&](IniFiles::Batch& batch) {
        batch.SetNumber(macro_file::kInit, macro_file::kDatVer, kMacroFileVersion);
        if (macroNum) {
            batch.SetNumber(macro_file::kMacros, macro_file::kMacroNum, *macroNum);
        }
        batch.Set(macro_file::kMacros, FormatDecimal(index), text);
    });
    DropNames(file);
    return written;
}

Result<void> MacroFiles::WriteMacroEntryKeepingCount(const MacroRecord& record,
                                                     const std::filesystem::path& file, int index) {
    if (index < 0 || index >= kMaxGroupMacros) {
        return MakeError(Fault::Caller, "a group holds macros 0..11 only");
    }
    return WriteMacroEntry(record, file, index, std::max(ReadMacroNum(file), index + 1));
}

Result<void> MacroFiles::WriteGroupFile(const std::filesystem::path& file,
                                        std::span<const MacroRecord> records) {
    std::vector<std::string> texts;
    texts.reserve(records.size());
    for (const MacroRecord& record : records) {
        texts.push_back(EncodeMacro(record, Layout()));
    }
    auto written = ini_.Update(file, [&](IniFiles::Batch& batch) {
        batch.SetNumber(macro_file::kInit, macro_file::kDatVer, kMacroFileVersion);
        batch.SetNumber(macro_file::kMacros, macro_file::kMacroNum,
                        static_cast<std::int64_t>(records.size()));
        for (std::size_t i = 0; i < texts.size(); ++i) {
            batch.Set(macro_file::kMacros, FormatDecimal(static_cast<std::int64_t>(i)), texts[i]);
        }
    });
    DropNames(file);
    return written;
}

GroupFileContent MacroFiles::ReadGroupFile(const std::filesystem::path& file, int capacity) const {
    GroupFileContent content;
    const IniFiles::Document document = ini_.Open(file);
    if (!document) {
        return content;
    }
    content.found = true;
    content.datVer = SmallNumber(document.get(), macro_file::kInit, macro_file::kDatVer);
    const int count = std::clamp(
        SmallNumber(document.get(), macro_file::kMacros, macro_file::kMacroNum), 0, capacity);
    const int layout = Layout();
    for (int i = 0; i < count; ++i) {
        content.records.push_back(
            DecodeMacro(EntryText(*document, FormatDecimal(i)), content.datVer, layout));
    }
    return content;
}

MacroRecord MacroFiles::ReadMacroEntry(const std::filesystem::path& file, int index) const {
    const IniFiles::Document document = ini_.Open(file);
    if (!document || index < 0 ||
        index >=
            LimitedCount(SmallNumber(document.get(), macro_file::kMacros, macro_file::kMacroNum))) {
        return MacroRecord{};
    }
    const int datVer = SmallNumber(document.get(), macro_file::kInit, macro_file::kDatVer);
    return DecodeMacro(EntryText(*document, FormatDecimal(index)), datVer, Layout());
}

MacroRecord MacroFiles::ReadMacroKey(const std::filesystem::path& file,
                                     std::string_view key) const {
    const IniFiles::Document document = ini_.Open(file);
    if (!document) {
        return MacroRecord{};
    }
    const int datVer = SmallNumber(document.get(), macro_file::kInit, macro_file::kDatVer);
    return DecodeMacro(EntryText(*document, key), datVer, Layout());
}

int MacroFiles::ReadDatVer(const std::filesystem::path& file) const {
    return SmallNumber(ini_.Open(file).get(), macro_file::kInit, macro_file::kDatVer);
}

int MacroFiles::ReadMacroNum(const std::filesystem::path& file) const {
    return SmallNumber(ini_.Open(file).get(), macro_file::kMacros, macro_file::kMacroNum);
}

std::optional<MacroFiles::Stamp> MacroFiles::StampOf(const std::filesystem::path& file) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec) {
        return std::nullopt;
    }
    const auto modified = std::filesystem::last_write_time(file, ec);
    if (ec) {
        return std::nullopt;
    }
    return Stamp{size, modified};
}

GroupMacroNames MacroFiles::DecodeNames(const ProfileDocument& document) {
    GroupMacroNames result;
    const int macroNum = SmallNumber(&document, macro_file::kMacros, macro_file::kMacroNum);
    if (macroNum <= 0 || macroNum > kMaxGroupMacros) {
        return result;
    }
    result.count = macroNum;
    for (int i = 0; i < macroNum; ++i) {
        result.names[static_cast<std::size_t>(i)] =
            Utf16ToUtf8(DecodeMacroName(EntryText(document, FormatDecimal(i))));
    }
    return result;
}

GroupMacroNames MacroFiles::ReadMacroNames(const std::filesystem::path& file) const {
    const auto stamp = StampOf(file);
    if (!stamp) {
        std::lock_guard lock(namesMutex_);
        names_.erase(file.native());
        return {};
    }
    const bool settled =
        std::filesystem::file_time_type::clock::now() - stamp->modified > kStampGranularity;
    {
        std::lock_guard lock(namesMutex_);
        const auto it = names_.find(file.native());
        if (it != names_.end() && it->second.stamp == *stamp && settled) {
            return it->second.names;
        }
    }
    // The parsed file is shared with every other reader; the same snapshot as before means
    // the same content, verified by the file layer.
    IniFiles::Document document = ini_.Open(file);
    if (!document) {
        return {};
    }
    std::lock_guard lock(namesMutex_);
    auto it = names_.find(file.native());
    if (it != names_.end() && it->second.document == document) {
        it->second.stamp = *stamp;
        return it->second.names;
    }
    ++nameDecodes_;
    GroupMacroNames names = DecodeNames(*document);
    names_[file.native()] = NamesEntry{*stamp, std::move(document), names};
    return names;
}

Result<void> MacroFiles::WriteMacroFile(const MacroRecord& record,
                                        const std::filesystem::path& file) {
    auto written = ini_.WriteString(file, macro_file::kMacros, macro_file::kMacro,
                                    EncodeMacro(record, Layout()));
    DropNames(file);
    return written;
}

MacroRecord MacroFiles::ReadMacroFile(const std::filesystem::path& file) const {
    const IniFiles::Document document = ini_.Open(file);
    if (!document) {
        return MacroRecord{};
    }
    return DecodeMacro(EntryText(*document, macro_file::kMacro), kMacroFileVersion, Layout());
}

void MacroFiles::DropNames(const std::filesystem::path& file) {
    std::lock_guard lock(namesMutex_);
    names_.erase(file.native());
}

void MacroFiles::Forget(const std::filesystem::path& file) {
    ini_.Invalidate(file);
    DropNames(file);
}

void MacroFiles::ForgetAll() {
    std::lock_guard lock(namesMutex_);
    for (const auto& [file, entry] : names_) {
        ini_.Invalidate(file);
    }
    names_.clear();
}

std::uint64_t MacroFiles::NameDecodeCount() const {
    std::lock_guard lock(namesMutex_);
    return nameDecodes_;
}

}  // namespace novu
