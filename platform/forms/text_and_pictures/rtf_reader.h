#pragma once
// Reads rich text (RTF) into paragraphs of formatted runs, for the rich-text
// box. The subset our documents use: groups, \b \i \ul (and their 0 and
// \ulnone forms), \plain, \fs (half points), \par, \line, \tab, \'hh
// (Windows-1252 bytes), \uN (with \ucN fallback characters skipped, and
// surrogate pairs joined), escaped \\ \{ \}, \~ and \_; the font, colour and
// style tables, document information and every \* destination are skipped,
// \binN data is passed over, other control words are ignored.
// Damaged input is read as far as it goes: a control word whose number does
// not fit 32 bits is ignored, \' without two hex digits is plain text, a
// \u number that is no character shows its fallback, and \fs sizes the box
// cannot show (above 1638 points) leave the box's own size.
#include <string>
#include <string_view>
#include <vector>

namespace forms::rtf {

struct Run {
    std::string text;  // UTF-8; a tab stays '\t'
    bool bold = false;
    bool italic = false;
    bool underline = false;
    double pointSize = 0;  // 0: the box's own font size
};

struct Paragraph {
    std::vector<Run> runs;
};

struct Document {
    std::vector<Paragraph> paragraphs;  // at least one
    std::string PlainText() const;      // paragraphs joined with "\n"
};

// Whether the text is rich text (begins with "{\rtf").
bool IsRtf(std::string_view text);

// Reads the text. Unbalanced groups end the document where the text ends;
// nothing in the input makes it fail.
Document Read(std::string_view rtf);

}  // namespace forms::rtf
