#include "macro/macro_record.h"

#include <algorithm>

namespace novu {

namespace {

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

}  // namespace

std::u16string MacroName(const MacroRecord& record) {
    const auto end = std::find(record.name.begin(), record.name.end(), u'\0');
    return {record.name.begin(), end};
}

void SetMacroName(MacroRecord& record, std::u16string_view name) {
    std::size_t length = std::min<std::size_t>(name.size(), kMaxMacroNameLength);
    // A cut between the two halves of a surrogate pair would leave half a character.
    if (length < name.size() && length > 0 && IsHighSurrogate(name[length - 1])) {
        --length;
    }
    record.name.fill(u'\0');
    std::copy_n(name.begin(), length, record.name.begin());
}

}  // namespace novu
