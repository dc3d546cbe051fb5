#include "i18n/language_selection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/recorded_notices.h"
#include "input/key_codes.h"
#include "support/temp_folder.h"

namespace novu {
namespace {

using test::TempFolder;

constexpr std::string_view kChineseTexts =
    "[UniqueName_DevMac]\r\n20=0,左键,0\r\n21=0,中键,0\r\n22=0,右键,0\r\n";
constexpr std::string_view kEnglishTexts =
    "[UniqueName_DevMac]\r\n20=0,Left button,0\r\n21=0,Middle button,0\r\n"
    "22=0,Right button,0\r\n";

// The language layer with the product's real files on a temporary data folder.
class LanguageSelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Write("0_INI_CN/LanguageText.ini", kChineseTexts);
        dir.Write("1_INI_EN/LanguageText.ini", kEnglishTexts);
    }

    // Reads the configuration and the texts as start-up does.
    void Start(std::string_view configIni) {
        dir.Write("config/config.ini", configIni);
        config.ReadStartup();
        notices.Clear();
        selection.LoadLanguageTexts();
    }

    std::string Path(const std::filesystem::path& path) const {
        return path.lexically_relative(dir.Path()).generic_string();
    }

    TempFolder dir;
    DataFolder data{dir.Path()};
    IniFiles ini;
    SettingsStore store;
    RecordedNotices notices;
    ConfigFiles config{data, ini, store, notices};
    LanguageTexts texts{data, ini, notices};
    FontState fonts;
    LanguageSelection selection{store, config, texts, fonts};
    MacVkAndText keys{[this] { return store.LanguageIndex(); }, &texts};
};

TEST_F(LanguageSelectionTest, SetLanguageRunsItsStepsInOrder) {
    Start("[Init]\r\nVER_SEL=0\r\n");
    ASSERT_EQ(keys.KeyName(0xF1), "左键");

    std::vector<std::string> steps;
    selection.SetHooks({
        .saveOpenMacroGroup =
            [&] { steps.push_back("save " + Path(selection.CurrentMacroFolderPaths().macro)); },
        .refreshDerivedTexts = [&] { steps.push_back("texts " + keys.KeyName(0xF1)); },
        .reloadSkins = [&] { steps.push_back("skins"); },
        .switchMacroFolders =
            [&](const MacroFolderPaths& folders) {
                steps.push_back("macro " + Path(folders.macro) + " " + Path(folders.reset));
            },
        .discardPopupMenus = [&] { steps.push_back("menus"); },
        .setWindowTitle = [&] { steps.push_back("title"); },
        .reloadRecoilPresets =
            [&](const std::filesystem::path& presets) {
                steps.push_back("presets " + Path(presets));
            },
        .recreateFonts = [&] { steps.push_back("fonts"); },
        .repaint = [&] { steps.push_back("repaint"); },
    });

    ASSERT_TRUE(selection.SetLanguage(1, LanguageChangeOrigin::Menu).ok());
    EXPECT_EQ(steps, (std::vector<std::string>{
                         "save 0_INI_CN/macro",
                         "texts Left button",
                         "skins",
                         "macro 1_INI_EN/macro 1_INI_EN/macroReset",
                         "menus",
                         "title",
                         "presets 1_INI_EN/PUBG.dat",
                         "fonts",
                         "repaint",
                     }));
    EXPECT_EQ(selection.LanguageIndex(), 1);
    EXPECT_EQ(keys.KeyName(0xF1), "Left button");
    EXPECT_EQ(keys.KeyName(0xF2), "Middle button");
    EXPECT_EQ(keys.KeyName(0xF3), "Right button");
    EXPECT_TRUE(notices.Notices().empty());

    // The next start-up begins in English.
    EXPECT_EQ(ini.GetString(data.ConfigIni(), "Init", "VER_SEL", "", 5), "1");
    SettingsStore nextStore;
    ConfigFiles nextConfig{data, ini, nextStore, notices};
    nextConfig.ReadStartup();
    EXPECT_EQ(nextStore.LanguageIndex(), 1);

    // And back: the button origin never recreates the fonts.
    steps.clear();
    ASSERT_TRUE(selection.SetLanguage(0, LanguageChangeOrigin::Button).ok());
    EXPECT_EQ(steps.front(), "save 1_INI_EN/macro");
    EXPECT_EQ(std::count(steps.begin(), steps.end(), "fonts"), 0);
    EXPECT_EQ(keys.KeyName(0xF3), "右键");
    EXPECT_EQ(selection.CurrentPresetFile(), dir / "0_INI_CN" / "PUBG.dat");
}

TEST_F(LanguageSelectionTest, FontsAreRecreatedOnlyFromTheMenuWithoutEmbeddedSets) {
    Start("[Init]\r\nVER_SEL=0\r\n");
    struct Case {
        LanguageChangeOrigin origin;
        bool embeddedSets;
        bool recreated;
    };
    const Case cases[] = {
        {LanguageChangeOrigin::Menu, false, true},
        {LanguageChangeOrigin::Button, false, false},
        {LanguageChangeOrigin::Menu, true, false},
        {LanguageChangeOrigin::Button, true, false},
    };
    for (const auto& c : cases) {
        FontState caseFonts;
        if (c.embeddedSets) {
            (void)caseFonts.CreateFonts(96, 0, FontKeys{});
        }
        LanguageSelection caseSelection{store, config, texts, caseFonts};
        int recreated = 0;
        LanguageChangeHooks hooks;
        hooks.recreateFonts = [&] { ++recreated; };
        caseSelection.SetHooks(hooks);
        ASSERT_TRUE(caseSelection.SetLanguage(1, c.origin).ok());
        EXPECT_EQ(recreated, c.recreated ? 1 : 0)
            << "menu " << (c.origin == LanguageChangeOrigin::Menu) << " embedded "
            << c.embeddedSets;
    }
}

TEST_F(LanguageSelectionTest, StoredIndexWithoutFolderPointsIntoTheDataFolder) {
    struct Case {
        std::string_view configIni;
        int index;
        std::string macroFolder;
        std::string leftButton;
        bool missingTexts;
    };
    const Case cases[] = {
        {"[Init]\r\nCurConfig=0\r\n", 0, "0_INI_CN/macro", "左键", false},
        {"[Init]\r\nVER_SEL=1\r\n", 1, "1_INI_EN/macro", "Left button", false},
        {"[Init]\r\nVER_SEL=300\r\n", 44, "macro", "", true},
        {"[Init]\r\nVER_SEL=25\r\n", 25, "macro", "", true},
    };
    for (const auto& c : cases) {
        Start(c.configIni);
        EXPECT_EQ(selection.LanguageIndex(), c.index);
        EXPECT_EQ(Path(selection.CurrentMacroFolderPaths().macro), c.macroFolder);
        EXPECT_EQ(keys.KeyName(0xF1), c.leftButton);
        EXPECT_EQ(notices.Notices().size(), c.missingTexts ? 1u : 0u)
            << "a missing text file shows its message box";
    }
}

TEST_F(LanguageSelectionTest, RefusesAnIndexOutsideTheByte) {
    Start("[Init]\r\nVER_SEL=1\r\n");
    int calls = 0;
    LanguageChangeHooks hooks;
    hooks.saveOpenMacroGroup = [&] { ++calls; };
    hooks.repaint = [&] { ++calls; };
    selection.SetHooks(hooks);
    for (int index : {-1, 256}) {
        const auto result = selection.SetLanguage(index, LanguageChangeOrigin::Menu);
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.error().fault, Fault::Caller);
    }
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(selection.LanguageIndex(), 1);
    EXPECT_EQ(ini.GetString(data.ConfigIni(), "Init", "VER_SEL", "", 5), "1");
}

TEST_F(LanguageSelectionTest, UnwritableConfigurationIsReportedButTheChangeApplies) {
    Start("[Init]\r\nVER_SEL=0\r\n");
    std::filesystem::remove(data.ConfigIni());
    std::filesystem::create_directories(data.ConfigIni() / "blocked");
    const auto result = selection.SetLanguage(1, LanguageChangeOrigin::Button);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(selection.LanguageIndex(), 1);
    EXPECT_EQ(keys.KeyName(0xF1), "Left button");
}

}  // namespace
}  // namespace novu
