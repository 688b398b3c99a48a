// Settings files, hidden passwords, rich text and the low arena.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "ini_file.h"
#include "low_arena.h"
#include "rtf_text.h"

namespace {

TEST(ProfileString, KeysAndSectionsIgnoreCaseMissingOnesGiveTheDefault) {
    auto path = std::filesystem::temp_directory_path() / ("pbvm_ini_" + std::to_string(::getpid()) + ".ini");
    {
        std::ofstream out(path);
        out << "; comment\r\n[Other]\r\nDBMS=wrong\r\n[ database ]\r\n dbms = ODBC \r\nEmpty=\r\n";
    }
    EXPECT_EQ(pbvm::ReadProfileString(path.string(), "Database", "DBMS", " "), "ODBC");
    EXPECT_EQ(pbvm::ReadProfileString(path.string(), "DATABASE", "empty", " "), "");
    EXPECT_EQ(pbvm::ReadProfileString(path.string(), "Database", "LogID", " "), " ");
    EXPECT_EQ(pbvm::ReadProfileString(path.string(), "Missing", "DBMS", " "), " ");
    EXPECT_EQ(pbvm::ReadProfileString((path.string() + ".none"), "Database", "DBMS", " "), " ");
    std::filesystem::remove(path);
}

TEST(HidePasswords, PasswordKeysAndKnownSecretsAreMasked) {
    EXPECT_EQ(pbvm::HidePasswords("ConnectString='DSN=Tavorin;UID=dba;PWD=sql'", {}),
              "ConnectString='DSN=Tavorin;UID=dba;PWD=****'");
    EXPECT_EQ(pbvm::HidePasswords("LogPassword=abc;x", {}), "LogPassword=****;x");
    EXPECT_EQ(pbvm::HidePasswords("login failed for secret42", {"secret42", " ", "ab"}), "login failed for ****");
    EXPECT_EQ(pbvm::HidePasswords("DBMS=ODBC", {}), "DBMS=ODBC");
}

TEST(RtfText, ParagraphsBoldAndEscapesBecomeHtml) {
    std::string html = pbvm::RtfToHtml(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Plain \\b bold\\b0  a<b \\'e9\\par next\\u8364?}");
    EXPECT_NE(html.find("Plain "), std::string::npos);
    EXPECT_NE(html.find("font-weight:bold;\">bold"), std::string::npos);
    EXPECT_NE(html.find("a&lt;b \xC3\xA9"), std::string::npos);
    EXPECT_NE(html.find("</p><p>"), std::string::npos);
    EXPECT_NE(html.find("\xE2\x82\xAC"), std::string::npos);
    EXPECT_EQ(html.find("Arial;"), std::string::npos);  // the font table is not text
    EXPECT_EQ(html.find('?'), std::string::npos);       // the \u fallback is skipped
}

TEST(HidePasswords, EveryOccurrenceInALongTextIsMasked) {
    std::string text, expected;
    for (int i = 0; i < 20000; ++i) {
        text += "UID=dba;PWD=sql" + std::to_string(i) + ";Database=secret42,";
        expected += "UID=dba;PWD=****;Database=****,";
    }
    EXPECT_EQ(pbvm::HidePasswords(text, {"secret42"}), expected);
    // A key inside another word is no key.
    EXPECT_EQ(pbvm::HidePasswords("xpwd=1;LogPassword=;DatabasePassword=ab", {}), "xpwd=1;LogPassword=;DatabasePassword=****");
}

// A document that cannot be read whole is shown as far as it reads: a
// damaged escape or a parameter that is no 16-bit number is left out.
TEST(RtfText, DamagedEscapesAndNumbersAreLeftOutAndTheRestShown) {
    std::string html;
    ASSERT_NO_THROW(html = pbvm::RtfToHtml("{\\rtf1 bad hex \\'zz here}"));
    EXPECT_NE(html.find("bad hex zz here"), std::string::npos) << html;
    ASSERT_NO_THROW(html = pbvm::RtfToHtml("{\\rtf1\\fs99999999999 big}"));
    EXPECT_NE(html.find("font-size:12pt;\">big"), std::string::npos) << html;
    ASSERT_NO_THROW(html = pbvm::RtfToHtml("{\\rtf1\\fs- a \\fs0 b \\fs40 c \\u99999 d \\u-10179 e\\'4}"));
    EXPECT_NE(html.find("font-size:12pt;\">a b "), std::string::npos) << html;
    // Half of a surrogate pair is no character: the replacement character.
    EXPECT_NE(html.find("font-size:20pt;\">c d \xEF\xBF\xBD" "4</span>"), std::string::npos) << html;
    // Deeply nested groups keep their style and end where they end.
    const std::string deep = "{\\rtf1 " + std::string(100000, '{') + "\\b in" + std::string(100000, '}') + " out}";
    ASSERT_NO_THROW(html = pbvm::RtfToHtml(deep));
    EXPECT_NE(html.find("bold;\">in</span><span style=\"font-size:12pt;\"> out"), std::string::npos) << html;
}

TEST(LowArena, RecordsLieBelow4GiBAndAreReused) {
    pbvm::u32 a = pbvm::LowAlloc(24);
    ASSERT_NE(a, 0u);
    EXPECT_TRUE(pbvm::LowIsBlock(a));
    EXPECT_EQ(pbvm::Word(a), 0u);
    pbvm::Word(a) = 7;
    pbvm::LowFree(a);
    EXPECT_FALSE(pbvm::LowIsBlock(a));
    pbvm::u32 b = pbvm::LowAlloc(20);  // same size class
    EXPECT_EQ(b, a);
    EXPECT_EQ(pbvm::Word(b), 0u);  // zeroed again
    pbvm::LowFree(b);
}

// The context keeps 32-bit fields at offsets 2 mod 4: they are read and
// written whole, without touching their neighbours.
TEST(LowArena, FieldsAtAnyOffsetAreReadAndWrittenWhole) {
    const pbvm::u32 a = pbvm::LowAlloc(16);
    pbvm::Word(a + 2) = 0x11223344;
    pbvm::Word(a + 2) += 1;
    pbvm::Half(a + 7) = 0xBEEF;
    EXPECT_EQ(pbvm::Word(a + 2), 0x11223345u);
    EXPECT_EQ(pbvm::Half(a + 7), 0xBEEFu);
    const unsigned char* bytes = pbvm::At<unsigned char>(a);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(bytes[2], 0x45);
    EXPECT_EQ(bytes[5], 0x11);
    EXPECT_EQ(bytes[6], 0);
    EXPECT_EQ(bytes[7], 0xEF);
    EXPECT_EQ(bytes[8], 0xBE);
    pbvm::LowFree(a);
}

// An address above 4 GiB cannot go into a 32-bit field: it would be cut and
// name some other place.
TEST(LowArena, AddressesAbove4GiBAreRefused) {
    int onTheStack = 0;
    EXPECT_THROW(pbvm::Low(&onTheStack), std::out_of_range);
    const pbvm::u32 a = pbvm::LowAlloc(8);
    EXPECT_EQ(pbvm::Low(pbvm::At<void>(a)), a);
    pbvm::LowFree(a);
}

}  // namespace
