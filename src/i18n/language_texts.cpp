#include "i18n/language_texts.h"

#include "base/text.h"
#include "i18n/languages.h"
#include "i18n/value_fields.h"

namespace novu {

namespace {

constexpr std::array<std::string_view, kTextTableCount> kSections = {
    "TipText", "UniqueName_MouseKey", "UniqueName_DevMac", "UniqueName_LED", "UniqueName_Other",
};

// Every value is read into a buffer of 260 characters, the terminator included.
constexpr std::size_t kValueChars = 259;

std::string_view ReadValue(const ProfileDocument* document, std::string_view section,
                           std::string_view key) {
    if (document == nullptr) {
        return {};
    }
    const auto value = document->Find(section, key);
    return value ? TruncateToUtf16Units(*value, kValueChars) : std::string_view{};
}

}  // namespace

std::string_view TextTableSection(TextTable table) {
    return kSections[static_cast<std::size_t>(table)];
}

LanguageTexts::LanguageTexts(DataFolder data, IniFiles& ini, UserNotices& notices)
    : data_(std::move(data)),
      ini_(ini),
      notices_(notices),
      current_(std::make_shared<const Tables>()) {}

void LanguageTexts::Load(int languageIndex) {
    const IniFiles::Document document = ini_.Open(LanguageTextFile(data_, languageIndex));
    if (!document) {
        notices_.ShowMessageBox("找不到配置文件");
    }
    auto tables = std::make_shared<Tables>();
    for (std::size_t t = 0; t < kSections.size(); ++t) {
        for (int i = 0; i < kTextTableEntries; ++i) {
            tables->entries[t][static_cast<std::size_t>(i)] =
                std::string(ValueText(ReadValue(document.get(), kSections[t], FormatDecimal(i))));
        }
    }
    const std::string_view fontSection = kSections[1];
    tables->fonts.fontFlag = std::string(ReadValue(document.get(), fontSection, "fontFlag"));
    tables->fonts.font = std::string(ReadValue(document.get(), fontSection, "font"));
    tables->fonts.fontName = std::string(ReadValue(document.get(), fontSection, "fontName"));

    std::lock_guard lock(mutex_);
    current_ = std::move(tables);
}

std::shared_ptr<const LanguageTexts::Tables> LanguageTexts::Current() const {
    std::lock_guard lock(mutex_);
    return current_;
}

std::string LanguageTexts::Text(TextTable table, int index) const {
    const auto t = static_cast<std::size_t>(table);
    if (t >= kSections.size() || index < 0 || index >= kTextTableEntries) {
        return {};
    }
    return Current()->entries[t][static_cast<std::size_t>(index)];
}

FontKeys LanguageTexts::Fonts() const {
    return Current()->fonts;
}

}  // namespace novu
