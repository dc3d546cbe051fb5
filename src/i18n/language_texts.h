#pragma once

#include <array>
#include <memory>
#include <mutex>
#include <string>

#include "base/ini_files.h"
#include "base/user_notices.h"
#include "config/data_folder.h"

namespace novu {

constexpr int kTextTableCount = 5;
constexpr int kTextTableEntries = 50;

// The section name of a text table in LanguageText.ini.
std::string_view TextTableSection(TextTable table);

// The font keys of section UniqueName_MouseKey, as read (at most 259 characters each).
struct FontKeys {
    std::string fontFlag;  // empty when absent or empty: the embedded font sets are used
    std::string font;      // a font file to register for the process
    std::string fontName;  // the typeface in that file
    bool operator==(const FontKeys&) const = default;
};

// The five text tables of the current language ("TipText", "UniqueName_MouseKey",
// "UniqueName_DevMac", "UniqueName_LED", "UniqueName_Other"), 50 entries each.
//
// The user-interface thread reloads them on a language change while the device threads may
// be naming keys: a load builds a complete new set of tables and swaps it in, so a reader
// always sees the tables of one language, never a mix.
class LanguageTexts final : public TextSource {
public:
    LanguageTexts(DataFolder data, IniFiles& ini, UserNotices& notices);

    // LoadLanguageTexts: reads the tables from the language folder of `languageIndex`. A
    // missing file shows the message box "找不到配置文件" and leaves every entry empty.
    void Load(int languageIndex);

    // Entry `index` of `table`; empty for an entry the file does not have and for an index
    // outside 0..49.
    std::string Text(TextTable table, int index) const override;

    // The font keys of the loaded language.
    FontKeys Fonts() const;

private:
    struct Tables {
        std::array<std::array<std::string, kTextTableEntries>, kTextTableCount> entries;
        FontKeys fonts;
    };

    std::shared_ptr<const Tables> Current() const;

    DataFolder data_;
    IniFiles& ini_;
    UserNotices& notices_;
    mutable std::mutex mutex_;
    std::shared_ptr<const Tables> current_;
};

}  // namespace novu
