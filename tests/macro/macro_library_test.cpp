#include "macro/macro_library.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>

#include "config/config_files.h"
#include "library_fixture.h"

namespace novu {
namespace {

using Strings = std::vector<std::string>;

class MacroLibraryTest : public test::LibraryFixture {
protected:
    // Selects the row whose text is `text`.
    LibraryRefresh Select(const std::string& text, std::string_view box = "1") {
        for (std::size_t i = 0; i < library.Rows().size(); ++i) {
            if (library.Rows()[i].text == text) {
                return library.SelectRow(static_cast<int>(i), box);
            }
        }
        ADD_FAILURE() << "no row " << text;
        return {};
    }
};

TEST_F(MacroLibraryTest, StartupDropsGroupsWithoutFileOrWithAnUnusableName) {
    WriteGroup("Alpha", {u"A1", u"A2"});
    WriteGroup("Beta", {u"B1"});
    dir.Write("outside.dat", "[Macros]\r\nmacroNum=0\r\n");
    WriteList({"Alpha", "Gone", "../../outside", "Beta"});
    library.Load(folders);

    EXPECT_EQ(library.GroupCount(), 2);
    EXPECT_EQ(library.GroupName(1), "Beta");
    EXPECT_EQ(ListFile(), (Strings{"Alpha", "Beta"})) << "the list file is rewritten";
    EXPECT_EQ(ini.GetString(folders.GroupListFile(), "MACRO_GROUP_NAME", "2", "?", 60), "");
    EXPECT_TRUE(std::filesystem::exists(dir / "outside.dat")) << "a refused name's file stays";
    EXPECT_EQ(library.MacroCount(0), 2);
    EXPECT_EQ(library.MacroNameOf(0, 1), "A2");
    EXPECT_EQ(library.CurrentGroup(), 0);
    EXPECT_EQ(library.OpenCount(), 2);
    EXPECT_EQ(MacroName(library.Record(1)), u"A2");
    EXPECT_EQ(Tree(), (Strings{"+Alpha", "+Beta"}));
    EXPECT_EQ(library.Rows()[0].Descriptor(), (std::array<std::uint8_t, 3>{1, 0, 0xFF}));
    EXPECT_TRUE(notices.Tips().empty());

    EXPECT_TRUE(library.OpenGroup(1, false));
    EXPECT_FALSE(library.OpenGroup(2, false));
    EXPECT_FALSE(library.OpenGroup(51, false));
    EXPECT_EQ(library.ReadMacroEntry(1, 0), Named(u"B1"));
    EXPECT_EQ(library.ReadMacroEntry(1, 1), MacroRecord{}) << "not below macroNum";
    EXPECT_EQ(library.ReadMacroEntry(2, 0), MacroRecord{}) << "no such group";
}

TEST_F(MacroLibraryTest, MissingGroupListAndLanguagesAreIndependent) {
    library.Load(folders);
    EXPECT_EQ(notices.Tips(), (std::vector<int>{macro_tip::kFileMissing}));
    EXPECT_EQ(library.GroupCount(), 0);
    EXPECT_TRUE(library.Rows().empty());

    const LibraryFolders chinese = LibraryFolders::For(data, "0_INI_CN");
    std::filesystem::create_directories(chinese.macroFolder);
    WriteGroup("中文组", {u"宏"}, chinese.macroFolder);
    WriteList({"中文组"}, chinese.macroFolder);
    library.Load(chinese);
    EXPECT_EQ(library.GroupName(0), "中文组");
    EXPECT_EQ(library.MacroNameOf(0, 0), "宏");
    library.NewGroup();
    EXPECT_TRUE(std::filesystem::exists(chinese.macroFolder / "Group.dat"));
    EXPECT_FALSE(GroupFileExists("Group")) << "the other language's folder is untouched";
}

TEST_F(MacroLibraryTest, NewGroupsGetUniqueNamesUpToTwelve) {
    WriteList({});
    library.Load(folders);
    for (int i = 0; i < 3; ++i) {
        const LibraryRefresh refresh = library.NewGroup();
        EXPECT_TRUE(refresh.stepListEmptied && refresh.treeRebuilt);
    }
    EXPECT_EQ(ListFile(), (Strings{"Group", "Group02", "Group03"}));
    EXPECT_EQ(dir.Read("skins/1_INI_EN/macro/Group03.dat"), "") << "created empty";
    EXPECT_EQ(library.CurrentGroup(), 2);
    EXPECT_EQ(library.SelectedRow(), 2);
    EXPECT_EQ(library.OpenCount(), 0);
    for (int i = 3; i < 12; ++i) {
        library.NewGroup();
    }
    EXPECT_TRUE(notices.Tips().empty());
    library.NewGroup();
    EXPECT_EQ(notices.Tips(), (std::vector<int>{macro_tip::kTooManyGroups}));
    EXPECT_EQ(library.GroupCount(), 12);
}

TEST_F(MacroLibraryTest, ADefaultNameThatCannotBeAFileNameIsRefused) {
    WriteList({});
    library.Load(folders);
    texts.Set(TextTable::UniqueName_DevMac, kDefaultGroupNameText, "../../escape");
    library.NewGroup();
    EXPECT_EQ(notices.Tips(), (std::vector<int>{macro_tip::kCannotCreate}));
    EXPECT_EQ(library.GroupCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "escape.dat"));
    EXPECT_FALSE(std::filesystem::exists(data / "escape.dat"));
}

TEST_F(MacroLibraryTest, NewMacroIsNamedWrittenAndSelected) {
    WriteGroup("Alpha", {u"A1"});
    WriteGroup("Beta", {});
    WriteList({"Alpha", "Beta"});
    library.Load(folders);

    // The selected row names the group; the open group switches to it first.
    Select("Beta");
    library.NewMacro();
    library.NewMacro();
    EXPECT_EQ(FileEntry("Beta", 1), Named(u"Macro02", 0));
    EXPECT_EQ(files.ReadMacroNum(folders.macroFolder / "Beta.dat"), 2);
    EXPECT_EQ(files.ReadMacroNum(folders.macroFolder / "Alpha.dat"), 1);
    EXPECT_EQ(library.CurrentGroup(), 1);
    EXPECT_EQ(library.CurrentMacro(), 1);
    EXPECT_EQ(Tree(), (Strings{"+Alpha", "+Beta", "  Macro", "  Macro02"}));
    EXPECT_EQ(library.SelectedRow(), 3);
    EXPECT_TRUE(library.Expanded(1));

    for (int i = 2; i < 12; ++i) {
        library.NewMacro();
    }
    EXPECT_TRUE(notices.Tips().empty());
    library.NewMacro();
    EXPECT_EQ(notices.Tips(), (std::vector<int>{macro_tip::kTooMany}));
    EXPECT_EQ(library.MacroCount(1), 12);
}

TEST_F(MacroLibraryTest, DeletingTheMiddleGroupMovesTheLaterOnesUp) {
    WriteGroup("A", {u"a"});
    WriteGroup("B", {u"b"});
    WriteGroup("C", {u"c1", u"c2"});
    WriteList({"A", "B", "C"});
    library.Load(folders);
    library.SetExpanded(2, true);
    library.RebuildTree();
    Select("C");  // collapses C again
    Select("C");  // and expands it
    Select("B");
    const LibraryRefresh refresh = library.DeleteGroup();

    EXPECT_FALSE(GroupFileExists("B"));
    EXPECT_EQ(ListFile(), (Strings{"A", "C"}));
    EXPECT_EQ(library.GroupName(1), "C");
    EXPECT_EQ(library.MacroCount(1), 2);
    EXPECT_TRUE(library.Expanded(1)) << "the flags move with their groups";
    EXPECT_EQ(library.CurrentGroup(), 0);
    EXPECT_EQ(MacroName(library.Record(0)), u"a");
    EXPECT_TRUE(refresh.lightingListEmptied && refresh.stepListEmptied);
    EXPECT_EQ(Tree(), (Strings{"+A", "+C", "  c1", "  c2"}));

    library.DeleteGroup();
    library.DeleteGroup();
    EXPECT_EQ(library.GroupCount(), 0);
    EXPECT_TRUE(library.Rows().empty());
    EXPECT_EQ(library.OpenCount(), 0);
    EXPECT_EQ(library.Record(0), MacroRecord{});
    EXPECT_EQ(ListFile(), Strings{});
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folders.macroFolder),
                            std::filesystem::directory_iterator()),
              1)
        << "only the list file is left";
}

TEST_F(MacroLibraryTest, DeletingAMacroSelectsTheRowAbove) {
    WriteGroup("G", {u"one", u"two", u"three"});
    WriteList({"G"});
    library.Load(folders);
    Select("G");
    Select("two");
    LibraryRefresh refresh = library.DeleteMacro();
    EXPECT_EQ(refresh.showMacro, 0);
    EXPECT_EQ(library.CurrentMacro(), 0);
    EXPECT_EQ(Tree(), (Strings{"+G", "  one", "  three"}));
    EXPECT_EQ(library.SelectedRow(), 1);
    EXPECT_EQ(files.ReadMacroNum(folders.macroFolder / "G.dat"), 2);
    EXPECT_EQ(FileEntry("G", 1), Named(u"three"));
    EXPECT_EQ(library.Record(2), MacroRecord{});

    refresh = library.DeleteMacro();  // "one": the group row above takes the selection
    EXPECT_FALSE(refresh.showMacro);
    EXPECT_TRUE(refresh.stepListEmptied);
    EXPECT_EQ(refresh.repeatBox, (RepeatBox{"1", false}));
    EXPECT_EQ(library.SelectedRow(), 0);
    EXPECT_EQ(FileEntry("G", 0), Named(u"three"));
    EXPECT_EQ(library.DeleteMacro().treeRebuilt, false) << "a group row deletes no macro";
}

TEST_F(MacroLibraryTest, RenamingAGroupMovesItsFile) {
    WriteGroup("Old", {u"m"});
    WriteGroup("Other", {});
    WriteList({"Old", "Other"});
    library.Load(folders);

    LibraryRefresh refresh = library.Rename(0, "  Other");
    EXPECT_EQ(refresh.rowText, "Other02") << "leading blanks go, the name is made unique";
    EXPECT_EQ(ListFile(), (Strings{"Other02", "Other"}));
    EXPECT_FALSE(GroupFileExists("Old"));
    EXPECT_EQ(FileEntry("Other02", 0), Named(u"m"));
    EXPECT_EQ(library.ReadMacroEntry(0, 0), Named(u"m"));

    refresh = library.Rename(0, "Other02");  // its own name: nothing to move
    EXPECT_EQ(refresh.rowText, "Other02");
    EXPECT_EQ(FileEntry("Other02", 0), Named(u"m"));

    EXPECT_EQ(library.Rename(0, "   ").rowText, "Other02");
    EXPECT_EQ(library.Rename(-1, "x").rowText, std::nullopt);
    EXPECT_EQ(notices.Tips(), (std::vector<int>{macro_tip::kNoRow}));

    // The group whose file went missing keeps its new name, with tip 5.
    notices.Clear();
    std::filesystem::remove(folders.macroFolder / "Other.dat");
    library.Rename(1, "Renamed");
    EXPECT_EQ(notices.Tips(), (std::vector<int>{macro_tip::kFileMissing}));
    EXPECT_EQ(ListFile(), (Strings{"Other02", "Renamed"}));
}

TEST_F(MacroLibraryTest, HostileGroupNamesAreRefusedAndNothingIsWrittenOutside) {
    WriteGroup("Safe", {u"m"});
    WriteList({"Safe"});
    library.Load(folders);
    const auto before = dir.Read("skins/1_INI_EN/macro/macroGrp.ini");
    for (const char* name : {"../../../evil", "a/b", "..", "x\\y", "CON", "nul.txt", "trail.",
                             "ctl\x01", "q?", "'quoted'"}) {
        notices.Clear();
        const LibraryRefresh refresh = library.Rename(0, name);
        EXPECT_EQ(refresh.rowText, "Safe") << name;
        EXPECT_EQ(notices.Tips(), (std::vector<int>{macro_tip::kCannotCreate})) << name;
    }
    EXPECT_EQ(dir.Read("skins/1_INI_EN/macro/macroGrp.ini"), before);
    EXPECT_TRUE(GroupFileExists("Safe"));
    std::vector<std::filesystem::path> everything;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path())) {
        everything.push_back(entry.path().lexically_relative(dir.Path()));
    }
    std::sort(everything.begin(), everything.end());
    EXPECT_EQ(everything, (std::vector<std::filesystem::path>{
                              "skins", "skins/1_INI_EN", "skins/1_INI_EN/macro",
                              "skins/1_INI_EN/macro/Safe.dat", "skins/1_INI_EN/macro/macroGrp.ini",
                              "skins/1_INI_EN/macroReset"}));
}

TEST_F(MacroLibraryTest, RenamingMacrosKeepsNamesUnique) {
    WriteGroup("G", {u"Shot05", u"Shot07", u"Aim", u"Other"});
    WriteList({"G"});
    library.Load(folders);
    Select("G");
    EXPECT_EQ(library.Rename(4, "Aim").rowText, "Aim02");
    EXPECT_EQ(library.Rename(4, "Shot05").rowText, "Shot08");
    EXPECT_EQ(library.Rename(4, "  ").rowText, "Shot08") << "blanks only: the old name";
    EXPECT_EQ(FileEntry("G", 3), Named(u"Shot08"));
    EXPECT_EQ(library.MacroNameOf(0, 3), "Shot08");
    const std::string thirty(30, 'x');
    EXPECT_EQ(library.Rename(3, thirty).rowText, std::string(29, 'x'));
    EXPECT_EQ(library.Rename(4, thirty).rowText, std::string(27, 'x') + "02");
    EXPECT_EQ(MacroName(FileEntry("G", 3)), std::u16string(27, u'x') + u"02");
}

TEST_F(MacroLibraryTest, ResetRestoresTheFactoryCopyExactly) {
    WriteGroup("Factory", {u"f1", u"f2"}, folders.resetFolder);
    WriteList({"Factory"}, folders.resetFolder);
    dir.Write("skins/1_INI_EN/macroReset/sub/readme.txt", "kept");
    WriteGroup("Mine", {u"x"});
    WriteList({"Mine"});
    dir.Write("skins/1_INI_EN/macro/junk/stray.bin", "junk");
    library.Load(folders);

    const LibraryRefresh refresh = library.ResetAllGroups();
    EXPECT_TRUE(refresh.treeRebuilt && refresh.lightingListEmptied);
    const auto listing = [](const std::filesystem::path& folder) {
        std::map<std::string, std::string> content;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
            std::string bytes;
            if (entry.is_regular_file()) {
                std::ifstream in(entry.path(), std::ios::binary);
                bytes.assign(std::istreambuf_iterator<char>(in), {});
            }
            content[entry.path().lexically_relative(folder).string()] = bytes;
        }
        return content;
    };
    EXPECT_EQ(listing(folders.macroFolder), listing(folders.resetFolder));
    EXPECT_EQ(library.GroupName(0), "Factory");
    EXPECT_EQ(library.MacroNameOf(0, 1), "f2");
    EXPECT_EQ(MacroName(library.Record(1)), u"f2");
    EXPECT_EQ(Tree(), (Strings{"+Factory"}));
    EXPECT_EQ(clock.Sleeps().back().length, Ms(100));
}

TEST_F(MacroLibraryTest, ResetRefusesAMacroFolderThatIsNotWhereItShouldBe) {
    WriteGroup("Factory", {u"f"}, folders.resetFolder);
    WriteList({"Factory"}, folders.resetFolder);
    // Somewhere else, files that must survive.
    const auto precious = dir.Write("precious/macro/keep.txt", "mine");

    struct Case {
        const char* what;
        LibraryFolders folders;
    } cases[] = {
        {"outside the data folder", {data, dir / "precious" / "macro", folders.resetFolder}},
        {"not named macro", {data, dir / "skins" / "1_INI_EN", folders.resetFolder}},
        {"the data folder itself", {data, data, folders.resetFolder}},
    };
    for (const Case& c : cases) {
        notices.Clear();
        library.Load(c.folders);
        notices.Clear();
        library.ResetAllGroups();
        EXPECT_EQ(notices.Tips(), (std::vector<int>{macro_tip::kCannotCreate})) << c.what;
    }
    // A symlink named macro in the language folder, pointing elsewhere.
    const LibraryFolders linked = LibraryFolders::For(data, "2_INI_FR");
    std::filesystem::create_directories(linked.resetFolder);
    std::filesystem::copy(folders.resetFolder, linked.resetFolder,
                          std::filesystem::copy_options::recursive);
    std::filesystem::create_directory_symlink(dir / "precious" / "macro", linked.macroFolder);
    notices.Clear();
    library.Load(linked);
    notices.Clear();
    library.ResetAllGroups();
    EXPECT_EQ(notices.Tips(), (std::vector<int>{macro_tip::kCannotCreate}));
    EXPECT_EQ(dir.Read("precious/macro/keep.txt"), "mine");
    EXPECT_TRUE(std::filesystem::exists(precious));
    EXPECT_TRUE(std::filesystem::exists(folders.resetFolder / "Factory.dat"));

    // Without a factory copy nothing is deleted.
    WriteGroup("Mine", {u"x"});
    WriteList({"Mine"});
    std::filesystem::remove_all(folders.resetFolder);
    library.Load(folders);
    notices.Clear();
    library.ResetAllGroups();
    EXPECT_EQ(notices.Tips(), (std::vector<int>{macro_tip::kFileMissing}));
    EXPECT_TRUE(GroupFileExists("Mine"));
}

TEST_F(MacroLibraryTest, SelectingRows) {
    WriteGroup("A", {u"a1", u"a2"});
    WriteGroup("B", {u"b1"});
    WriteList({"A", "B"});
    library.Load(folders);
    EXPECT_EQ(library.SelectedRow(), 0);

    // The selected group row again: expand and collapse.
    LibraryRefresh refresh = library.SelectRow(0, "1");
    EXPECT_TRUE(refresh.recordingAbandoned && refresh.lightingListEmptied);
    EXPECT_EQ(Tree(), (Strings{"+A", "  a1", "  a2", "+B"}));
    EXPECT_EQ(library.Rows()[0].icon, 1);
    EXPECT_EQ(library.Rows()[1].icon, 2);
    EXPECT_EQ(library.Rows()[2].Descriptor(), (std::array<std::uint8_t, 3>{0, 0, 1}));

    refresh = library.SelectRow(2, "1");
    EXPECT_EQ(refresh.showMacro, 1);
    EXPECT_TRUE(refresh.selectFirstStep && refresh.stepListEmptied);
    EXPECT_EQ(library.CurrentMacro(), 1);

    // Leaving a macro row stores the repeat count its box shows.
    library.SelectRow(1, "7");
    EXPECT_EQ(FileEntry("A", 1).repeatCount, 7);
    EXPECT_EQ(library.Record(1).repeatCount, 7);
    EXPECT_EQ(FileEntry("A", 0).repeatCount, 1);

    // Another group's row: that group is loaded before anything of it is shown.
    refresh = library.SelectRow(3, "3");
    EXPECT_EQ(library.CurrentGroup(), 1);
    EXPECT_EQ(MacroName(library.Record(0)), u"b1");
    EXPECT_EQ(refresh.repeatBox, (RepeatBox{"1", false}));
    EXPECT_EQ(Tree(), (Strings{"+A", "  a1", "  a2", "+B", "  b1"}));
    EXPECT_EQ(FileEntry("A", 0).repeatCount, 1) << "only a macro row takes the count along";
    refresh = library.SelectRow(4, "1");
    EXPECT_EQ(refresh.showMacro, 0);
    EXPECT_EQ(library.SelectRow(4, "1").showMacro, std::nullopt) << "the same macro row stays";
    EXPECT_FALSE(library.SelectRow(9, "1").treeRebuilt);
}

TEST_F(MacroLibraryTest, SaveAllWritesTheOpenGroupCapturedAtApply) {
    WriteGroup("G", {u"m"});
    WriteList({"G"});
    library.Load(folders);
    SettingsStore store;
    std::filesystem::create_directories(data / "config");
    ConfigFiles config(DataFolder{data}, ini, store, notices);
    library.ConnectSaveAll(config);

    library.Record(0).repeatCount = 9;
    library.PrepareSaveAll();
    library.Record(0).repeatCount = 10;  // an edit after Apply waits for the next one
    ASSERT_TRUE(config.SaveAll());
    EXPECT_EQ(FileEntry("G", 0).repeatCount, 9);
    ASSERT_TRUE(config.SaveAll());
    EXPECT_EQ(FileEntry("G", 0).repeatCount, 9) << "a capture is written once";
}

TEST_F(MacroLibraryTest, TheMacroAButtonPlayedIsWrittenWithoutCuttingItsGroup) {
    WriteGroup("Open", {u"o"});
    WriteGroup("Played", {u"p1", u"p2", u"p3"});
    WriteList({"Open", "Played"});
    library.Load(folders);
    ASSERT_EQ(library.OpenCount(), 1);
    MacroRecord played = library.ReadMacroEntry(1, 2);
    played.yOffset = 12;
    ASSERT_TRUE(library.WriteMacroEntry(played, 1, 2));
    EXPECT_EQ(files.ReadMacroNum(folders.macroFolder / "Played.dat"), 3);
    EXPECT_EQ(FileEntry("Played", 2).yOffset, 12);
    EXPECT_FALSE(library.WriteMacroEntry(played, 5, 0));
}

TEST_F(MacroLibraryTest, DeviceThreadsReadWhileTheLibraryChanges) {
    WriteGroup("G", {u"m"});
    WriteList({"G"});
    library.Load(folders);
    std::atomic<bool> done{false};
    std::thread reader([&] {
        while (!done) {
            const int groups = library.GroupCount();
            for (int g = 0; g < groups; ++g) {
                (void)library.MacroCount(g);
                (void)library.ReadMacroEntry(g, 0);
                (void)library.GroupName(g);
            }
        }
    });
    for (int i = 0; i < 5; ++i) {
        library.NewGroup();
        library.NewMacro();
        library.Rename(library.SelectedRow(), "Name" + std::to_string(i));
    }
    library.DeleteGroup();
    done = true;
    reader.join();
    EXPECT_EQ(library.GroupCount(), 5);
}

}  // namespace
}  // namespace novu
