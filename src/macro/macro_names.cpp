#include "macro/macro_names.h"

#include <algorithm>
#include <array>
#include <vector>

#include "base/text.h"

namespace novu {

namespace {

bool IsAllDigits16(std::u16string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

int DigitsValue(std::u16string_view digits) {
    int value = 0;
    for (const char16_t c : digits) {
        value = value * 10 + (c - u'0');
    }
    return value;
}

// The two digits the system appends ("%02d").
std::u16string Number(int value) {
    std::string text = FormatDecimal(value);
    if (text.size() < 2) {
        text.insert(0, 2 - text.size(), '0');
    }
    return Utf8ToUtf16(text);
}

std::u16string CutUnits(std::u16string_view text, std::size_t maxUnits) {
    std::size_t length = std::min(text.size(), maxUnits);
    if (length < text.size() && length > 0 && text[length - 1] >= 0xD800 &&
        text[length - 1] <= 0xDBFF) {
        --length;
    }
    return std::u16string(text.substr(0, length));
}

struct Split {
    std::u16string_view stem;
    std::u16string_view suffix;
};

Split SplitSuffix(std::u16string_view text) {
    const std::size_t cut = text.size() >= 2 ? text.size() - 2 : 0;
    return {text.substr(0, cut), text.substr(cut)};
}

bool IsReservedDeviceName(std::string_view name) {
    static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
    // Windows ignores what follows the first dot, and blanks before it.
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') {
        base.remove_suffix(1);
    }
    for (const std::string_view reserved : kPlain) {
        if (EqualsIgnoreCase(base, reserved)) {
            return true;
        }
    }
    if (base.size() == 4 && (EqualsIgnoreCase(base.substr(0, 3), "COM") ||
                             EqualsIgnoreCase(base.substr(0, 3), "LPT"))) {
        return base[3] >= '0' && base[3] <= '9';
    }
    return false;
}

}  // namespace

std::string UniqueName(std::string_view name, std::span<const std::string> names, int own,
                       int count, std::size_t maxUnits) {
    const std::u16string wanted = Utf8ToUtf16(name);
    const Split parts = SplitSuffix(wanted);
    const bool numbered = wanted.size() >= 3 && IsAllDigits16(parts.suffix);
    // Entries numbered like the name: the same stem when the name is numbered itself, else
    // the whole name as their stem.
    const std::u16string_view family = numbered ? parts.stem : std::u16string_view(wanted);

    const int limit = std::clamp(count, 0, static_cast<int>(names.size()));
    std::vector<std::u16string> others;
    bool taken = false;
    int largest = 1;
    for (int i = 0; i < limit; ++i) {
        if (i == own) {
            continue;
        }
        std::u16string entry = Utf8ToUtf16(names[static_cast<std::size_t>(i)]);
        taken = taken || entry == wanted;
        const Split theirs = SplitSuffix(entry);
        if (entry.size() > 2 && theirs.stem == family && IsAllDigits16(theirs.suffix)) {
            largest = std::max(largest, DigitsValue(theirs.suffix));
        }
        others.push_back(std::move(entry));
    }
    if (!taken) {
        return std::string(name);
    }
    const auto candidate = [&](int number) {
        const std::u16string digits = Number(number);
        const std::size_t room = maxUnits > digits.size() ? maxUnits - digits.size() : 0;
        return CutUnits(family, room) + digits;
    };
    int number = largest + 1;
    std::u16string result = candidate(number);
    // Only a cut stem can meet an existing name; a few numbers further on is always free.
    while (std::find(others.begin(), others.end(), result) != others.end()) {
        result = candidate(++number);
    }
    return Utf16ToUtf8(result);
}

std::string CutName(std::string_view name, std::size_t maxUnits) {
    return std::string(TruncateToUtf16Units(name, maxUnits));
}

bool IsValidGroupName(std::string_view name) {
    if (name.empty() || Utf16Length(name) > kMaxGroupNameLength) {
        return false;
    }
    if (Utf16ToUtf8(Utf8ToUtf16(name)) != name) {
        return false;  // malformed UTF-8 cannot name a file portably
    }
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            return false;
        }
        if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) {
            return false;
        }
    }
    if (name.find("..") != std::string_view::npos) {
        return false;
    }
    if (name.back() == '.' || name.back() == ' ') {
        return false;
    }
    // The group list must give the name back as written: its reader drops blanks around a
    // value and one pair of enclosing quotes.
    if (name.front() == ' ' || (name.size() >= 2 && name.front() == '\'' && name.back() == '\'')) {
        return false;
    }
    return !IsReservedDeviceName(name);
}

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {reinterpret_cast<const char*>(text.data()), text.size()};
}

}  // namespace novu
