#include "macro/builtin_macros.h"

#include <algorithm>

#include "macro/macro_tips.h"

namespace novu {

std::filesystem::path BuiltinMacroFile(const std::filesystem::path& dataFolder) {
    return dataFolder / "config" / "constMacro.dat";
}

BuiltinMacros::BuiltinMacros(MacroFiles& files, UserNotices& notices)
    : files_(files), notices_(notices) {}

void BuiltinMacros::Load(const std::filesystem::path& file) {
    const GroupFileContent content = files_.ReadGroupFile(file, kMaxBuiltinMacros);
    if (!content.found) {
        notices_.ShowTip(macro_tip::kFileMissing);
    }
    std::lock_guard lock(mutex_);
    records_ = {};
    std::copy(content.records.begin(), content.records.end(), records_.begin());
    count_ = static_cast<int>(content.records.size());
}

int BuiltinMacros::Count() const {
    std::lock_guard lock(mutex_);
    return count_;
}

MacroRecord BuiltinMacros::Macro(int index) const {
    std::lock_guard lock(mutex_);
    if (index < 0 || index >= count_) {
        return MacroRecord{};
    }
    return records_[static_cast<std::size_t>(index)];
}

}  // namespace novu
