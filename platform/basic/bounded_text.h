#pragma once
// Texts shown in message and error boxes are bounded: a text from outside
// (a settings value, a database error, a file name) can be megabytes long,
// and a dialog that lays all of it out stops answering.
#include <cstddef>
#include <string>
#include <string_view>

namespace vb {

constexpr std::size_t kShownTextCharacters = 1024;
constexpr std::size_t kShownTextLines = 24;

// `text` as a box shows it: at most `maxLines` lines, then a line holding
// only "…", and at most `maxCharacters` characters (code points; a line
// break, "\r\n" too, is one), then "…". A text within both bounds comes back
// unchanged. Only the part that is kept is read, so a text of any size is
// bounded at once.
std::string BoundedShownText(std::string_view text, std::size_t maxCharacters = kShownTextCharacters,
                             std::size_t maxLines = kShownTextLines);

}  // namespace vb
