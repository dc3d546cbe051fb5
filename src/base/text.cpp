#include "base/text.h"

#include <limits>

namespace novu {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsConversionSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// One decoded UTF-8 character: its code point and how many bytes it took. A malformed
// sequence yields one byte decoded as U+FFFD.
struct Decoded {
    char32_t codePoint;
    std::size_t length;
    bool valid;
};

Decoded DecodeUtf8(std::string_view text, std::size_t pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const unsigned char lead = byte(0);
    const Decoded invalid{0xFFFD, 1, false};
    if (lead < 0x80) {
        return {lead, 1, true};
    }
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
        minimum = 0x10000;
    } else {
        return invalid;
    }
    if (pos + length > text.size()) {
        return invalid;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return invalid;
        }
        cp = (cp << 6) | (byte(i) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return invalid;
    }
    return {cp, length, true};
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

std::int32_t ParseDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsConversionSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kLimit) {
            value = kLimit;
        }
    }
    if (negative) {
        return static_cast<std::int32_t>(-value);
    }
    return value >= kLimit ? std::numeric_limits<std::int32_t>::max()
                           : static_cast<std::int32_t>(value);
}

std::string FormatDecimal(std::int64_t value) {
    return std::to_string(value);
}

bool IsAllDigits(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

std::string_view TrimLeadingBlanks(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) {
        ++start;
    }
    return text.substr(start);
}

std::string_view TrimBlanks(std::string_view text) {
    text = TrimLeadingBlanks(text);
    std::size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(0, end);
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Decoded d = DecodeUtf8(utf8, pos);
        pos += d.length;
        if (d.codePoint >= 0x10000) {
            const char32_t v = d.codePoint - 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(d.codePoint));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (utf16[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

std::size_t Utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Decoded d = DecodeUtf8(utf8, pos);
        pos += d.length;
        units += d.codePoint >= 0x10000 ? 2 : 1;
    }
    return units;
}

std::string_view TruncateToUtf16Units(std::string_view utf8, std::size_t maxUnits) {
    std::size_t units = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const Decoded d = DecodeUtf8(utf8, pos);
        const std::size_t need = d.codePoint >= 0x10000 ? 2 : 1;
        if (units + need > maxUnits) {
            break;
        }
        units += need;
        pos += d.length;
    }
    return utf8.substr(0, pos);
}

}  // namespace novu
