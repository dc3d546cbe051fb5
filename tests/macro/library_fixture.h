#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "base/recorded_notices.h"
#include "base/text.h"
#include "base/virtual_clock.h"
#include "macro/macro_library.h"
#include "support/temp_folder.h"

namespace novu::test {

// The texts that name new groups and macros.
class LibraryTexts final : public TextSource {
public:
    std::string Text(TextTable table, int index) const override {
        const auto found = texts_.find({table, index});
        return found == texts_.end() ? std::string() : found->second;
    }
    void Set(TextTable table, int index, std::string text) {
        texts_[{table, index}] = std::move(text);
    }

private:
    std::map<std::pair<TextTable, int>, std::string> texts_ = {
        {{TextTable::UniqueName_DevMac, kDefaultGroupNameText}, "Group"},
        {{TextTable::UniqueName_DevMac, kDefaultMacroNameText}, "Macro"},
    };
};

// A data folder with the English language folder, its macro folder and its factory copy.
class LibraryFixture : public ::testing::Test {
protected:
    LibraryFixture() {
        std::filesystem::create_directories(folders.macroFolder);
        std::filesystem::create_directories(folders.resetFolder);
    }

    static MacroRecord Named(std::u16string_view name, std::uint16_t repeat = 1) {
        MacroRecord record;
        SetMacroName(record, name);
        record.repeatCount = repeat;
        return record;
    }

    void WriteGroup(const std::string& name, const std::vector<std::u16string>& macros,
                    const std::filesystem::path& folder) {
        std::vector<MacroRecord> records;
        for (const auto& macro : macros) {
            records.push_back(Named(macro));
        }
        ASSERT_TRUE(files.WriteGroupFile(folder / (name + ".dat"), records));
    }
    void WriteGroup(const std::string& name, const std::vector<std::u16string>& macros) {
        WriteGroup(name, macros, folders.macroFolder);
    }
    void WriteList(const std::vector<std::string>& names, const std::filesystem::path& folder) {
        ASSERT_TRUE(ini.Update(folder / "macroGrp.ini", [&](IniFiles::Batch& batch) {
            batch.SetNumber("MACRO_GROUP_NUM", "macGrpNum", static_cast<int>(names.size()));
            for (std::size_t i = 0; i < 12; ++i) {
                batch.Set("MACRO_GROUP_NAME", std::to_string(i), i < names.size() ? names[i] : "");
            }
        }));
    }
    void WriteList(const std::vector<std::string>& names) { WriteList(names, folders.macroFolder); }

    // The group names as the list file holds them now.
    std::vector<std::string> ListFile() {
        const auto file = folders.GroupListFile();
        std::vector<std::string> names;
        const int count = ini.GetNumber(file, "MACRO_GROUP_NUM", "macGrpNum", 3);
        for (int i = 0; i < count; ++i) {
            names.push_back(ini.GetString(file, "MACRO_GROUP_NAME", std::to_string(i), "", 60));
        }
        return names;
    }
    std::vector<std::string> Tree() const {
        std::vector<std::string> rows;
        for (const MacroTreeRow& row : library.Rows()) {
            rows.push_back((row.isGroup ? "+" : "  ") + row.text);
        }
        return rows;
    }
    bool GroupFileExists(const std::string& name) const {
        return std::filesystem::exists(folders.macroFolder / (name + ".dat"));
    }
    MacroRecord FileEntry(const std::string& group, int index) {
        return files.ReadMacroEntry(folders.macroFolder / (group + ".dat"), index);
    }

    TempFolder dir;
    std::filesystem::path data = dir.Path() / "skins";
    LibraryFolders folders = LibraryFolders::For(data, "1_INI_EN");
    IniFiles ini;
    MacroFiles files{ini, MacVkAndText([] { return 1; })};
    RecordedNotices notices;
    LibraryTexts texts;
    VirtualClock clock;
    MacroLibrary library{files, notices, texts, clock};
};

}  // namespace novu::test
