#include "order_total.h"

#include "format_value.h"
#include "number_functions.h"

namespace hanzelvb {

OrderTotalTexts OrderTotal(const std::string& priceText, const std::string& quantityText) {
    const double total = vb::Val(priceText) * vb::Val(quantityText);
    return {vb::Format(vb::Variant(total), "currency"), vb::Format(vb::Variant(priceText), "currency")};
}

}  // namespace hanzelvb
