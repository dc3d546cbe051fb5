#include "base/ini_files.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "support/temp_folder.h"

namespace novu {
namespace {

using test::TempFolder;

TEST(IniFiles, MissingFileOrKeyReadsTheDefault) {
    TempFolder dir;
    IniFiles ini;
    EXPECT_EQ(ini.GetString(dir / "none.ini", "Init", "CurConfig", "dflt", 5), "dflt");
    EXPECT_EQ(ini.GetNumber(dir / "none.ini", "Init", "CurConfig", 5), 0);
    const auto file = dir.Write("a.ini", "[Init]\r\nCurConfig=2\r\n");
    EXPECT_EQ(ini.GetString(file, "Init", "Other", "", 5), "");
    EXPECT_EQ(ini.GetNumber(file, "init", "CURCONFIG", 5), 2);
    EXPECT_FALSE(ini.Exists(dir / "none.ini"));
    EXPECT_TRUE(ini.Exists(file));
}

TEST(IniFiles, ValuesAreCutToTheBufferSizeMinusOneCharacter) {
    TempFolder dir;
    IniFiles ini;
    const auto file =
        dir.Write("a.ini",
                  "[Config0]\r\nK0=123456789012\r\n[ShareData]\r\nFIRE_TIME=12345\r\n"
                  "[PRODUCTNAME]\r\nPRODUCTNAME_CN=\xE6\xB8\xB8\xE6\x88\x8F\xF0\x9F\x98\x80\r\n");
    EXPECT_EQ(ini.GetNumber(file, "Config0", "K0", 10), 123456789);  // first nine digits
    EXPECT_EQ(ini.GetNumber(file, "ShareData", "FIRE_TIME", 5), 1234);
    // Two Chinese characters and an emoji are four UTF-16 units; a cut inside the emoji
    // drops it whole.
    EXPECT_EQ(ini.GetString(file, "PRODUCTNAME", "PRODUCTNAME_CN", "", 4),
              "\xE6\xB8\xB8\xE6\x88\x8F");
    EXPECT_EQ(ini.GetString(file, "PRODUCTNAME", "PRODUCTNAME_CN", "", 5),
              "\xE6\xB8\xB8\xE6\x88\x8F\xF0\x9F\x98\x80");
}

TEST(IniFiles, WritesKeepAHandEditedFileUntouchedAroundThem) {
    TempFolder dir;
    IniFiles ini;
    const auto file = dir / "hand_edited.ini";
    std::filesystem::copy_file(test::TestData() / "ini" / "hand_edited.ini", file);
    ASSERT_TRUE(ini.WriteNumber(file, "INIT", "CurConfig", 3));
    ASSERT_TRUE(ini.WriteNumber(file, "Init", "VER_SEL", 1));
    ASSERT_TRUE(ini.WriteNumber(file, "ShareData", "FIRE_TIME", 50));
    ASSERT_TRUE(ini.Update(file, [](IniFiles::Batch& batch) {
        batch.SetNumber("Config0", "K1", 2);
        batch.SetNumber("Config1", "K0", 5);
    }));
    const auto expected = ReadWholeFile(test::TestData() / "ini" / "hand_edited.expected");
    ASSERT_TRUE(expected);
    EXPECT_EQ(dir.Read("hand_edited.ini"), *expected);
}

TEST(IniFiles, NewFilesAreUtf8WithCrlf) {
    TempFolder dir;
    IniFiles ini;
    ASSERT_TRUE(ini.WriteString(dir / "new.ini", "Init", "DAT_VER", "3"));
    EXPECT_EQ(dir.Read("new.ini"), "[Init]\r\nDAT_VER=3\r\n");
}

TEST(IniFiles, AnInterruptedWriteLeavesTheOldFileIntact) {
    TempFolder dir;
    std::filesystem::path seenTemporary;
    IniFiles ini(AtomicWriteHooks{[&](const std::filesystem::path& temporary) -> Result<void> {
        seenTemporary = temporary;
        return MakeError(Fault::File, "disk full");
    }});
    const auto file = dir.Write("config.ini", "[Init]\r\nCurConfig=1\r\n");
    const auto written = ini.WriteNumber(file, "Init", "CurConfig", 2);
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().fault, Fault::File);
    EXPECT_EQ(dir.Read("config.ini"), "[Init]\r\nCurConfig=1\r\n");
    EXPECT_EQ(ini.GetNumber(file, "Init", "CurConfig", 5), 1);
    EXPECT_FALSE(seenTemporary.empty());
    EXPECT_FALSE(std::filesystem::exists(seenTemporary));
}

TEST(IniFiles, FailedWritesAreReported) {
    TempFolder dir;
    IniFiles ini;
    const auto missingFolder = ini.WriteString(dir / "no" / "such" / "a.ini", "A", "k", "v");
    ASSERT_FALSE(missingFolder);
    EXPECT_EQ(missingFolder.error().fault, Fault::File);
    const auto lineBreak = ini.WriteString(dir / "a.ini", "A", "k", "two\r\nlines");
    ASSERT_FALSE(lineBreak);
    EXPECT_EQ(lineBreak.error().fault, Fault::Caller);
    EXPECT_FALSE(std::filesystem::exists(dir / "a.ini"));
}

TEST(IniFiles, ParsesAFileOnceAndNoticesOutsideChanges) {
    TempFolder dir;
    IniFiles ini;
    const auto file = dir.Write("a.ini", "[A]\r\nk=1\r\n");
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(ini.GetNumber(file, "A", "k", 5), 1);
    }
    EXPECT_EQ(ini.ParseCount(), 1u);
    // Another program rewrites the file with the same size right away.
    dir.Write("a.ini", "[A]\r\nk=2\r\n");
    EXPECT_EQ(ini.GetNumber(file, "A", "k", 5), 2);
    // Our own writes keep the cache without a new parse.
    ASSERT_TRUE(ini.WriteNumber(file, "A", "k", 3));
    const auto parses = ini.ParseCount();
    EXPECT_EQ(ini.GetNumber(file, "A", "k", 5), 3);
    EXPECT_EQ(ini.ParseCount(), parses);
}

TEST(IniFiles, WritesFromSeveralThreadsAreSerialised) {
    TempFolder dir;
    IniFiles ini;
    const auto file = dir / "shared.ini";
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int k = 0; k < 25; ++k) {
                ASSERT_TRUE(
                    ini.WriteNumber(file, "T" + std::to_string(t), "K" + std::to_string(k), k));
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    IniFiles fresh;
    for (int t = 0; t < 4; ++t) {
        for (int k = 0; k < 25; ++k) {
            EXPECT_EQ(fresh.GetNumber(file, "T" + std::to_string(t), "K" + std::to_string(k), 5),
                      k);
        }
    }
}

}  // namespace
}  // namespace novu
