// Damaged copies of the rich-text documents the programs show: the reader
// never throws or crashes, always gives valid UTF-8 in at least one
// paragraph, and the rich-text box shows every one of them.
#include <fstream>
#include <sstream>

#include <QString>

#include <gtest/gtest.h>

#include "forms.h"
#include "mutated_inputs.h"
#include "richtextbox.h"
#include "rtf_reader.h"
#include "test_driver.h"

namespace {

std::vector<std::string> Samples() {
    std::vector<std::string> samples = {
        // The showcase programs' introductions.
        "{\\rtf1\\ansi\\fs24 Use this applet with the Tavorin Quentor: Hanzel! card. Discover how easy it is to "
        "test the controls in your Visual Basic applications, including:}",
        "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 Use this applet with the {\\b Tavorin Quentor: Hanzel!} "
        "card.\\par Caf\\'e9 \\u8364? 5\\tab {\\i italic} {\\ul underlined}\\par}",
        // What a word processor writes: tables, destinations, Unicode with fallbacks, pictures.
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Times New Roman;}}"
        "{\\colortbl ;\\red255\\green0\\blue0;}{\\*\\generator Writer 1.0;}"
        "\\pard\\f0\\fs24 Plain {\\b bold \\i both\\i0} after\\par\n"
        "caf\\'e9\\tab \\u8364?5 \\{x\\} \\ul under\\ulnone\\b  B\\b0 .\\par}",
        "{\\rtf1\\ansi\\ansicpg1252\\uc1{\\info{\\title Notes}}{\\stylesheet{\\s0 Normal;}}"
        "\\plain\\fs20 One\\line two\\~three\\_four \\uc2\\u-10179\\'3f\\'3f\\u-8704??\\uc1 "
        "{\\pict\\wmetafile8\\picw100\\pich100\\bin4 \x01}{\\ }\\par {\\header head}end\\\n}",
    };
    // The second showcase's introduction, where the tree has it.
    std::ifstream in(std::string(SOURCE_DIR) + "/showcase/hanzelpb/pb60.rtf", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!text.str().empty()) samples.push_back(text.str());
    return samples;
}

const std::vector<std::string> kWords = {
    "{", "}", "\\", "\\'", "\\'e9", "\\'zz", "\\u", "\\u-", "\\uc", "\\uc0", "\\bin", "\\bin2 ", "\\fs", "\\b",
    "\\b0", "\\par", "\\*", "{\\fonttbl", "{\\pict", "\\plain", "\\line", "\\tab", "\\ul", "\\i ", " ", "?",
    "\\u-10179?", "\\u-8704?", "{{{{{{{{", "}}}}}}}}"};

bool ValidUtf8(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())).toUtf8() ==
           QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

class frmRtfFuzz : public forms::Form {
public:
    frmRtfFuzz() : Form("frmRtfFuzz") { ClientSize(6000, 4000); }
    forms::RichTextBox rtfText{this, "rtfText", 120, 120, 5000, 3000};
};

}  // namespace

TEST(RtfReaderFuzz, DamagedDocumentsAreReadWithoutFailing) {
    MutatedInputs inputs(Samples(), kWords, 20260901);
    for (int n = 0; n < 4000; ++n) {
        const std::string rtf = inputs.Next();
        SCOPED_TRACE("input " + std::to_string(n));
        forms::rtf::Document doc;
        ASSERT_NO_THROW(doc = forms::rtf::Read(rtf));
        ASSERT_FALSE(doc.paragraphs.empty());
        for (const auto& p : doc.paragraphs) {
            for (const auto& run : p.runs) {
                ASSERT_TRUE(ValidUtf8(run.text));
                ASSERT_TRUE(run.pointSize >= 0 && run.pointSize <= 1638);
            }
        }
    }
}

TEST(RtfReaderFuzz, TheRichTextBoxShowsDamagedDocuments) {
    forms::testing::Driver driver;
    frmRtfFuzz& f = forms::Default<frmRtfFuzz>();
    f.Show();
    MutatedInputs inputs(Samples(), kWords, 7);
    for (int n = 0; n < 300; ++n) {
        std::string rtf = inputs.Next();
        if (!forms::rtf::IsRtf(rtf)) rtf.insert(0, "{\\rtf1 ");
        SCOPED_TRACE("input " + std::to_string(n));
        ASSERT_NO_THROW(f.rtfText.TextRTF(rtf));
        ASSERT_NO_THROW(f.rtfText.Text());
    }
    f.UnloadForm();
}
