// The rich-text reader and the rich-text box: runs read from rich text, the
// selection and its formatting.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <gtest/gtest.h>

#include "error_of.h"
#include "forms.h"
#include "richtextbox.h"
#include "rtf_reader.h"
#include "test_driver.h"

using forms::Default;
using formtest::ErrorOf;

namespace {

const char* kIntro =
    "Use this applet with the Tavorin Quentor: Hanzel! card. Discover how easy it is to test the controls in "
    "your Visual Basic applications, including:";

class frmIntro : public forms::Form {
public:
    frmIntro() : Form("frmIntro") {
        Caption("Intro");
        ClientSize(8430, 5115);
        rtfVBStuff.Text(kIntro);
        rtfVBStuff.Change = [this] { ++changes; };
    }
    int changes = 0;
    forms::RichTextBox rtfVBStuff{this, "rtfVBStuff", 120, 120, 4215, 2175};
};

// The texts of the document's bold runs.
std::vector<std::string> BoldRuns(const QTextDocument& doc) {
    std::vector<std::string> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().fontWeight() >= QFont::Bold)
                out.push_back(it.fragment().text().toStdString());
        }
    }
    return out;
}

TEST(RtfReader, ReadsRunsParagraphsAndEscapesAndSkipsTables) {
    const char* rtf =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Times New Roman;}}"
        "{\\colortbl ;\\red255\\green0\\blue0;}{\\*\\generator Writer 1.0;}"
        "\\pard\\f0\\fs24 Plain {\\b bold \\i both\\i0} after\\par\n"
        "caf\\'e9\\tab \\u8364?5 \\{x\\} \\ul under\\ulnone\\b  B\\b0 .\\par}";
    const forms::rtf::Document doc = forms::rtf::Read(rtf);
    ASSERT_EQ(doc.paragraphs.size(), 3u);  // the closing \par opens an empty one
    const auto& p0 = doc.paragraphs[0].runs;
    ASSERT_EQ(p0.size(), 4u);
    EXPECT_EQ(p0[0].text, "Plain ");
    EXPECT_FALSE(p0[0].bold);
    EXPECT_EQ(p0[0].pointSize, 12);
    EXPECT_EQ(p0[1].text, "bold ");
    EXPECT_TRUE(p0[1].bold);
    EXPECT_EQ(p0[2].text, "both");
    EXPECT_TRUE(p0[2].bold && p0[2].italic);
    EXPECT_EQ(p0[3].text, " after");  // the group's end restored the format
    EXPECT_FALSE(p0[3].bold || p0[3].italic);
    EXPECT_EQ(doc.PlainText(), "Plain bold both after\ncaf\xC3\xA9\t\xE2\x82\xAC" "5 {x} under B.\n");
    const auto& p1 = doc.paragraphs[1].runs;
    ASSERT_GE(p1.size(), 3u);
    EXPECT_EQ(p1[1].text, "under");
    EXPECT_TRUE(p1[1].underline);
    EXPECT_EQ(p1[2].text, " B");  // the blank after \b ends the word
    EXPECT_TRUE(p1[2].bold && !p1[2].underline);
    EXPECT_EQ(p1[3].text, ".");
    EXPECT_FALSE(p1[3].bold);

    EXPECT_TRUE(forms::rtf::IsRtf("{\\rtf1 x}"));
    EXPECT_FALSE(forms::rtf::IsRtf("plain {\\rtf1"));
    // Unbalanced input ends where the text ends.
    EXPECT_EQ(forms::rtf::Read("{\\rtf1 {\\b open").PlainText(), "open");
    EXPECT_EQ(forms::rtf::Read("{\\rtf1 a}}} b\\").PlainText(), "a b");
}

// Damaged rich text is read as far as it goes.
TEST(RtfReader, DamagedNumbersAndEscapesAreReadAsFarAsTheyGo) {
    using forms::rtf::Read;
    // \' takes exactly two hex digits: no sign, no blank, nothing else.
    EXPECT_EQ(Read("{\\rtf1 a\\'-1b}").PlainText(), "a-1b");
    EXPECT_EQ(Read("{\\rtf1 a\\' 9b}").PlainText(), "a 9b");
    EXPECT_EQ(Read("{\\rtf1 bad hex \\'zz here}").PlainText(), "bad hex zz here");
    EXPECT_EQ(Read("{\\rtf1 x\\'4").PlainText(), "x4");

    // A size beyond what the box shows, or beyond 32 bits, keeps the box's size.
    forms::rtf::Document big = Read("{\\rtf1\\fs99999999999 big}");
    ASSERT_EQ(big.paragraphs[0].runs.size(), 1u);
    EXPECT_EQ(big.paragraphs[0].runs[0].text, "big");
    EXPECT_EQ(big.paragraphs[0].runs[0].pointSize, 0);
    EXPECT_EQ(Read("{\\rtf1\\fs100000 x}").paragraphs[0].runs[0].pointSize, 0);
    EXPECT_EQ(Read("{\\rtf1\\fs3276 x}").paragraphs[0].runs[0].pointSize, 1638);
    // A bold word with a damaged number changes nothing.
    EXPECT_FALSE(Read("{\\rtf1\\b99999999999 x}").paragraphs[0].runs[0].bold);

    // \u: a number that is no character shows its fallback; surrogate pairs
    // make one character; a lone high surrogate is a replacement character.
    EXPECT_EQ(Read("{\\rtf1 a\\u99999999999?b}").PlainText(), "a?b");
    EXPECT_EQ(Read("{\\rtf1 a\\u1114112?b}").PlainText(), "a?b");
    EXPECT_EQ(Read("{\\rtf1 \\u-10179?\\u-8704?}").PlainText(), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Read("{\\rtf1 a\\u-10179?b}").PlainText(), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(Read("{\\rtf1 a\\u-8704?b}").PlainText(), "a?b");

    // \binN data is skipped whatever it holds, and no further than the end.
    EXPECT_EQ(Read("{\\rtf1 a{\\pict\\bin3 x{y}b}").PlainText(), "ab");
    EXPECT_EQ(Read("{\\rtf1 a{\\pict\\bin99999 xyz}b}").PlainText(), "a");
    EXPECT_EQ(Read("{\\rtf1 a{\\pict\\bin99999999999 xyz}b}").PlainText(), "a");
}

TEST(PlatformRichTextBox, DamagedRichTextShowsWhatCouldBeRead) {
    forms::testing::Driver driver;
    frmIntro& f = Default<frmIntro>();
    forms::RichTextBox& r = f.rtfVBStuff;
    f.Show();
    r.TextRTF("{\\rtf1\\fs99999999999 big \\'zz here\\u99999999999?}");
    EXPECT_EQ(r.Text(), "big zz here?");
    r.TextRTF("{\\rtf1{\\*\\pict\\bin99999999999 ");
    EXPECT_EQ(r.Text(), "");
    r.TextRTF("{\\rtf1 still works}");
    EXPECT_EQ(r.Text(), "still works");
    f.UnloadForm();
}

TEST(PlatformRichTextBox, SelectionMadeBoldAndRead) {
    forms::testing::Driver driver;
    frmIntro& f = Default<frmIntro>();
    forms::RichTextBox& r = f.rtfVBStuff;
    f.Show();
    const std::string phrase = "Tavorin Quentor: Hanzel!";
    r.SelStart(25);
    r.SelLength(static_cast<std::int32_t>(phrase.size()));
    EXPECT_EQ(r.SelText(), phrase);
    EXPECT_FALSE(r.SelBold().ToBool());
    r.SelBold(true);
    EXPECT_TRUE(r.SelBold().ToBool());
    r.SelStart(0);
    r.SelLength(0);
    EXPECT_EQ(r.SelStart(), 0);
    EXPECT_EQ(r.SelLength(), 0);
    EXPECT_EQ(BoldRuns(r.Document()), std::vector<std::string>{phrase});
    EXPECT_EQ(r.Text(), kIntro);

    // Over the phrase and the word after it, some characters are bold.
    r.SelStart(25);
    r.SelLength(static_cast<std::int32_t>(phrase.size()) + 5);
    EXPECT_TRUE(r.SelBold().IsNull());
    r.SelStart(0);
    r.SelLength(24);
    EXPECT_FALSE(r.GetMember("SelBold").ToBool());

    // The widget shows the same document and selection.
    auto* edit = qobject_cast<QTextEdit*>(r.Widget());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->toPlainText().toStdString(), kIntro);
    EXPECT_EQ(edit->textCursor().selectionEnd(), 24);

    // The start and length stop at the end; negative ones are refused.
    r.SelStart(100000);
    EXPECT_EQ(r.SelStart(), static_cast<std::int32_t>(std::string(kIntro).size()));
    r.SetMember("SelLength", vb::Variant(5));
    EXPECT_EQ(r.SelLength(), 0);
    EXPECT_EQ(ErrorOf([&] { r.SelStart(-1); }), 380);
    EXPECT_EQ(ErrorOf([&] { r.SelLength(-1); }), 380);

    // Unloading brings back the designed text without the bold phrase.
    f.UnloadForm();
    f.Show();
    EXPECT_TRUE(BoldRuns(r.Document()).empty());
    EXPECT_EQ(r.Text(), kIntro);
}

TEST(PlatformRichTextBox, LoadsRichTextAndPlainText) {
    forms::testing::Driver driver;
    frmIntro& f = Default<frmIntro>();
    forms::RichTextBox& r = f.rtfVBStuff;
    f.Show();
    f.changes = 0;
    r.SetMember("TextRTF", vb::Variant("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 One {\\b Two} Three\\par Four}"));
    EXPECT_EQ(f.changes, 1);
    EXPECT_EQ(r.Text(), "One Two Three\r\nFour");
    EXPECT_EQ(BoldRuns(r.Document()), std::vector<std::string>{"Two"});
    r.SelStart(4);
    r.SelLength(3);
    EXPECT_TRUE(r.SelBold().ToBool());
    r.SelStart(14);  // the second paragraph
    r.SelLength(4);
    EXPECT_EQ(r.SelText(), "Four");
    EXPECT_FALSE(r.SelBold().ToBool());
    r.SelItalic(true);
    EXPECT_TRUE(r.SelItalic().ToBool());

    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "rtb-load";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "note.rtf") << "{\\rtf1 \\b Loud\\b0  quiet}";
    std::ofstream(dir / "note.txt") << "{\\rtf1 kept as typed}\r\nline two";
    r.CallMember("LoadFile", {vb::Variant((dir / "note.rtf").string())});
    EXPECT_EQ(r.Text(), "Loud quiet");
    EXPECT_EQ(BoldRuns(r.Document()), std::vector<std::string>{"Loud"});
    r.LoadFile((dir / "note.txt").string(), forms::rtfText);
    EXPECT_EQ(r.Text(), "{\\rtf1 kept as typed}\r\nline two");
    EXPECT_TRUE(BoldRuns(r.Document()).empty());
    EXPECT_EQ(ErrorOf([&] { r.LoadFile((dir / "missing.rtf").string()); }), 53);
    EXPECT_EQ(r.Text(), "{\\rtf1 kept as typed}\r\nline two");
    std::filesystem::remove_all(dir);
}

}  // namespace
