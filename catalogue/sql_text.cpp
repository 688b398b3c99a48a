#include "sql_text.h"

#include <cctype>

#include "text_functions.h"

namespace catalogue {

std::string SqlQuoted(const std::string& text) { return "'" + vb::Replace(text, "'", "''") + "'"; }

bool IsSqlWholeNumber(const std::string& text) {
    const std::string number = vb::Trim(text);
    std::size_t i = (!number.empty() && number[0] == '-') ? 1 : 0;
    if (i == number.size()) return false;
    for (; i < number.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(number[i]))) return false;
    }
    return true;
}

}  // namespace catalogue
