#include <gtest/gtest.h>

#include "error_number.h"
#include "text_functions.h"

using namespace vb;

TEST(TextFunctions, CountCharactersNotBytes) {
    const std::string s = "Dvořák – Slavonic";  // ř, á and the dash take several bytes
    EXPECT_EQ(Len(s), 17);
    EXPECT_EQ(Left(s, 6), "Dvořák");
    EXPECT_EQ(Right(s, 8), "Slavonic");
    EXPECT_EQ(Mid(s, 4, 3), "řák");
    EXPECT_EQ(Mid(s, 8), "– Slavonic");
    EXPECT_EQ(InStr(s, "á"), 5);
    EXPECT_EQ(InStr(s, "S"), 10);
    EXPECT_EQ(InStr(6, s, "k"), 6);
    EXPECT_EQ(UCase(s), "DVOŘÁK – SLAVONIC");
    EXPECT_EQ(LCase("ÉCOLE"), "école");
    EXPECT_EQ(InStr(1, s, "ŘÁK", CompareMethod::Text), 4);
    EXPECT_EQ(Len(""), 0);
}

TEST(TextFunctions, EdgesOfMidLeftRightInStr) {
    EXPECT_EQ(Mid("abc", 5), "");
    EXPECT_EQ(Mid("abc", 2, 100), "bc");
    EXPECT_EQ(Mid("abc", 1, 0), "");
    EXPECT_EQ(Left("abc", 10), "abc");
    EXPECT_EQ(Right("abc", 0), "");
    EXPECT_EQ(InStr("abc", ""), 1);
    EXPECT_EQ(InStr(4, "abc", "c"), 0);
    EXPECT_EQ(InStr("", "a"), 0);
    EXPECT_EQ(InStr("aaa", "aa"), 1);
    EXPECT_EQ(InStr(2, "aaa", "aa"), 2);
    EXPECT_EQ(InStr("abc", "C"), 0);
    EXPECT_EQ(ErrorNumber([] { Mid("abc", 0); }), 5);
    EXPECT_EQ(ErrorNumber([] { Mid("abc", 1, -1); }), 5);
    EXPECT_EQ(ErrorNumber([] { Left("abc", -1); }), 5);
    EXPECT_EQ(ErrorNumber([] { InStr(0, "abc", "a"); }), 5);
}

TEST(TextFunctions, TrimRemovesBlanksOnly) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(LTrim("  a "), "a ");
    EXPECT_EQ(RTrim("  a "), "  a");
    EXPECT_EQ(Trim("\ta\t"), "\ta\t");
    EXPECT_EQ(Trim("   "), "");
}

TEST(TextFunctions, CharacterCodes) {
    EXPECT_EQ(Chr(65), "A");
    EXPECT_EQ(Chr(13) + Chr(10), vbCrLf);
    EXPECT_EQ(Chr(128), "€");
    EXPECT_EQ(Chr(233), "é");
    EXPECT_EQ(Asc("A"), 65);
    EXPECT_EQ(Asc("€uro"), 128);
    EXPECT_EQ(Asc("é"), 233);
    EXPECT_EQ(Asc("ř"), '?');
    EXPECT_EQ(AscW("ř"), 0x159);
    EXPECT_EQ(ChrW(0x65B0), "新");
    EXPECT_EQ(ErrorNumber([] { Chr(256); }), 5);
    EXPECT_EQ(ErrorNumber([] { Asc(""); }), 5);
    EXPECT_EQ(Space(3), "   ");
    EXPECT_EQ(String(3, "xyz"), "xxx");
    EXPECT_EQ(String(2, "é"), "éé");
    EXPECT_EQ(String(2, 65), "AA");
    EXPECT_EQ(ErrorNumber([] { String(2, ""); }), 5);
}

TEST(TextFunctions, ReplaceSplitJoin) {
    EXPECT_EQ(Replace("a\\b\\c", "\\", "/"), "a/b/c");
    EXPECT_EQ(Replace("abcabc", "b", "XX", 1, 1), "aXXcabc");
    EXPECT_EQ(Replace("abcabc", "b", "", 3), "cac");  // starts at the start position
    EXPECT_EQ(Replace("ABCabc", "b", "-", 1, -1, CompareMethod::Text), "A-Ca-c");
    EXPECT_EQ(Replace("abc", "", "x"), "abc");
    EXPECT_EQ(Split("a,b,,c", ","), (std::vector<std::string>{"a", "b", "", "c"}));
    EXPECT_EQ(Split("a b c", " ", 2), (std::vector<std::string>{"a", "b c"}));
    EXPECT_TRUE(Split("", ",").empty());
    EXPECT_EQ(Split("abc", ""), (std::vector<std::string>{"abc"}));
    // Text comparison across letters whose cases differ in length in bytes.
    EXPECT_EQ(Split("a\u0130b\u0130c", "i", -1, CompareMethod::Text), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(Replace("x\u00C4y\u00E4", "\u00E4", "-", 1, -1, CompareMethod::Text), "x-y-");
    EXPECT_EQ(Join({"a", "b", "c"}, ", "), "a, b, c");
    EXPECT_EQ(StrComp("abc", "ABC"), 1);
    EXPECT_EQ(StrComp("abc", "ABC", CompareMethod::Text), 0);
}
