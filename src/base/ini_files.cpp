#include "base/ini_files.h"

#include <chrono>

#include "base/text.h"

namespace novu {

namespace {

// File systems stamp modification times from a coarse clock (a few milliseconds on Linux),
// so two writes of the same size close together can leave the same stamp. Stamps younger
// than this are not trusted alone.
constexpr auto kStampGranularity = std::chrono::seconds(2);

bool IsStorable(std::string_view text) {
    return text.find_first_of("\r\n") == text.npos;
}

bool IsStorableName(std::string_view name) {
    return IsStorable(name) && name.find_first_of("[]=") == name.npos && !TrimBlanks(name).empty();
}

}  // namespace

IniFiles::IniFiles(AtomicWriteHooks hooks) : hooks_(std::move(hooks)) {}

std::optional<IniFiles::FileStamp> IniFiles::Stamp(const std::filesystem::path& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        return std::nullopt;
    }
    const auto modified = std::filesystem::last_write_time(path, ec);
    if (ec) {
        return std::nullopt;
    }
    return FileStamp{size, modified};
}

void IniFiles::Remember(const std::filesystem::path& path, std::string bytes,
                        Document document) const {
    const auto stamp = Stamp(path);
    std::lock_guard lock(cacheMutex_);
    if (stamp) {
        cache_[path] = CacheEntry{*stamp, std::move(bytes), std::move(document)};
    } else {
        cache_.erase(path);
    }
}

IniFiles::Document IniFiles::Load(const std::filesystem::path& path) const {
    const auto stamp = Stamp(path);
    if (!stamp) {
        std::lock_guard lock(cacheMutex_);
        cache_.erase(path);
        return nullptr;
    }
    const bool settled =
        std::filesystem::file_time_type::clock::now() - stamp->modified > kStampGranularity;
    {
        std::lock_guard lock(cacheMutex_);
        const auto it = cache_.find(path);
        if (it != cache_.end() && it->second.stamp == *stamp && settled) {
            return it->second.document;
        }
    }
    auto bytes = ReadWholeFile(path);
    if (!bytes) {
        return nullptr;
    }
    {
        std::lock_guard lock(cacheMutex_);
        const auto it = cache_.find(path);
        if (it != cache_.end() && it->second.bytes == *bytes) {
            it->second.stamp = *stamp;
            return it->second.document;
        }
        ++parseCount_;
    }
    auto document = std::make_shared<const ProfileDocument>(ProfileDocument::Parse(*bytes));
    std::lock_guard lock(cacheMutex_);
    cache_[path] = CacheEntry{*stamp, std::move(*bytes), document};
    return document;
}

IniFiles::Document IniFiles::Open(const std::filesystem::path& path) const {
    return Load(path);
}

bool IniFiles::Exists(const std::filesystem::path& path) const {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::string IniFiles::GetString(const std::filesystem::path& path, std::string_view section,
                                std::string_view key, std::string_view defaultValue,
                                std::size_t bufferChars) const {
    std::string_view value = defaultValue;
    const Document document = Load(path);
    if (document) {
        if (auto found = document->Find(section, key)) {
            value = *found;
        }
    }
    return std::string(TruncateToUtf16Units(value, bufferChars == 0 ? 0 : bufferChars - 1));
}

std::int32_t IniFiles::GetNumber(const std::filesystem::path& path, std::string_view section,
                                 std::string_view key, std::size_t bufferChars) const {
    return ParseDecimal(GetString(path, section, key, "", bufferChars));
}

void IniFiles::Batch::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (!IsStorableName(section) || !IsStorableName(key) || !IsStorable(value)) {
        if (invalid_.empty()) {
            invalid_.append("[").append(section).append("] ").append(key);
        }
        return;
    }
    changed_ = doc_.Set(section, key, value) || changed_;
}

void IniFiles::Batch::SetNumber(std::string_view section, std::string_view key,
                                std::int64_t value) {
    Set(section, key, FormatDecimal(value));
}

Result<void> IniFiles::Update(const std::filesystem::path& path,
                              const std::function<void(Batch&)>& edits) {
    std::lock_guard writeLock(writeMutex_);
    const Document current = Load(path);
    if (!current && Exists(path)) {
        return MakeError(Fault::File, "cannot read " + path.string());
    }
    ProfileDocument document = current ? *current : ProfileDocument();
    Batch batch(document);
    edits(batch);
    if (!batch.invalid_.empty()) {
        return MakeError(Fault::Caller,
                         "a name or value with a line break or bracket cannot be "
                         "stored: " +
                             batch.invalid_);
    }
    if (!batch.changed_ && current) {
        return Ok();
    }
    std::string bytes = document.Serialize();
    if (auto written = WriteFileAtomically(path, bytes, &hooks_); !written) {
        return written;
    }
    Remember(path, std::move(bytes), std::make_shared<const ProfileDocument>(std::move(document)));
    return Ok();
}

Result<void> IniFiles::WriteString(const std::filesystem::path& path, std::string_view section,
                                   std::string_view key, std::string_view value) {
    // Writing what the file already holds (a device thread saving the DPI level at every
    // click) costs a cached look-up instead of a copy of the whole document.
    if (IsStorableName(section) && IsStorableName(key)) {
        if (const Document current = Load(path);
            current && current->Find(TrimBlanks(section), TrimBlanks(key)) == value) {
            return Ok();
        }
    }
    return Update(path, [&](Batch& batch) { batch.Set(section, key, value); });
}

Result<void> IniFiles::WriteNumber(const std::filesystem::path& path, std::string_view section,
                                   std::string_view key, std::int64_t value) {
    return WriteString(path, section, key, FormatDecimal(value));
}

void IniFiles::Invalidate(const std::filesystem::path& path) {
    std::lock_guard lock(cacheMutex_);
    cache_.erase(path);
}

std::uint64_t IniFiles::ParseCount() const {
    std::lock_guard lock(cacheMutex_);
    return parseCount_;
}

}  // namespace novu
