#include <gtest/gtest.h>

#include "hive_format.h"

using namespace reg;

namespace {

const char* kHive = "HKEY_CURRENT_USER";

KeyNode RoundTrip(const KeyNode& root) {
    return ReadHive(WriteHive(root, kHive), kHive);
}

int FormatErrorLine(const std::string& text) {
    try {
        ReadHive(text, kHive);
    } catch (const HiveFormatError& e) {
        return e.line();
    }
    return -1;
}

}  // namespace

TEST(HiveFormat, AwkwardNamesAndTextsRoundTrip) {
    const std::string awkward[] = {
        "plain", "a=b", "back\\slash", "line\nbreak\r\n", "100%", "%41", "@", "@home", "[bracket]",
        "#hash", " padded ", "tab\there", "caf\xc3\xa9 \xe6\x97\xa5\xe6\x9c\xac", std::string("nul\0in", 6),
        "",
    };
    KeyNode root;
    KeyNode& key = root.DescendOrCreate({"Software", "Odd [key] = %20", "caf\xc3\xa9\nline"});
    int i = 0;
    for (const auto& s : awkward) {
        key.Set(s.empty() ? std::string() : s, Value::Text(s + "|" + std::to_string(i++)));
        if (!s.empty()) key.ChildOrCreate(s);
    }
    key.Set("number", Value::Number(4294967295u));
    key.Set("zero", Value::Number(0));
    key.Set("bytes", Value::Bytes(std::string("\x00\xff\x10", 3)));
    key.Set("empty bytes", Value::Bytes(""));
    key.Set("multi", Value::Bytes(std::string("a\0b\0\0", 5), 7));
    root.Set("root value", Value::Text("at the top"));
    root.DescendOrCreate({"Empty", "Leaf"});

    KeyNode back = RoundTrip(root);
    EXPECT_TRUE(back == root);
    const KeyNode* k = back.Descend({"software", "ODD [KEY] = %20", "CAF\xc3\x89\nLINE"});
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->name(), "caf\xc3\xa9\nline");
    ASSERT_NE(k->Find("a=b"), nullptr);
    EXPECT_EQ(k->Find("a=b")->data, "a=b|1");
    EXPECT_EQ(k->Find("")->data, "|14");
    EXPECT_EQ(k->Find("@")->data, "@|6");
    EXPECT_EQ(k->Find("multi")->type, 7u);
    EXPECT_NE(back.Descend({"Empty", "Leaf"}), nullptr);
}

TEST(HiveFormat, FileIsReadableText) {
    KeyNode root;
    KeyNode& key = root.DescendOrCreate({"Software", "VB and VBA Program Settings", "Tavorin VB", "Hanzel"});
    key.Set("DatabasePath", Value::Text("/opt/orvanta/tavorin.mdb"));
    key.Set("", Value::Text("default"));
    key.Set("Count", Value::Number(42));
    const std::string text = WriteHive(root, kHive);
    EXPECT_NE(text.find("[Software\\VB and VBA Program Settings\\Tavorin VB\\Hanzel]\n"
                        "DatabasePath=sz:/opt/orvanta/tavorin.mdb\n"
                        "@=sz:default\n"
                        "Count=dword:42\n"),
              std::string::npos)
        << text;
    EXPECT_TRUE(text.starts_with("#orvanta-registry 1 HKEY_CURRENT_USER\n"));
    EXPECT_TRUE(text.ends_with("#end\n"));
}

TEST(HiveFormat, EmptyHiveRoundTrips) {
    KeyNode root;
    EXPECT_TRUE(RoundTrip(root) == root);
}

TEST(HiveFormat, DamagedFilesAreRejectedWithTheirLine) {
    const std::string head = "#orvanta-registry 1 HKEY_CURRENT_USER\n";
    EXPECT_EQ(FormatErrorLine(""), 1);
    EXPECT_EQ(FormatErrorLine("#orvanta-registry 1 HKEY_LOCAL_MACHINE\n#end\n"), 1);
    EXPECT_EQ(FormatErrorLine("garbage\n#end\n"), 1);
    // Cut short: no closing line, or a last line without its line break.
    EXPECT_EQ(FormatErrorLine(head + "[A]\nx=sz:1\n"), 0);
    EXPECT_EQ(FormatErrorLine(head + "[A]\nx=sz:1\n#end"), 0);
    EXPECT_EQ(FormatErrorLine(head + "x=sz:1\n#end\n"), 2);
    EXPECT_EQ(FormatErrorLine(head + "[A]\nno equals sign\n#end\n"), 3);
    EXPECT_EQ(FormatErrorLine(head + "[A]\nx=text\n#end\n"), 3);
    EXPECT_EQ(FormatErrorLine(head + "[A]\nx=dword:12a\n#end\n"), 3);
    EXPECT_EQ(FormatErrorLine(head + "[A]\nx=dword:4294967296\n#end\n"), 3);
    EXPECT_EQ(FormatErrorLine(head + "[A]\nx=sz:50%\n#end\n"), 3);
    EXPECT_EQ(FormatErrorLine(head + "[A]\nx=sz:%zz\n#end\n"), 3);
    EXPECT_EQ(FormatErrorLine(head + "[A]\nx=hex:1,2\n#end\n"), 3);
    EXPECT_EQ(FormatErrorLine(head + "[A]\nx=sz:1\nX=sz:2\n#end\n"), 4);
    EXPECT_EQ(FormatErrorLine(head + "[A\\\\B]\n#end\n"), 2);
    EXPECT_EQ(FormatErrorLine(head + "[A\n#end\n"), 2);
    EXPECT_EQ(FormatErrorLine(head + "#comment\n#end\n"), 2);
    // Line ends written by another editor are accepted.
    EXPECT_EQ(FormatErrorLine(head + "[A]\r\nx=sz:1\r\n#end\r\n"), -1);
}

// A key nested without end would overflow the stack when the tree is
// written back or freed: the file is refused instead.
TEST(HiveFormat, KeysNestedTooDeepAreRejected) {
    const std::string head = "#orvanta-registry 1 HKEY_CURRENT_USER\n";
    const auto nested = [](std::size_t depth) {
        std::string path = "k";
        for (std::size_t i = 1; i < depth; ++i) path += "\\k";
        return path;
    };
    EXPECT_EQ(FormatErrorLine(head + "[" + nested(kMaxKeyDepth) + "]\nv=sz:x\n#end\n"), -1);
    EXPECT_EQ(FormatErrorLine(head + "[A]\n[" + nested(kMaxKeyDepth + 1) + "]\nv=sz:x\n#end\n"), 3);
    EXPECT_EQ(FormatErrorLine(head + "[" + nested(200000) + "]\nv=sz:x\n#end\n"), 2);
}
