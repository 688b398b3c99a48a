// Texts bounded for message boxes: short texts unchanged, long ones cut in
// characters and lines with an ellipsis, never inside a character.
#include <gtest/gtest.h>

#include "bounded_text.h"
#include "utf8.h"

using vb::BoundedShownText;

namespace {
const std::string kEllipsis = "\xE2\x80\xA6";
}

TEST(BoundedShownText, TextsWithinTheBoundsAreUnchanged) {
    EXPECT_EQ(BoundedShownText(""), "");
    EXPECT_EQ(BoundedShownText("Disk not ready"), "Disk not ready");
    const std::string exact(1024, 'x');
    EXPECT_EQ(BoundedShownText(exact), exact);
    std::string lines;
    for (int i = 0; i < 24; ++i) lines += "line\r\n";
    EXPECT_EQ(BoundedShownText(lines), lines);  // 24 lines and their last break
}

TEST(BoundedShownText, LongTextsAreCutInCharactersNotBytes) {
    EXPECT_EQ(BoundedShownText(std::string(1025, 'x')), std::string(1024, 'x') + kEllipsis);
    std::string accents;
    for (int i = 0; i < 2000; ++i) accents += "\xC3\xA9";  // é
    const std::string cut = BoundedShownText(accents);
    EXPECT_EQ(vb::utf8::Length(cut), 1025u);
    EXPECT_EQ(cut.substr(0, 2048), accents.substr(0, 2048));
    EXPECT_EQ(cut.substr(2048), kEllipsis);
    EXPECT_EQ(BoundedShownText("abcdef", 3), "abc" + kEllipsis);
    // Line breaks count as one character each, "\r\n" too.
    EXPECT_EQ(BoundedShownText("a\r\nb\ncd", 4), "a\r\nb\n" + kEllipsis);
}

TEST(BoundedShownText, ManyLinesEndWithAnEllipsisLine) {
    std::string text;
    for (int i = 0; i < 30; ++i) text += "row " + std::to_string(i) + "\n";
    std::string expected;
    for (int i = 0; i < 24; ++i) expected += "row " + std::to_string(i) + "\n";
    EXPECT_EQ(BoundedShownText(text), expected + kEllipsis);
    EXPECT_EQ(BoundedShownText("a\rb\r\nc\nd", 1024, 2), "a\rb\r\n" + kEllipsis);
    // Empty lines count as lines.
    EXPECT_EQ(BoundedShownText(std::string(100, '\n'), 1024, 3), "\n\n\n" + kEllipsis);
}

TEST(BoundedShownText, AFourMegabyteTextGivesABoundedText) {
    std::string huge(4 << 20, 'D');
    huge += "\nend";
    const std::string cut = BoundedShownText(huge);
    EXPECT_EQ(cut, std::string(1024, 'D') + kEllipsis);
    std::string huge_lines;
    for (int i = 0; i < (1 << 20); ++i) huge_lines += "ab\r\n";
    EXPECT_LE(BoundedShownText(huge_lines).size(), 24u * 4 + kEllipsis.size());
}
