#pragma once
// The text of a field of a recordset's current row.
#include <string>

namespace dao {
class Recordset;
}

namespace catalogue {

// The field's value as text; a Null value counts as empty.
std::string FieldText(dao::Recordset& rs, const std::string& field);

}  // namespace catalogue
