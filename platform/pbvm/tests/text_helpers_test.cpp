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
