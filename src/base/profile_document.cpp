#include "base/profile_document.h"

#include "base/text.h"

namespace novu {

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

bool IsComment(std::string_view trimmed) {
    return trimmed.starts_with(';');
}

// "[name]" -> name; nullopt when the line is not a section header.
std::optional<std::string_view> SectionName(std::string_view trimmed) {
    if (!trimmed.starts_with('[')) {
        return std::nullopt;
    }
    const std::size_t close = trimmed.find(']');
    const std::string_view inner =
        trimmed.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
    return TrimBlanks(inner);
}

std::string_view KeyName(std::string_view trimmed) {
    return TrimBlanks(trimmed.substr(0, trimmed.find('=')));
}

}  // namespace

ProfileDocument::ProfileDocument() = default;

ProfileDocument ProfileDocument::Parse(std::string_view fileBytes) {
    ProfileDocument doc;
    DecodedText decoded = DecodeTextFile(fileBytes);
    doc.encoding_ = decoded.encoding;
    const std::string_view text = decoded.utf8;
    bool sawEnding = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t lf = text.find('\n', pos);
        Line line;
        if (lf == std::string_view::npos) {
            line.text = std::string(text.substr(pos));
            pos = text.size();
        } else {
            const bool crlf = lf > pos && text[lf - 1] == '\r';
            line.text = std::string(text.substr(pos, lf - pos - (crlf ? 1 : 0)));
            line.ending = crlf ? "\r\n" : "\n";
            if (!sawEnding) {
                doc.newline_ = line.ending;  // the file's own style for lines we add
                sawEnding = true;
            }
            pos = lf + 1;
        }
        doc.lines_.push_back(std::move(line));
    }
    doc.Reindex();
    return doc;
}

void ProfileDocument::Reindex() {
    sections_.clear();
    sectionByName_.clear();
    Section* current = nullptr;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view trimmed = TrimBlanks(lines_[i].text);
        if (auto name = SectionName(trimmed)) {
            sections_.push_back(Section{i, i, {}});
            sectionByName_.try_emplace(Lower(*name), sections_.size() - 1);
            current = &sections_.back();
            continue;
        }
        if (current == nullptr || trimmed.empty() || IsComment(trimmed)) {
            continue;
        }
        current->lastContent = i;
        current->keys.try_emplace(Lower(KeyName(trimmed)), i);
    }
}

const ProfileDocument::Section* ProfileDocument::FindSection(std::string_view section) const {
    const auto it = sectionByName_.find(Lower(TrimBlanks(section)));
    return it == sectionByName_.end() ? nullptr : &sections_[it->second];
}

bool ProfileDocument::HasSection(std::string_view section) const {
    return FindSection(section) != nullptr;
}

std::optional<std::string_view> ProfileDocument::Find(std::string_view section,
                                                      std::string_view key) const {
    const Section* found = FindSection(section);
    if (found == nullptr) {
        return std::nullopt;
    }
    const auto it = found->keys.find(Lower(TrimBlanks(key)));
    if (it == found->keys.end()) {
        return std::nullopt;
    }
    const std::string_view line = lines_[it->second].text;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        return std::string_view{};
    }
    std::string_view value = TrimBlanks(line.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

std::vector<std::string> ProfileDocument::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    const Section* found = FindSection(section);
    if (found == nullptr) {
        return keys;
    }
    for (std::size_t i = found->header + 1; i <= found->lastContent && i < lines_.size(); ++i) {
        const std::string_view trimmed = TrimBlanks(lines_[i].text);
        if (!trimmed.empty() && !IsComment(trimmed)) {
            keys.emplace_back(KeyName(trimmed));
        }
    }
    return keys;
}

bool ProfileDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    const auto newLine = [&](std::string text) { return Line{std::move(text), newline_}; };
    // A last line without its line end gets one before anything is appended after it.
    const auto terminateLast = [&] {
        if (!lines_.empty() && lines_.back().ending.empty()) {
            lines_.back().ending = newline_;
        }
    };

    const Section* found = FindSection(section);
    if (found == nullptr) {
        terminateLast();
        lines_.push_back(newLine("[" + std::string(section) + "]"));
        lines_.push_back(newLine(std::string(key) + "=" + std::string(value)));
        Reindex();
        return true;
    }
    const auto it = found->keys.find(Lower(key));
    if (it != found->keys.end()) {
        // An unchanged value keeps the line exactly as the user formatted it.
        if (Find(section, key) == value) {
            return false;
        }
        Line& line = lines_[it->second];
        line.text = std::string(KeyName(TrimBlanks(line.text))) + "=" + std::string(value);
        return true;
    }
    const std::size_t at = found->lastContent + 1;
    if (at == lines_.size()) {
        terminateLast();
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                  newLine(std::string(key) + "=" + std::string(value)));
    Reindex();
    return true;
}

std::string ProfileDocument::Serialize() const {
    std::string text;
    for (const Line& line : lines_) {
        text += line.text;
        text += line.ending;
    }
    return EncodeTextFile(text, encoding_);
}

}  // namespace novu
