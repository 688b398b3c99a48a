#pragma once
// The runtime's text functions. Texts are UTF-8; lengths and positions count
// characters (code points), positions start at 1. A negative length or a
// position below 1 raises error 5, as in the runtime.
#include <string>
#include <vector>

#include "variant.h"

namespace vb {

inline constexpr const char* vbCr = "\r";
inline constexpr const char* vbLf = "\n";
inline constexpr const char* vbCrLf = "\r\n";
inline constexpr const char* vbTab = "\t";

long Len(const std::string& s);
std::string Left(const std::string& s, long length);
std::string Right(const std::string& s, long length);
std::string Mid(const std::string& s, long start);               // to the end
std::string Mid(const std::string& s, long start, long length);

// Blanks (spaces only, as in the runtime) removed at the start, end or both.
std::string LTrim(const std::string& s);
std::string RTrim(const std::string& s);
std::string Trim(const std::string& s);

std::string LCase(const std::string& s);
std::string UCase(const std::string& s);

// Position of `find` in `s` from `start`, 0 when absent; an empty `find`
// gives `start` (0 when start lies beyond the text).
long InStr(const std::string& s, const std::string& find);
long InStr(long start, const std::string& s, const std::string& find,
           CompareMethod compare = CompareMethod::Binary);

// -1, 0 or 1 as `a` sorts before, with or after `b`.
int StrComp(const std::string& a, const std::string& b, CompareMethod compare = CompareMethod::Binary);

// Chr/Asc use the Western Windows code page for codes 128-255 (Chr(128) is
// the euro sign); ChrW/AscW use Unicode code points. Out of range: error 5.
std::string Chr(long code);
std::string ChrW(long code);
int Asc(const std::string& s);   // error 5 for an empty text; '?' (63) when not in the code page
long AscW(const std::string& s); // error 5 for an empty text

std::string Space(long count);
std::string String(long count, const std::string& character);  // first character repeated
std::string String(long count, long code);                     // Chr(code mod 256) repeated

// Replaces `find` by `replacement` from `start` on, at most `count` times
// (-1: all); as in the runtime, the result begins at `start`.
std::string Replace(const std::string& expression, const std::string& find,
                    const std::string& replacement, long start = 1, long count = -1,
                    CompareMethod compare = CompareMethod::Binary);

// Parts of `expression` between delimiters (at most `limit` parts, -1: all);
// an empty expression gives no parts, an empty delimiter the whole text.
std::vector<std::string> Split(const std::string& expression, const std::string& delimiter = " ",
                               long limit = -1, CompareMethod compare = CompareMethod::Binary);
std::string Join(const std::vector<std::string>& parts, const std::string& delimiter = " ");

}  // namespace vb
