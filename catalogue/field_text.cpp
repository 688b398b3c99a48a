#include "field_text.h"

#include "dao.h"

namespace catalogue {

std::string FieldText(dao::Recordset& rs, const std::string& field) {
    const vb::Variant value = rs.Fields(field).Value();
    return value.IsNull() ? std::string() : value.ToString();
}

}  // namespace catalogue
