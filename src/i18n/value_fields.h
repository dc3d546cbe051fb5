#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace novu {

// The fields of a value in a language text file (and of the skin files, which share the
// format): up to seven texts separated by commas. How a value splits depends on how many
// commas it holds:
//   - none, three or four: the whole value is field 0 and every other field is empty;
//   - one, two, five or six: every comma separates two fields, the last field is the rest;
//   - more than six: the first seven fields; the rest of the value after the seventh comma
//     is ignored.
// One comma splits like two: "0,Profiles" gives field 1 "Profiles". (An older reader took
// an empty field 1 there, which silently dropped the text of an entry written without its
// trailing field; nothing relies on that.)
// A field can therefore never hold a comma.
constexpr std::size_t kValueFieldCount = 7;
using ValueFields = std::array<std::string_view, kValueFieldCount>;

// The fields are views into `value`.
ValueFields SplitValueFields(std::string_view value);

// Field 1: the text of a text-table entry.
std::string_view ValueText(std::string_view value);

}  // namespace novu
