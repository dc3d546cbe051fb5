#include "base/profile_document.h"

#include <gtest/gtest.h>

namespace novu {
namespace {

TEST(ProfileDocument, ReadsAsThePlatformDoes) {
    const auto doc = ProfileDocument::Parse(
        "top=ignored\r\n"
        "[ Init ]\r\n"
        "  CurConfig  =  3  \r\n"
        "Name=\"quoted\"\r\n"
        "Half=\"open\r\n"
        "Empty=\r\n"
        "NoEquals\r\n"
        ";Comment=1\r\n"
        "[init]\r\n"
        "CurConfig=9\r\n"
        "Extra=1\r\n");
    EXPECT_EQ(doc.Find("INIT", "curconfig"), "3");  // the first section with the name wins
    EXPECT_EQ(doc.Find("Init", "Name"), "quoted");
    EXPECT_EQ(doc.Find("Init", "Half"), "\"open");
    EXPECT_EQ(doc.Find("Init", "Empty"), "");
    EXPECT_EQ(doc.Find("Init", "NoEquals"), "");
    EXPECT_EQ(doc.Find("Init", "Extra"), std::nullopt);  // only in the second [init]
    EXPECT_EQ(doc.Find("Init", ";Comment"), std::nullopt);
    EXPECT_EQ(doc.Find("Missing", "CurConfig"), std::nullopt);
    EXPECT_EQ(doc.Find("", "top"), std::nullopt);
}

TEST(ProfileDocument, WritesReplaceInPlaceAndAppendAtTheEnd) {
    auto doc = ProfileDocument::Parse("[A]\nx=1\n; about B\n[B]\ny=2");
    EXPECT_TRUE(doc.Set("a", "X", "5"));
    EXPECT_TRUE(doc.Set("A", "z", "6"));
    EXPECT_TRUE(doc.Set("B", "w", "7"));
    EXPECT_TRUE(doc.Set("C", "v", "8"));
    EXPECT_FALSE(doc.Set("b", "Y", "2"));  // unchanged value, line left as it was
    EXPECT_EQ(doc.Serialize(), "[A]\nx=5\nz=6\n; about B\n[B]\ny=2\nw=7\n[C]\nv=8\n");
}

TEST(ProfileDocument, NewFileIsUtf8WithCrlf) {
    ProfileDocument doc;
    doc.Set("Init", "DAT_VER", "3");
    doc.Set("Macros", "macroNum", "0");
    EXPECT_EQ(doc.Serialize(), "[Init]\r\nDAT_VER=3\r\n[Macros]\r\nmacroNum=0\r\n");
}

TEST(ProfileDocument, KeepsEncodingAndLineEndsOfItsFile) {
    // UTF-16LE with BOM and CRLF, as the platform writes Unicode profile files.
    const std::u16string text = u"[PRODUCTNAME]\r\nPRODUCTNAME_CN=游戏鼠标\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    auto doc = ProfileDocument::Parse(bytes);
    EXPECT_EQ(doc.Encoding(), TextEncoding::Utf16Le);
    EXPECT_EQ(doc.Find("ProductName", "PRODUCTNAME_CN"), "游戏鼠标");
    doc.Set("PRODUCTNAME", "DevString", "X");
    const auto reparsed = ProfileDocument::Parse(doc.Serialize());
    EXPECT_EQ(reparsed.Encoding(), TextEncoding::Utf16Le);
    EXPECT_EQ(reparsed.Find("PRODUCTNAME", "PRODUCTNAME_CN"), "游戏鼠标");
    EXPECT_EQ(reparsed.Find("PRODUCTNAME", "DevString"), "X");
    const std::string tail("X\0\r\0\n\0", 6);  // the added line, in UTF-16LE with CRLF
    EXPECT_TRUE(doc.Serialize().ends_with(tail));

    auto bom = ProfileDocument::Parse("\xEF\xBB\xBF[a]\nk=v\n");
    bom.Set("a", "n", "1");
    EXPECT_EQ(bom.Serialize(), "\xEF\xBB\xBF[a]\nk=v\nn=1\n");
}

}  // namespace
}  // namespace novu
