#pragma once
// UTF-8 helpers for the text functions: texts are counted and cut in
// characters (code points), never in bytes.
#include <cstddef>
#include <string>
#include <string_view>

namespace vb::utf8 {

// Number of code points in `s`. A byte that does not start a valid sequence
// counts as one character of its own.
std::size_t Length(std::string_view s);

// Byte offset of code point `index` (0-based); s.size() when past the end.
std::size_t Offset(std::string_view s, std::size_t index);

// Decodes the code point at byte `pos` and advances `pos` past it. An invalid
// byte decodes as itself (0x80..0xFF) and advances by one.
char32_t Next(std::string_view s, std::size_t& pos);

// Appends the UTF-8 form of `cp` to `out`.
void Append(std::string& out, char32_t cp);

// Case mapping of every character (Unicode simple case mapping).
std::string Lower(std::string_view s);
std::string Upper(std::string_view s);

// The text folded for comparing without regard to case: texts that differ
// only in case fold alike, final and medial sigma or long s and s included.
// Invalid bytes stay as they are.
std::string Fold(std::string_view s);

// Case-insensitive equality and ordering, as the runtime's text comparison.
int CompareNoCase(std::string_view a, std::string_view b);

}  // namespace vb::utf8
