#include "in_str_last.h"

#include <gtest/gtest.h>

namespace {

TEST(InStrLast, FindsTheLastOccurrence) {
    EXPECT_EQ(orvanta::InStrLast("D:\\Prog\\Orvanta", "\\"), 8);
    EXPECT_EQ(orvanta::InStrLast("/home/user/Orvanta", "/"), 11);
    EXPECT_EQ(orvanta::InStrLast("/", "/"), 1);
    EXPECT_EQ(orvanta::InStrLast("abcabc", "bc"), 5);
}

TEST(InStrLast, NoOccurrenceGivesZero) {
    EXPECT_EQ(orvanta::InStrLast("abc", "\\"), 0);
    EXPECT_EQ(orvanta::InStrLast("", "\\"), 0);
    EXPECT_EQ(orvanta::InStrLast("ab", "abc"), 0);
}

TEST(InStrLast, OverlappingOccurrencesCount) {
    EXPECT_EQ(orvanta::InStrLast("aaa", "aa"), 2);
    EXPECT_EQ(orvanta::InStrLast("aaaa", "aa"), 3);
}

TEST(InStrLast, ComparesCharacterCodesExactly) {
    EXPECT_EQ(orvanta::InStrLast("ABC", "b"), 0);
    EXPECT_EQ(orvanta::InStrLast("AbCb", "b"), 4);
}

}  // namespace
