// Resources compiled from a resource script into the test server and read
// back through the loaded module; the script compiler's errors; the
// locale's language abbreviation.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "com.h"
#include "resource_format.h"
#include "resource_script.h"

using namespace com;

namespace {

class Resources : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibrary(TEST_SERVER);
        ASSERT_NE(module_, nullptr) << LastLoadError();
    }
    void TearDown() override { FreeLibrary(module_); }
    HMODULE module_ = nullptr;
};

std::string File(const std::string& name) {
    std::ifstream in(std::string(TEST_SERVER_DIR) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST_F(Resources, StringsByNumber) {
    char buffer[64];
    EXPECT_EQ(LoadString(module_, 1000, buffer, sizeof buffer), 22);
    EXPECT_STREQ(buffer, "Test server properties");
    EXPECT_EQ(LoadStringText(module_, 2005), "First line\nSecond line \"quoted\" ünïcödé");
    // Cut to the buffer, never inside a character: "First line\nSecond line \"quoted\" ü" is 32 bytes + 2.
    char small[34];
    const int n = LoadString(module_, 2005, small, sizeof small);
    EXPECT_EQ(n, 32);
    EXPECT_STREQ(small, "First line\nSecond line \"quoted\" ");
    EXPECT_EQ(LoadString(module_, 1001, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
}

TEST_F(Resources, DialogVersionDataAndImages) {
    const auto dialog = LoadDialogTemplate(module_, 2000);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->style, 0x40000000u | DS_SETFONT | DS_3DLOOK);
    EXPECT_EQ(dialog->cx, 195);
    EXPECT_EQ(dialog->cy, 127);
    EXPECT_EQ(dialog->pointSize, 8);
    EXPECT_EQ(dialog->fontName, "MS Sans Serif");
    ASSERT_EQ(dialog->items.size(), 1u);
    EXPECT_EQ(dialog->items[0].className, "Static");
    EXPECT_EQ(dialog->items[0].cx, 50);

    const auto version = LoadVersionInfo(module_);
    ASSERT_TRUE(version);
    EXPECT_EQ(version->fileVersion[0], 1);
    EXPECT_EQ(version->fileVersion[3], 4);
    EXPECT_EQ(version->Value("FileDescription"), "Orvanta test server");
    EXPECT_EQ(version->Value("olesELFregister"), "");
    EXPECT_FALSE(version->Value("CompanyName"));

    // RCDATA: 16-bit numbers, 32-bit with L, texts as written.
    HRSRC map = FindResource(module_, "intlsz_langmap", RT_RCDATA);
    ASSERT_NE(map, nullptr);
    const std::string expected = std::string("\x07\x00\x01\x00", 4) + "serverdeu.dll" + std::string(1, '\0') +
                                 std::string("\x0C\x00\x01\x00\x00\x00", 6) + "serverfra.dll" + std::string(1, '\0');
    ASSERT_EQ(SizeofResource(module_, map), expected.size());
    EXPECT_EQ(std::string(static_cast<const char*>(LockResource(LoadResource(module_, map))), expected.size()),
              expected);

    EXPECT_EQ(ResourceBytes(module_, 1, RT_BITMAP), File("toolbox.ppm"));
    EXPECT_EQ(ResourceBytes(module_, 1, RT_ICON), File("icon.ppm"));  // icon group 2 holds icon 1
    EXPECT_TRUE(ResourceBytes(module_, 2, RT_GROUP_ICON));
    EXPECT_TRUE(ResourceBytes(module_, 1, RT_TYPELIB));
    EXPECT_FALSE(ResourceBytes(module_, 3, RT_ICON));
}

TEST_F(Resources, ModuleFileNames) {
    const std::string path = ModuleFileName(module_);
    EXPECT_EQ(path, std::filesystem::weakly_canonical(TEST_SERVER).string());
    char buffer[8];
    EXPECT_EQ(GetModuleFileName(module_, buffer, sizeof buffer), 7u);
    EXPECT_EQ(std::string(buffer), path.substr(0, 7));
    EXPECT_EQ(ModuleFromAddress(GetProcAddress(module_, "DllCanUnloadNow")), module_);
    EXPECT_EQ(GetProcAddress(module_, "NoSuchExport"), nullptr);
    EXPECT_EQ(LoadLibrary("/nonexistent/lib.ocx"), nullptr);
    EXPECT_FALSE(LastLoadError().empty());
}

namespace {
std::string ScriptError(const std::string& text) {
    const auto path = std::filesystem::temp_directory_path() / ("rc-test-" + std::to_string(::getpid()) + ".rc");
    std::ofstream(path) << text;
    std::string message;
    try {
        rc::CompileScript(path.string());
    } catch (const rc::ScriptError& e) {
        message = e.what();
    }
    std::filesystem::remove(path);
    const auto colon = message.find(".rc:");
    return colon == std::string::npos ? message : message.substr(colon + 4);
}
}  // namespace

TEST(ResourceScript, ReportsMistakesWithTheirLine) {
    EXPECT_EQ(ScriptError("STRINGTABLE\nBEGIN\n  1 \"a\"\n  1 \"b\"\nEND\n"), "4: resource defined twice");
    EXPECT_EQ(ScriptError("1 ICON \"nowhere.ico\"\n").substr(0, 15), "1: cannot read ");
    EXPECT_EQ(ScriptError("1 DIALOG 0, 0, 10, 10\nSTYLE WS_WOBBLY\nBEGIN\nEND\n"), "2: unknown style WS_WOBBLY");
    EXPECT_EQ(ScriptError("STRINGTABLE\nBEGIN\n  0 \"zero\"\nEND\n"), "3: expected a string number");
    EXPECT_EQ(ScriptError("\n\n1 RCDATA\nBEGIN\n \"open\nEND\n"), "5: text without its closing quote");
}

TEST(ResourceFormat, ABlockIsReadWithinItsExtent) {
    const std::string block = format::EncodeResourceBlock({{RT_STRING, 1000, "text"}, {"TYPELIB", 1, "OVTL"}});
    const auto all = format::DecodeResourceBlock(std::string_view(block));
    ASSERT_TRUE(all);
    ASSERT_EQ(all->size(), 2u);
    EXPECT_EQ((*all)[1].data, "OVTL");
    // A block cut short, or one whose header claims more than it has, is refused.
    EXPECT_FALSE(format::DecodeResourceBlock(std::string_view(block).substr(0, block.size() - 1)));
    std::string claimsMore = block;
    claimsMore[8] = static_cast<char>(claimsMore[8] + 1);
    EXPECT_FALSE(format::DecodeResourceBlock(std::string_view(claimsMore)));
    EXPECT_FALSE(format::DecodeResourceBlock(std::string_view(block).substr(0, 11)));
    // A record's length beyond the block.
    std::string longRecord = block;
    longRecord[block.find("text") - 4] = '\x7f';
    EXPECT_FALSE(format::DecodeResourceBlock(std::string_view(longRecord)));
}

TEST(LocaleInfo, TheLanguageAbbreviationFollowsTheLocale) {
    char buffer[4];
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    ASSERT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, buffer, sizeof buffer), 4);
    EXPECT_STREQ(buffer, "DEU");
    setenv("LC_ALL", "C", 1);
    GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "ENU");
    setenv("LC_ALL", "xx_YY", 1);
    GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "XXY");
    EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, buffer, 3), 0);  // does not fit
    ASSERT_TRUE(SetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, "eNu"));
    GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "eNu");
    SetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, "");
    unsetenv("LC_ALL");
}
