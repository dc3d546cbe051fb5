#pragma once

#include <cstdint>
#include <string>

#include "base/user_notices.h"

namespace novu {

// The name of HID keyboard usage `usage` under the keyboard layout of `languageIndex`, as the
// macro editor and the key-capture dialog show it: the local key legend, "NULL" for a usage
// the table does not name, and for 0xF1, 0xF2 and 0xF3 (the left, middle and right mouse
// button in macro steps) entries 20, 21 and 22 of the current language's UniqueName_DevMac
// table, read at the time of the call (empty without `texts`). An index without a table (25,
// or outside 0..26) names nothing: the result is empty for every usage.
std::string KeyName(std::uint8_t usage, int languageIndex, const TextSource* texts);

}  // namespace novu
