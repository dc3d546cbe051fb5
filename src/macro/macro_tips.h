#pragma once

namespace novu {

// Entries of the TipText table that the macro system shows.
namespace macro_tip {
constexpr int kFileMissing = 5;
constexpr int kCannotCreate = 6;  // also: a name that cannot be a file name
constexpr int kTooMany = 21;      // 12 macros in the group (also 12 groups on import)
constexpr int kNameExists = 23;
constexpr int kNoRow = 24;
constexpr int kTooManyGroups = 30;
}  // namespace macro_tip

}  // namespace novu
