#pragma once
// Values placed into the SQL texts the catalogue sends to the database.
#include <string>

namespace catalogue {

// A text value between single quotes, with each quote inside it doubled, so
// that a name such as O'Brien is stored as typed and no typed text can end
// the value early.
std::string SqlQuoted(const std::string& text);

// Whether `text` is a whole number that can stand bare in an SQL statement
// (blanks around it allowed, as Str writes them).
bool IsSqlWholeNumber(const std::string& text);

}  // namespace catalogue
