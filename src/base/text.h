#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace novu {

// The text-to-integer rule of every stored number: leading blanks, an optional sign, then
// decimal digits up to the first non-digit; no digits gives 0. Values beyond the 32-bit
// range saturate, as the platform's conversion does.
std::int32_t ParseDecimal(std::string_view text);

// A number as the "%d" format writes it.
std::string FormatDecimal(std::int64_t value);

// True when `text` is non-empty and holds only the digits 0..9.
bool IsAllDigits(std::string_view text);

// Blanks (spaces and tabs) removed from both ends, or from the start only.
std::string_view TrimBlanks(std::string_view text);
std::string_view TrimLeadingBlanks(std::string_view text);

// ASCII case-insensitive equality, the comparison of section and key names.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// UTF-8 <-> UTF-16. Malformed input becomes U+FFFD instead of failing: names come from
// files that users edit by hand.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Length of UTF-8 text in UTF-16 code units, the unit in which the platform counts the
// characters of a buffer. A malformed byte counts as one unit.
std::size_t Utf16Length(std::string_view utf8);

// The longest prefix of `utf8` that holds at most `maxUnits` UTF-16 code units and ends on a
// whole character.
std::string_view TruncateToUtf16Units(std::string_view utf8, std::size_t maxUnits);

}  // namespace novu
