#include "macro/macro_import_export.h"

#include <gtest/gtest.h>

#include "library_fixture.h"

namespace novu {
namespace {

using Strings = std::vector<std::string>;

FilePicker Picks(std::optional<std::filesystem::path> path) {
    return [path] { return path; };
}

FilePicker NeverAsked() {
    return [] {
        ADD_FAILURE() << "no dialog expected";
        return std::optional<std::filesystem::path>();
    };
}

class MacroImportExportTest : public test::LibraryFixture {
protected:
    MacroImportExportTest() {
        WriteGroup("Home", {u"Aim", u"Fire"});
        WriteList({"Home"});
        library.Load(folders);
    }

    MacroImportExport transfer{library, files, notices};
};

TEST_F(MacroImportExportTest, ImportingAGroupCopiesItUnderItsName) {
    WriteGroup("Sniper", {u"Hold", u"Breathe"}, dir.Path());
    const LibraryRefresh refresh = transfer.ImportGroupFile(Picks(dir / "Sniper.dat"));
    EXPECT_TRUE(refresh.treeRebuilt);
    EXPECT_EQ(dir.Read("skins/1_INI_EN/macro/Sniper.dat"), dir.Read("Sniper.dat"));
    EXPECT_EQ(ListFile(), (Strings{"Home", "Sniper"}));
    EXPECT_EQ(library.CurrentGroup(), 1);
    EXPECT_EQ(MacroName(library.Record(1)), u"Breathe");
    EXPECT_EQ(library.Rows()[static_cast<std::size_t>(library.SelectedRow())].text, "Sniper");
    EXPECT_EQ(library.MacroNameOf(1, 0), "Hold");

    EXPECT_FALSE(transfer.ImportGroupFile(Picks(dir / "Sniper.dat")).treeRebuilt);
    EXPECT_EQ(notices.Tips(), (std::vector<int>{macro_tip::kNameExists}));
    EXPECT_EQ(library.GroupCount(), 2);

    // The group's file is always <name>.dat, whatever the picked file was called.
    WriteGroup("Upper", {u"U"}, dir.Path());
    std::filesystem::rename(dir / "Upper.dat", dir / "Upper.DAT.bak");
    transfer.ImportGroupFile(Picks(dir / "Upper.DAT.bak"));
    EXPECT_EQ(library.GroupName(2), "Upper");
    EXPECT_EQ(FileEntry("Upper", 0), Named(u"U"));
}

TEST_F(MacroImportExportTest, ImportRefusals) {
    EXPECT_FALSE(transfer.ImportGroupFile(Picks(std::nullopt)).treeRebuilt) << "cancelled";
    dir.Write("skins/config/PUBG.dat", "[Macros]\r\nmacroNum=0\r\n");
    transfer.ImportGroupFile(Picks(data / "config" / "PUBG.dat"));
    transfer.ImportGroupFile(Picks(data / "config" / ".." / "config" / "constMacro.dat"));
    EXPECT_TRUE(notices.Tips().empty()) << "the built-in files are ignored silently";

    struct Case {
        const char* file;
        int tip;
    } cases[] = {
        {".dat", macro_tip::kCannotCreate},
        {"CON.dat", macro_tip::kCannotCreate},
        {"trail..dat", macro_tip::kCannotCreate},
        {"Home.dat", macro_tip::kNameExists},
    };
    for (const Case& c : cases) {
        notices.Clear();
        const auto file = dir.Write(std::string("in/") + c.file, "[Macros]\r\nmacroNum=0\r\n");
        transfer.ImportGroupFile(Picks(file));
        EXPECT_EQ(notices.Tips(), (std::vector<int>{c.tip})) << c.file;
    }
    EXPECT_EQ(ListFile(), (Strings{"Home"}));

    notices.Clear();
    for (int i = 1; i < 12; ++i) {
        library.NewGroup();
    }
    transfer.ImportGroupFile(NeverAsked());
    EXPECT_EQ(notices.Tips(), (std::vector<int>{macro_tip::kTooMany}));
}

TEST_F(MacroImportExportTest, ExportingAGroupKeepsForeignKeys) {
    const auto target = dir.Write("out.dat", "[Mine]\r\nkey=1\r\n");
    transfer.ExportGroupFile(Picks(target));
    const std::string text = dir.Read("out.dat");
    EXPECT_EQ(text.rfind("[Mine]\r\nkey=1\r\n[Init]\r\nDAT_VER=3\r\n[Macros]\r\nmacroNum=2\r\n", 0),
              0u);
    EXPECT_EQ(files.ReadMacroEntry(target, 1), Named(u"Fire"));

    while (library.GroupCount() > 0) {
        library.DeleteGroup();
    }
    transfer.ExportGroupFile(NeverAsked());
    EXPECT_EQ(notices.Tips(), (std::vector<int>{macro_tip::kCannotCreate}));
}

TEST_F(MacroImportExportTest, SingleMacrosTravelUnderUniqueNames) {
    library.SelectRow(0, "1");  // expand Home
    library.SelectRow(1, "1");  // Aim
    const auto file = dir / "Aim.sdat";
    transfer.ExportMacroFile(Picks(file));
    EXPECT_EQ(files.ReadMacroFile(file), Named(u"Aim"));

    LibraryRefresh refresh = transfer.ImportMacroFile(Picks(file));
    EXPECT_TRUE(refresh.stepListEmptied && refresh.treeRebuilt);
    EXPECT_EQ(FileEntry("Home", 2), Named(u"Aim02"));
    EXPECT_EQ(library.CurrentMacro(), 2);
    EXPECT_EQ(library.MacroCount(0), 3);

    // Into an empty group it keeps its own name.
    library.NewGroup();
    transfer.ImportMacroFile(Picks(file));
    EXPECT_EQ(FileEntry("Group", 0), Named(u"Aim"));

    while (library.OpenCount() < 12) {
        library.NewMacro();
    }
    notices.Clear();
    transfer.ImportMacroFile(NeverAsked());
    EXPECT_EQ(notices.Tips(), (std::vector<int>{macro_tip::kTooMany}));
}

}  // namespace
}  // namespace novu
