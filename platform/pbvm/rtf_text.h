#pragma once
// Rich text documents (RTF) turned into the HTML that Qt's text edit shows:
// paragraphs, line breaks, tabs, bold, italic, underline, font sizes and
// character escapes. Font and colour tables, style sheets and other
// destinations are skipped.
#include <string>

namespace pbvm {

std::string RtfToHtml(const std::string& rtf);

}  // namespace pbvm
