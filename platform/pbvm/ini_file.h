#pragma once
// Reading a value from a settings file of sections and keys ("[Database]",
// "DBMS=ODBC"). Section and key names compare without regard to case.
#include <string>
#include <vector>

namespace pbvm {

// The value, or `fallback` when the file, the section or the key is missing.
std::string ReadProfileString(const std::string& file, const std::string& section, const std::string& key,
                              const std::string& fallback);

// `text` with passwords hidden: the values of password keys ("PWD=...",
// "Password=...", "LogPassword=...", "DatabasePassword=...") and every
// occurrence of the given secrets of three characters or more.
std::string HidePasswords(std::string text, const std::vector<std::string>& secrets);

}  // namespace pbvm
