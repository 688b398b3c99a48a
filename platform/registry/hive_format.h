#pragma once
// The text file of one hive. A readable line format:
//
//   #orvanta-registry 1 HKEY_CURRENT_USER
//   [Software\VB and VBA Program Settings\Tavorin VB\Hanzel]
//   @=sz:the default value
//   DatabasePath=sz:/opt/orvanta/bin/tavorin.mdb
//   Count=dword:42
//   Raw=hex:01,ff
//   Other=hex(7):61,00
//   #end
//
// One "[...]" line per key (its path from the hive, names joined by "\"),
// followed by its values; "@" is the default value. In names and texts "%"
// followed by two hex digits stands for a byte: "%" itself, line breaks and
// other control characters are always written that way, and so are "=" in
// value names and a leading "[", "#" or "@" of a value name. The closing
// "#end" line tells a complete file from a cut one.
#include <stdexcept>
#include <string>
#include <string_view>

#include "key_tree.h"

namespace reg {

// A file that does not follow the format; line is 1-based (0: the whole file).
class HiveFormatError : public std::runtime_error {
public:
    HiveFormatError(int line, const std::string& message)
        : std::runtime_error(message), line_(line) {}
    int line() const { return line_; }

private:
    int line_;
};

std::string WriteHive(const KeyNode& root, std::string_view hiveName);

// Throws HiveFormatError for anything that is not a complete hive file of
// the named hive, and for keys nested deeper than kMaxKeyDepth.
KeyNode ReadHive(std::string_view text, std::string_view hiveName);

}  // namespace reg
