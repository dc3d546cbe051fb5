#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "base/file_io.h"
#include "base/profile_document.h"
#include "base/result.h"

namespace novu {

// The private-profile functions every settings, macro, skin and language file goes through.
//
// Reads follow the platform's rules: a missing file or key reads as the default, and a value
// is cut to the caller's buffer size minus one character, counted in UTF-16 code units as the
// platform counts them (never splitting a character). Writes replace a value in place, append
// a key at the end of its section or a section at the end of the file, and keep every other
// line as it was.
//
// Unlike the platform functions this layer never loses data: every write replaces the file
// atomically and reports failure, and writes from several threads are serialised. Parsed
// files are cached by path, size and modification time, so a profile load of hundreds of keys
// parses its file once; a file modified within the clock granularity of the file system is
// compared by content before its cached parse is trusted.
class IniFiles {
public:
    explicit IniFiles(AtomicWriteHooks hooks = {});

    using Document = std::shared_ptr<const ProfileDocument>;

    // The parsed file, or null when it does not exist. The snapshot stays valid and
    // unchanged while the file is written.
    Document Open(const std::filesystem::path& path) const;

    bool Exists(const std::filesystem::path& path) const;

    // GetPrivateProfileString: `bufferChars` is the caller's buffer size in characters.
    std::string GetString(const std::filesystem::path& path, std::string_view section,
                          std::string_view key, std::string_view defaultValue,
                          std::size_t bufferChars) const;
    // The value read as GetString does, converted by the text-to-integer rule.
    std::int32_t GetNumber(const std::filesystem::path& path, std::string_view section,
                           std::string_view key, std::size_t bufferChars) const;

    // WritePrivateProfileString of one value.
    Result<void> WriteString(const std::filesystem::path& path, std::string_view section,
                             std::string_view key, std::string_view value);
    // A value written with "%d".
    Result<void> WriteNumber(const std::filesystem::path& path, std::string_view section,
                             std::string_view key, std::int64_t value);

    // Several writes to one file as one atomic replacement. The file ends exactly as the same
    // writes made one by one would leave it.
    class Batch {
    public:
        void Set(std::string_view section, std::string_view key, std::string_view value);
        void SetNumber(std::string_view section, std::string_view key, std::int64_t value);

    private:
        friend class IniFiles;
        explicit Batch(ProfileDocument& doc) : doc_(doc) {}
        ProfileDocument& doc_;
        bool changed_ = false;
        std::string invalid_;  // first name or value that cannot be stored, if any
    };
    Result<void> Update(const std::filesystem::path& path,
                        const std::function<void(Batch&)>& edits);

    // Forgets a cached file (after it was copied over or deleted by other means).
    void Invalidate(const std::filesystem::path& path);

    // How many times a file was parsed since construction (for benchmarks and tests).
    std::uint64_t ParseCount() const;

private:
    struct FileStamp {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type modified{};
        bool operator==(const FileStamp&) const = default;
    };
    struct CacheEntry {
        FileStamp stamp;
        std::string bytes;
        Document document;
    };

    static std::optional<FileStamp> Stamp(const std::filesystem::path& path);
    Document Load(const std::filesystem::path& path) const;
    void Remember(const std::filesystem::path& path, std::string bytes, Document document) const;

    AtomicWriteHooks hooks_;
    mutable std::mutex cacheMutex_;
    mutable std::map<std::filesystem::path, CacheEntry> cache_;
    mutable std::uint64_t parseCount_ = 0;
    std::mutex writeMutex_;  // one read-modify-write at a time
};

}  // namespace novu
