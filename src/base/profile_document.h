#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/text_file.h"

namespace novu {

// One private-profile (INI) file in memory, with the lookup and replacement rules of the
// platform's profile functions: section and key names compared without regard to case,
// blanks around names and values ignored, the first matching section and key win. Every
// line is kept as it was found, with its own line ending, so a write changes only the line it
// replaces or the lines it adds.
class ProfileDocument {
public:
    // A new, empty file: UTF-8 with CRLF line ends.
    ProfileDocument();
    static ProfileDocument Parse(std::string_view fileBytes);

    // The value of `key` in `section`: blanks around it removed and one pair of matching
    // quotes stripped, as the platform reads it. Empty when the section or key is missing.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;
    // Every key of `section` in file order (for sections whose keys are not known up front).
    std::vector<std::string> Keys(std::string_view section) const;

    // Replaces the value in place, or appends the key at the end of its section, or appends
    // the section at the end of the file. Returns whether the file content changed.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    // The file's bytes, in the encoding it was read in.
    std::string Serialize() const;
    TextEncoding Encoding() const { return encoding_; }

private:
    struct Line {
        std::string text;
        std::string ending;  // "\r\n", "\n" or empty for an unterminated last line
    };
    struct Section {
        std::size_t header = 0;       // line index of "[name]"
        std::size_t lastContent = 0;  // last non-blank, non-comment line of the section
        std::unordered_map<std::string, std::size_t> keys;  // lower-case name -> line
    };

    void Reindex();
    const Section* FindSection(std::string_view section) const;

    std::vector<Line> lines_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    std::string newline_ = "\r\n";
    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> sectionByName_;  // lower-case -> first
};

}  // namespace novu
