#include "skin/function_names.h"

#include <algorithm>

#include "base/text.h"
#include "i18n/value_fields.h"
#include "skin/skin_reader.h"

namespace novu {

namespace {

constexpr int kFirstExtraCode = 12;
constexpr int kLastExtraCode = 17;
constexpr std::size_t kCodeZeroBufferChars = 10;
constexpr std::size_t kSkinFunctionBufferChars = 15;

}  // namespace

const ExtraFunction* ExtraFunctionList::AtPosition(int position) const {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const ExtraFunction& e) { return e.position == position; });
    return it == entries_.end() ? nullptr : &*it;
}

const ExtraFunction* ExtraFunctionList::ForCode(int code) const {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const ExtraFunction& e) { return e.code == code; });
    return it == entries_.end() ? nullptr : &*it;
}

int ExtraFunctionList::ListedCount() const {
    return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                          [](const ExtraFunction& e) { return e.position > 0; }));
}

std::string_view FunctionNameTable::Name(int code) const {
    if (code < 0 || code >= kFunctionNameCount) {
        return {};
    }
    return names[static_cast<std::size_t>(code)];
}

FunctionNameTable ReadFunctionNameTable(const IniFiles& ini,
                                        const std::filesystem::path& skinMainFile,
                                        std::string_view noFunctionName) {
    FunctionNameTable table;
    for (int code = 0; code < kFunctionNameCount; ++code) {
        const std::string value = ini.GetString(skinMainFile, kFunctionNameSection,
                                                FormatDecimal(code), "", kSkinValueBufferChars);
        table.names[static_cast<std::size_t>(code)] = std::string(SplitValueFields(value)[0]);
    }

    int position = 0;
    for (int code = kFirstExtraCode; code <= kLastExtraCode; ++code) {
        const auto& name = table.names[static_cast<std::size_t>(code)];
        if (!name.empty()) {
            table.extras.Add(ExtraFunction{code, name, ++position});
        }
    }
    const std::string codeZero =
        ini.GetString(skinMainFile, kFunctionNameSection, "0", "", kCodeZeroBufferChars);
    if (!codeZero.empty()) {
        table.extras.Add(ExtraFunction{0, codeZero, 0});
    }
    for (int i = 0; i < kSkinFunctionCount; ++i) {
        const int code = kFirstSkinFunction + i;
        const std::string name = ini.GetString(skinMainFile, kFunctionNameSection,
                                               FormatDecimal(code), "", kSkinFunctionBufferChars);
        if (!name.empty()) {
            table.extras.Add(ExtraFunction{code, name, ++position});
        }
    }

    table.names[0] = std::string(noFunctionName);
    return table;
}

}  // namespace novu
