// The macro data that ships with the program: every file decodes and encodes back to the same
// text, every name fits its field, and the factory copy equals the library it restores.
#include <gtest/gtest.h>

#include <fstream>

#include "base/ini_files.h"
#include "base/text.h"
#include "macro/builtin_macros.h"
#include "macro/macro_codec.h"
#include "macro/macro_files.h"
#include "macro/macro_names.h"
#include "macro/recoil_presets.h"

namespace novu {
namespace {

const std::filesystem::path kShipped = NOVU_SHIPPED_DATA;

std::string Bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The language folders that hold a macro library, with their LanguageIndex.
std::vector<std::pair<std::filesystem::path, int>> LanguageFolders() {
    std::vector<std::pair<std::filesystem::path, int>> folders;
    for (const auto& entry : std::filesystem::directory_iterator(kShipped)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory() && name.find("_INI_") != std::string::npos) {
            folders.emplace_back(entry.path(), ParseDecimal(name));
        }
    }
    return folders;
}

// Checks every entry below macroNum of a macro file and returns the decoded records.
std::vector<MacroRecord> CheckMacroFile(const std::filesystem::path& file, int layout,
                                        int capacity) {
    SCOPED_TRACE(file.string());
    IniFiles ini;
    const auto document = ini.Open(file);
    EXPECT_TRUE(document);
    if (!document) {
        return {};
    }
    EXPECT_EQ(document->Find("Init", "DAT_VER"), "3");
    const int count = ParseDecimal(document->Find("Macros", "macroNum").value_or(""));
    EXPECT_GE(count, 1);
    EXPECT_LE(count, capacity);
    std::vector<MacroRecord> records;
    for (int i = 0; i < count; ++i) {
        const std::string_view text =
            document->Find("Macros", std::to_string(i)).value_or(std::string_view{});
        EXPECT_EQ(text.size(), kMacroTextLength) << "entry " << i;
        const MacroRecord record = DecodeMacro(text, kMacroFileVersion, layout);
        EXPECT_EQ(EncodeMacro(record, layout), text) << "entry " << i;
        const std::u16string name = MacroName(record);
        EXPECT_FALSE(name.empty()) << "entry " << i;
        EXPECT_LE(name.size(), static_cast<std::size_t>(kMaxMacroNameLength));
        EXPECT_GT(record.eventCount, 0) << "entry " << i;
        records.push_back(record);
    }
    return records;
}

TEST(ShippedMacros, BuiltinMacros) {
    const auto records = CheckMacroFile(BuiltinMacroFile(kShipped), 1, kMaxBuiltinMacros);
    EXPECT_GE(records.size(), 8u) << "the button menu offers codes 33..40";
}

TEST(ShippedMacros, LibrariesAndTheirFactoryCopies) {
    const auto languages = LanguageFolders();
    ASSERT_FALSE(languages.empty());
    for (const auto& [folder, layout] : languages) {
        SCOPED_TRACE(folder.string());
        const auto macro = folder / "macro";
        const auto reset = folder / "macroReset";
        ASSERT_TRUE(std::filesystem::is_directory(macro));
        IniFiles ini;
        const int groups = ini.GetNumber(macro / "macroGrp.ini", "MACRO_GROUP_NUM", "macGrpNum", 3);
        EXPECT_GE(groups, 1);
        EXPECT_LE(groups, 12);
        std::size_t files = 1;  // the list file
        for (int g = 0; g < groups; ++g) {
            const std::string name = ini.GetString(macro / "macroGrp.ini", "MACRO_GROUP_NAME",
                                                   std::to_string(g), "", 60);
            EXPECT_TRUE(IsValidGroupName(name)) << name;
            CheckMacroFile(macro / PathFromUtf8(name + ".dat"), layout, 12);
            ++files;
        }
        std::size_t found = 0;
        for (const auto& entry : std::filesystem::directory_iterator(macro)) {
            ++found;
            EXPECT_EQ(Bytes(entry.path()), Bytes(reset / entry.path().filename()))
                << entry.path().filename();
        }
        EXPECT_EQ(found, files) << "nothing unlisted in the library";
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(reset), {}),
                  static_cast<std::ptrdiff_t>(found));
    }
}

TEST(ShippedMacros, RecoilPresets) {
    for (const auto& [folder, layout] : LanguageFolders()) {
        SCOPED_TRACE(folder.string());
        for (const MacroRecord& preset :
             CheckMacroFile(RecoilPresetFile(folder), layout, kMaxRecoilPresets)) {
            EXPECT_GT(preset.moveCount, 0);
            std::uint16_t pull = 0;
            for (int i = 0; i < preset.eventCount; ++i) {
                pull = std::max(pull, preset.eventParam[static_cast<std::size_t>(i)][1]);
            }
            EXPECT_GE(pull, kMinRecoilStrength);
            EXPECT_LE(pull, kMaxRecoilStrength);
            EXPECT_GT(preset.eventDelay[0], 0) << "the shot interval";
        }
    }
}

// Every macro code the factory profiles assign names a macro that ships, in every language.
TEST(ShippedMacros, FactoryProfilesNameShippedMacros) {
    IniFiles ini;
    const int builtins = ini.GetNumber(BuiltinMacroFile(kShipped), "Macros", "macroNum", 3);
    for (const auto& [folder, layout] : LanguageFolders()) {
        SCOPED_TRACE(folder.string());
        const int presets = ini.GetNumber(RecoilPresetFile(folder), "Macros", "macroNum", 3);
        const auto list = folder / "macro" / "macroGrp.ini";
        const int groups = ini.GetNumber(list, "MACRO_GROUP_NUM", "macGrpNum", 3);
        for (const char* file : {"config.ini", "configReset.ini"}) {
            const auto config = kShipped / "config" / file;
            for (int p = 0; p < 4; ++p) {
                for (int slot = 0; slot < 12; ++slot) {
                    const std::int32_t code = ini.GetNumber(config, "Config" + std::to_string(p),
                                                            "K" + std::to_string(slot), 10);
                    SCOPED_TRACE(std::string(file) + " profile " + std::to_string(p) + " code " +
                                 std::to_string(code));
                    if (code >= 33 && code <= 49) {
                        EXPECT_LT(code - 33, builtins);
                    } else if (code >= 50 && code <= 255) {
                        EXPECT_LT(code - 50, presets);
                    } else if (code >= 256 && code < 30000) {
                        const int group = code / 256 - 1;
                        ASSERT_LT(group, groups);
                        const std::string name =
                            ini.GetString(list, "MACRO_GROUP_NAME", std::to_string(group), "", 60);
                        const auto groupFile = folder / "macro" / PathFromUtf8(name + ".dat");
                        EXPECT_LT(code % 256, ini.GetNumber(groupFile, "Macros", "macroNum", 3));
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace novu
