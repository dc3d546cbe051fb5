#include "i18n/language_texts.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "base/recorded_notices.h"
#include "support/temp_folder.h"

namespace novu {
namespace {

using test::TempFolder;

class LanguageTextsTest : public ::testing::Test {
protected:
    TempFolder dir;
    IniFiles ini;
    RecordedNotices notices;
    LanguageTexts texts{DataFolder{dir.Path()}, ini, notices};
};

TEST_F(LanguageTextsTest, ReadsFieldOneOfEveryTable) {
    dir.Write("1_INI_EN/LanguageText.ini",
              "[TipText]\r\n5=0,The file could not be found.,0\r\n"
              "[UniqueName_MouseKey]\r\n0=0,Mouse keys,0\r\n"
              "[UniqueName_DevMac]\r\n20=0,Left button,0\r\n49=0,Last,0\r\n50=0,Beyond,0\r\n"
              "[UniqueName_LED]\r\n1=a,b,c,d,e,f\r\n2=a,b,c,d\r\n"
              "[uniquename_other]\r\n 12 =  0,ms,0  \r\n");
    texts.Load(1);
    EXPECT_TRUE(notices.Notices().empty());
    EXPECT_EQ(texts.Text(TextTable::TipText, 5), "The file could not be found.");
    EXPECT_EQ(texts.Text(TextTable::UniqueName_MouseKey, 0), "Mouse keys");
    EXPECT_EQ(texts.Text(TextTable::UniqueName_DevMac, 20), "Left button");
    EXPECT_EQ(texts.Text(TextTable::UniqueName_DevMac, 49), "Last");
    EXPECT_EQ(texts.Text(TextTable::UniqueName_DevMac, 50), "") << "only keys 0..49 are read";
    EXPECT_EQ(texts.Text(TextTable::UniqueName_DevMac, -1), "");
    EXPECT_EQ(texts.Text(TextTable::UniqueName_LED, 1), "b");
    EXPECT_EQ(texts.Text(TextTable::UniqueName_LED, 2), "") << "three commas: no text";
    EXPECT_EQ(texts.Text(TextTable::UniqueName_Other, 12), "ms")
        << "section names ignore case, blanks around names and values are dropped";
    EXPECT_EQ(texts.Text(TextTable::TipText, 6), "") << "a missing key is an empty entry";
}

TEST_F(LanguageTextsTest, ValueIsCutAt259CharactersBeforeItIsSplit) {
    // A long text loses its closing ",0" to the cut; the one comma left still gives the text.
    const std::string longText(300, 'x');
    dir.Write("0_INI_CN/LanguageText.ini", "[TipText]\r\n1=0," + longText +
                                               ",0\r\n"
                                               "2=0," +
                                               std::string(250, 'y') + "表格表格,0\r\n");
    texts.Load(0);
    EXPECT_EQ(texts.Text(TextTable::TipText, 1), std::string(257, 'x'));
    EXPECT_EQ(texts.Text(TextTable::TipText, 2), std::string(250, 'y') + "表格表格")
        << "characters are counted, not bytes";
}

TEST_F(LanguageTextsTest, MissingFileShowsTheMessageBoxAndEmptiesTheTables) {
    dir.Write("1_INI_EN/LanguageText.ini",
              "[UniqueName_DevMac]\r\n20=0,Left button,0\r\n"
              "[UniqueName_MouseKey]\r\nfontFlag=1\r\n");
    texts.Load(1);
    ASSERT_EQ(texts.Text(TextTable::UniqueName_DevMac, 20), "Left button");

    texts.Load(2);
    EXPECT_EQ(notices.Notices(), (std::vector<RecordedNotices::Notice>{
                                     {RecordedNotices::Kind::MessageBox, -1, "找不到配置文件"}}));
    EXPECT_EQ(texts.Text(TextTable::UniqueName_DevMac, 20), "");
    EXPECT_EQ(texts.Fonts(), FontKeys{});
}

TEST_F(LanguageTextsTest, FontKeys) {
    dir.Write(
        "12_INI_JP/LanguageText.ini",
        "[UniqueName_MouseKey]\r\nfontFlag=1\r\nfont=fonts/Local.ttf\r\nfontName=Local Sans\r\n");
    dir.Write("1_INI_EN/LanguageText.ini", "[UniqueName_MouseKey]\r\nfontFlag=\r\n");
    texts.Load(12);
    EXPECT_EQ(texts.Fonts(), (FontKeys{"1", "fonts/Local.ttf", "Local Sans"}));
    texts.Load(1);
    EXPECT_EQ(texts.Fonts(), FontKeys{}) << "an empty flag reads like an absent one";
}

TEST_F(LanguageTextsTest, ReadersSeeWholeTablesWhileTheyAreReloaded) {
    dir.Write("0_INI_CN/LanguageText.ini", "[UniqueName_DevMac]\r\n20=0,左键,0\r\n");
    dir.Write("1_INI_EN/LanguageText.ini", "[UniqueName_DevMac]\r\n20=0,Left button,0\r\n");
    texts.Load(0);

    std::atomic<bool> done{false};
    std::atomic<int> unexpected{0};
    std::vector<std::thread> readers;
    for (int r = 0; r < 3; ++r) {
        readers.emplace_back([&] {
            while (!done.load()) {
                const std::string name = texts.Text(TextTable::UniqueName_DevMac, 20);
                if (name != "左键" && name != "Left button") {
                    ++unexpected;
                }
            }
        });
    }
    for (int i = 0; i < 200; ++i) {
        texts.Load(i % 2);
    }
    done = true;
    for (auto& reader : readers) {
        reader.join();
    }
    EXPECT_EQ(unexpected.load(), 0);
    EXPECT_EQ(texts.Text(TextTable::UniqueName_DevMac, 20), "Left button");
}

}  // namespace
}  // namespace novu
