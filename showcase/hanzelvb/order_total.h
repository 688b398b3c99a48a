#pragma once
// The order total of the samples form: price per item times quantity, each
// read as the number at the start of its text (0 when there is none), shown
// in the user's currency format; the price is shown in that format too.
#include <string>

namespace hanzelvb {

struct OrderTotalTexts {
    std::string total;  // for the total box
    std::string price;  // for the price box: its own text in the currency format
};

OrderTotalTexts OrderTotal(const std::string& priceText, const std::string& quantityText);

}  // namespace hanzelvb
