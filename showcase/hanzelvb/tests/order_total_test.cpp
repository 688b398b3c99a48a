// The order total: leading numbers of the price and quantity texts, shown in
// the currency format, and the price shown in that format too.
#include <gtest/gtest.h>

#include "order_total.h"

namespace hanzelvb {
namespace {

TEST(OrderTotal, MultipliesTheLeadingNumbersAndFormatsBoth) {
    OrderTotalTexts t = OrderTotal("4.75", "48");
    EXPECT_EQ(t.total, "$228.00");
    EXPECT_EQ(t.price, "$4.75");
    // A price already in the currency format stays as it is; its number is
    // not read from it (it starts with the currency sign).
    t = OrderTotal("$4.75", "48");
    EXPECT_EQ(t.price, "$4.75");
    EXPECT_EQ(t.total, "$0.00");
    t = OrderTotal("595", "3 units");
    EXPECT_EQ(t.total, "$1,785.00");
}

TEST(OrderTotal, BlanksGiveANoughtTotalAndKeepTheBlankPrice) {
    const OrderTotalTexts t = OrderTotal(" ", " ");
    EXPECT_EQ(t.total, "$0.00");
    EXPECT_EQ(t.price, " ");
}

}  // namespace
}  // namespace hanzelvb
