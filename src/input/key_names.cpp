#include "input/key_names.h"

#include <optional>
#include <span>
#include <string_view>

#include "input/key_codes.h"
#include "input/key_name_tables.h"

namespace novu {

namespace {

constexpr int kMouseButtonTextEntry = 20;  // UniqueName_DevMac 20..22: left, middle, right

std::optional<std::string_view> Find(std::span<const KeyNameEntry> entries, std::uint8_t usage) {
    for (const KeyNameEntry& entry : entries) {
        if (entry.usage == usage) {
            return entry.name;
        }
    }
    return std::nullopt;
}

template <std::size_t N>
std::optional<std::string_view> InGroup(const std::array<std::string_view, N>& group,
                                        std::uint8_t first, std::uint8_t usage) {
    if (usage >= first && usage < first + N) {
        return group[usage - first];
    }
    return std::nullopt;
}

}  // namespace

std::string KeyName(std::uint8_t usage, int languageIndex, const TextSource* texts) {
    const KeyNameTable* table = FindKeyNameTable(languageIndex);
    if (table == nullptr) {
        return {};
    }
    if (usage >= 0xF1 && usage <= 0xF3) {
        return texts == nullptr ? std::string()
                                : texts->Text(TextTable::UniqueName_DevMac,
                                              kMouseButtonTextEntry + usage - 0xF1);
    }
    if (auto name = Find(table->named, usage)) {
        return std::string(*name);
    }
    if (auto name = InGroup(table->letters, kFirstLetterUsage, usage)) {
        return std::string(*name);
    }
    if (auto name = InGroup(table->digitRow, kFirstDigitUsage, usage)) {
        return std::string(*name);
    }
    if (auto name = InGroup(table->punctuation, kFirstPunctuationUsage, usage)) {
        return std::string(*name);
    }
    if (auto suffix = Find(KeypadSuffixes(), usage)) {
        return std::string(table->keypadWord) + std::string(*suffix);
    }
    if (auto name = Find(BaseNamedKeys(), usage)) {
        return std::string(*name);
    }
    return "NULL";
}

std::string MacVkAndText::KeyName(std::uint8_t usage) const {
    return novu::KeyName(usage, languageIndex_(), texts_);
}

}  // namespace novu
