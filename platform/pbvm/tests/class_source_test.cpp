// Class, DataWindow and object-list entries: compiled from their sources and
// parsed back as the runtime reads them.
#include <gtest/gtest.h>

#include <cstring>

#include "class_source.h"

namespace {

pbvm::Bytes bytes(const std::string& s) { return pbvm::Bytes(s.begin(), s.end()); }

TEST(ClassSource, CompiledClassParsesBackWithTypesObjectsAndGlobals) {
    auto entry = pbvm::CompileClassSource(bytes(
        "# comment\n"
        "class w_x window\n"
        "global 28 message message\n"
        "object w_x window - -\n"
        "  title = \"A title with = sign\"\n"
        "  width = 1800\n"
        "object cb_1 commandbutton w_x 42\n"
        "  text = \"OK\"\n"
        "script cb_1 +clicked\n"
        "_initsrc\n"
        "window\nw_x\nstatictext\ncb_1\n"));
    ASSERT_EQ(std::memcmp(entry.data(), "PBC0600\0", 8), 0);
    std::string error;
    auto def = pbvm::ParseClassEntry(entry, error);
    ASSERT_TRUE(def) << error;
    EXPECT_EQ(def->name, "w_x");
    EXPECT_EQ(def->kind, "window");
    EXPECT_EQ(def->typeId("w_x"), 0x8002);
    EXPECT_EQ(def->typeId("cb_1"), 0x8004);
    EXPECT_EQ(def->typeId("nothing"), 0);
    EXPECT_EQ(def->typeName(0x8003), "statictext");
    EXPECT_EQ(def->typeName(0x8005), "");
    ASSERT_TRUE(def->object("cb_1"));
    EXPECT_EQ(def->object("cb_1")->parent, "w_x");
    EXPECT_EQ(def->object("cb_1")->field, 42);
    EXPECT_EQ(def->object("cb_1")->text("text"), "OK");
    EXPECT_EQ(def->object("w_x")->text("title"), "A title with = sign");
    EXPECT_EQ(def->object("w_x")->number("width"), 1800);
    ASSERT_TRUE(def->global(28));
    EXPECT_EQ(def->global(28)->className, "message");
    EXPECT_EQ(def->scripts, (std::vector<std::string>{"cb_1 +clicked"}));
}

TEST(ClassSource, DamagedClassEntriesAreRejected) {
    std::string error;
    EXPECT_FALSE(pbvm::ParseClassEntry(bytes("PDW0606"), error));
    EXPECT_FALSE(pbvm::ParseClassEntry(pbvm::Bytes{'P', 'B', 'C', '0', '6', '0', '0', 0, 'x'}, error));
    auto entry = pbvm::CompileClassSource(bytes("class a window\nobject a window - -\n_initsrc\nwindow\na\n"));
    entry.pop_back();
    entry.pop_back();  // the last type name loses its zero
    EXPECT_FALSE(pbvm::ParseClassEntry(entry, error));
    EXPECT_THROW(pbvm::CompileClassSource(bytes("class a window\n")), std::runtime_error);
}

// Numbers in a class entry are numbers in range, or the entry is damaged.
TEST(ClassSource, NumbersThatAreNoNumbersOrOutOfRangeAreRefused) {
    const std::string good = "class a window\nglobal 28 message message\ninstance 40 x long\n"
                             "object a window - -\n  width = 1800\nobject b statictext a 38\n";
    auto parse = [](const std::string& lines, std::string& error) {
        return pbvm::ParseClassEntry(pbvm::CompileClassSource(bytes(lines + "_initsrc\nwindow\na\n")), error);
    };
    std::string error;
    auto def = parse(good, error);
    ASSERT_TRUE(def) << error;
    EXPECT_EQ(def->instanceVariables.at(0).field, 40);
    EXPECT_EQ(def->object("a")->number("width"), 1800);
    const std::pair<std::string, std::string> damages[] = {
        {"a 38", "a zz"},           {"a 38", "a 99999999999"},  {"a 38", "a -2"},
        {"a 38", "a 65536"},        {"a 38", "a 3 8"},          {"global 28", "global x28"},
        {"global 28", "global 70000"}, {"instance 40", "instance 4e1"}, {"1800", "1e999"},
        {"1800", "4294967296"},     {"1800", "0x708"},          {"1800", "18 00"},
        {"message message", "message"},
    };
    for (const auto& [from, to] : damages) {
        std::string damaged = good;
        damaged.replace(damaged.find(from), from.size(), to);
        EXPECT_FALSE(parse(damaged, error)) << damaged;
        EXPECT_NE(error.find(to), std::string::npos) << error;
    }
    // The range of 32-bit values, signed or not, is kept.
    std::string wide = good;
    wide.replace(wide.find("1800"), 4, "4294967295\n  x = -2147483648");
    def = parse(wide, error);
    ASSERT_TRUE(def) << error;
    EXPECT_EQ(def->object("a")->number("width"), 4294967295L);
    EXPECT_EQ(def->object("a")->number("x"), -2147483648L);
}

TEST(ClassSource, DataWindowEntriesStartWithTheirMagic) {
    auto entry = pbvm::CompileDataWindowSource(bytes("datawindow d_x\n"));
    ASSERT_GE(entry.size(), 11u);
    EXPECT_EQ(std::memcmp(entry.data(), "PDW0606\0pdw", 11), 0);
}

TEST(ClassSource, ObjectListOfTheProgramIs97Bytes) {
    auto list = pbvm::BuildObjectList("pbapplet32.apl", {"_typedef.grp", "pbapplet32.apl", "w_main1.win", "m_main.men",
                                                         "w_about.win", "w_samples.win"});
    EXPECT_EQ(list.size(), 97u);
    EXPECT_EQ(list[0], 1);
    std::string error;
    auto parsed = pbvm::ParseObjectList(list, error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->application, "pbapplet32.apl");
    ASSERT_EQ(parsed->classes.size(), 6u);
    EXPECT_EQ(parsed->classes[5], "w_samples.win");
    list.resize(60);  // cut inside a name
    EXPECT_FALSE(pbvm::ParseObjectList(list, error));
}

}  // namespace
