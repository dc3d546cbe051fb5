#include "macro/macro_files.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "macro/macro_codec.h"
#include "support/temp_folder.h"

namespace novu {
namespace {

using test::TempFolder;

MacroRecord Named(std::u16string_view name, std::uint16_t repeat = 1) {
    MacroRecord record;
    SetMacroName(record, name);
    record.repeatCount = repeat;
    return record;
}

class MacroFilesTest : public ::testing::Test {
protected:
    std::string Entry(const MacroRecord& record) const { return EncodeMacro(record, 1); }
    std::filesystem::path WriteFile(std::string_view name, const std::string& text) {
        files.Forget(dir / name);
        return dir.Write(name, text);
    }

    TempFolder dir;
    IniFiles ini;
    MacroFiles files{ini, MacVkAndText([] { return 1; })};
};

TEST_F(MacroFilesTest, GroupFileLayoutAndCount) {
    const auto file = dir / "Group.dat";
    const std::vector<MacroRecord> three = {Named(u"One"), Named(u"Two"), Named(u"Three")};
    ASSERT_TRUE(files.WriteGroupFile(file, three));
    EXPECT_EQ(dir.Read("Group.dat"),
              "[Init]\r\nDAT_VER=3\r\n[Macros]\r\nmacroNum=3\r\n0=" + Entry(three[0]) +
                  "\r\n1=" + Entry(three[1]) + "\r\n2=" + Entry(three[2]) + "\r\n");

    // A shorter group leaves the later entries in the file; macroNum hides them.
    ASSERT_TRUE(files.WriteGroupFile(file, std::vector<MacroRecord>{Named(u"Solo")}));
    EXPECT_NE(dir.Read("Group.dat").find("\r\n2="), std::string::npos);
    const GroupFileContent content = files.ReadGroupFile(file);
    EXPECT_TRUE(content.found);
    EXPECT_EQ(content.datVer, 3);
    ASSERT_EQ(content.records.size(), 1u);
    EXPECT_EQ(content.records[0], Named(u"Solo"));
    EXPECT_EQ(files.ReadMacroEntry(file, 2), MacroRecord{});
    EXPECT_EQ(files.ReadMacroKey(file, "2"), three[2]) << "the key itself is still there";

    EXPECT_FALSE(files.ReadGroupFile(dir / "none.dat").found);
    EXPECT_EQ(files.ReadMacroEntry(dir / "none.dat", 0), MacroRecord{});
}

TEST_F(MacroFilesTest, MacroNumDecidesWhatIsRead) {
    const std::string a = Entry(Named(u"A")), f = Entry(Named(u"F"));
    const auto file = WriteFile("n.dat", "[Init]\nDAT_VER=3\n[Macros]\nmacroNum=3\n0=" + a +
                                             "\n1=" + a + "\n2=" + a + "\n5=" + f + "\n");
    EXPECT_EQ(files.ReadGroupFile(file).records.size(), 3u);
    EXPECT_EQ(files.ReadMacroEntry(file, 5), MacroRecord{});
    EXPECT_EQ(files.ReadMacroNames(file).count, 3);
    EXPECT_EQ(files.ReadMacroNames(file).names[2], "A");
    EXPECT_EQ(files.ReadMacroNames(file).names[5], "");

    struct Case {
        const char* macroNum;
        std::size_t records;  // ReadGroupFile
        int names;            // ReadMacroNames
    } cases[] = {
        {"13", 12, 0},    // above 12: the group holds 12, the menus show none
        {"123", 12, 12},  // only two characters are read: 12
        {"0", 0, 0},     {"-1", 0, 0}, {"x", 0, 0}, {"", 0, 0},
    };
    std::string entries;
    for (int i = 0; i < 14; ++i) {
        entries += std::to_string(i) + "=" + a + "\n";
    }
    for (const Case& c : cases) {
        const auto odd =
            WriteFile("odd.dat", std::string("[Macros]\nmacroNum=") + c.macroNum + "\n" + entries);
        EXPECT_EQ(files.ReadGroupFile(odd).records.size(), c.records) << c.macroNum;
        EXPECT_EQ(files.ReadMacroNames(odd).count, c.names) << c.macroNum;
    }
    EXPECT_EQ(files.ReadGroupFile(dir / "odd.dat", 13).records.size(), 0u);
}

TEST_F(MacroFilesTest, OlderFilesAreReadWithTheShorterHeader) {
    std::vector<std::uint8_t> bytes(kHeaderLengthOld + kStepAreaBytes + kLedAreaBytes, 0);
    bytes[0] = 'O';
    bytes[macro_offset::kEventCount] = 1;
    bytes[kHeaderLengthOld + slot_offset::kType] = 1;
    bytes[kHeaderLengthOld + slot_offset::kCode] = 0x41;
    const std::string value = FormatByteString(bytes);
    for (const char* init : {"[Init]\nDAT_VER=2\n", ""}) {
        const auto file =
            WriteFile("old.dat", std::string(init) + "[Macros]\nmacroNum=1\n0=" + value + "\n");
        const MacroRecord record = files.ReadMacroEntry(file, 0);
        EXPECT_EQ(MacroName(record), u"O");
        EXPECT_EQ(EventAt(record, 0), (MacroEvent{1, 0x04, 0, 0, 0})) << init;
    }
}

TEST_F(MacroFilesTest, EntryWritesKeepTheRestOfTheFile) {
    const auto file = WriteFile("keep.dat",
                                "; mine\r\n[Extra]\r\nx=1\r\n[Macros]\r\nmacroNum=1\r\n"
                                "0=" +
                                    Entry(Named(u"Zero")) + "\r\nnote=kept\r\n");
    ASSERT_TRUE(files.WriteMacroEntry(Named(u"One"), file, 1, 2));
    const std::string text = dir.Read("keep.dat");
    EXPECT_NE(text.find("; mine\r\n[Extra]\r\nx=1\r\n"), std::string::npos);
    EXPECT_NE(text.find("note=kept"), std::string::npos);
    EXPECT_EQ(files.ReadDatVer(file), 3);
    EXPECT_EQ(files.ReadMacroNum(file), 2);
    EXPECT_EQ(files.ReadMacroEntry(file, 0), Named(u"Zero"));
    EXPECT_EQ(files.ReadMacroEntry(file, 1), Named(u"One"));
}

TEST_F(MacroFilesTest, AWriterWithoutTheGroupOpenKeepsTheFilesCount) {
    std::vector<MacroRecord> five(5, Named(u"M"));
    const auto file = dir / "five.dat";
    ASSERT_TRUE(files.WriteGroupFile(file, five));
    ASSERT_TRUE(files.WriteMacroEntryKeepingCount(Named(u"Played"), file, 2));
    EXPECT_EQ(files.ReadMacroNum(file), 5) << "the other macros stay visible";
    EXPECT_EQ(files.ReadMacroEntry(file, 2), Named(u"Played"));
    ASSERT_TRUE(files.WriteMacroEntryKeepingCount(Named(u"Later"), file, 7));
    EXPECT_EQ(files.ReadMacroNum(file), 8);
    EXPECT_FALSE(files.WriteMacroEntryKeepingCount(Named(u"X"), file, 12));
    EXPECT_FALSE(files.WriteMacroEntry(Named(u"X"), file, -1, 1));
}

TEST_F(MacroFilesTest, NamesAreDecodedOnceUntilTheFileChanges) {
    const auto file = dir / "names.dat";
    ASSERT_TRUE(files.WriteGroupFile(file, std::vector<MacroRecord>{Named(u"Aim"), Named(u"Go")}));
    const GroupMacroNames first = files.ReadMacroNames(file);
    EXPECT_EQ(first.count, 2);
    EXPECT_EQ(first.names[0], "Aim");
    EXPECT_EQ(first.names[1], "Go");
    const auto parses = ini.ParseCount();
    const auto decodes = files.NameDecodeCount();
    EXPECT_EQ(files.ReadMacroNames(file).names, first.names);
    EXPECT_EQ(ini.ParseCount(), parses);
    EXPECT_EQ(files.NameDecodeCount(), decodes);

    // Another program changes a name without changing the size, within the same second.
    std::string text = dir.Read("names.dat");
    const std::string aim = EncodeMacro(Named(u"Aim"), 1).substr(0, 9);
    text.replace(text.find(aim), 9, EncodeMacro(Named(u"Bim"), 1).substr(0, 9));
    dir.Write("names.dat", text);
    EXPECT_EQ(files.ReadMacroNames(file).names[0], "Bim");

    // Our own writes are seen at once.
    ASSERT_TRUE(files.WriteMacroEntry(Named(u"Third"), file, 2, 3));
    EXPECT_EQ(files.ReadMacroNames(file).names[2], "Third");
    std::filesystem::remove(file);
    EXPECT_EQ(files.ReadMacroNames(file).count, 0);
}

TEST_F(MacroFilesTest, SingleMacroFile) {
    const auto file = dir / "Aim.sdat";
    MacroRecord record = Named(u"Aim", 3);
    record.eventCount = 1;
    SetEvent(record, 0, {step_type::kPress, 0x04, 0, 0, 25});
    ASSERT_TRUE(files.WriteMacroFile(record, file));
    EXPECT_EQ(dir.Read("Aim.sdat"), "[Macros]\r\nMacro=" + Entry(record) + "\r\n");
    EXPECT_EQ(Entry(record).size(), 7863u);
    EXPECT_EQ(files.ReadMacroFile(file), record);

    const auto other = WriteFile("other.sdat", "[Macros]\r\nnote=1\r\n");
    EXPECT_EQ(files.ReadMacroFile(other), MacroRecord{}) << "no key: an empty macro";
    ASSERT_TRUE(files.WriteMacroFile(record, other));
    EXPECT_NE(dir.Read("other.sdat").find("note=1"), std::string::npos);
}

}  // namespace
}  // namespace novu
