#include <gtest/gtest.h>

#include <limits>

#include "error_number.h"
#include "number_functions.h"

using namespace vb;

TEST(Str, LeadingBlankForNonNegativeNumbers) {
    struct Case { Variant in; const char* expected; };
    const Case cases[] = {
        {5, " 5"},        {-5, "-5"},          {0, " 0"},          {0.5, " .5"},
        {-0.5, "-.5"},    {1234.5, " 1234.5"}, {1e16, " 1E+16"},   {-1e-5, "-1E-05"},
        {Variant(Currency::FromScaled(25000)), " 2.5"}, {Variant(std::int16_t{7}), " 7"},
        {"12", " 12"},   {" 3.25 ", " 3.25"}, {Variant(), " 0"},  {true, "True"},
    };
    for (const auto& c : cases) EXPECT_EQ(Str(c.in), c.expected) << c.in.ToString();
    EXPECT_EQ(ErrorNumber([] { Str("abc"); }), 13);
    EXPECT_EQ(ErrorNumber([] { Str(Variant::Null()); }), 94);
}

TEST(Val, ReadsTheLeadingNumber) {
    struct Case { const char* in; double expected; };
    const Case cases[] = {
        {"  1615 198th Street N.E.", 1615198},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"1,000", 1},
        {"$5", 0},
        {"-12.5", -12.5},
        {"- 1 2", -12},
        {"+7", 7},
        {".5", 0.5},
        {"1.2.3", 1.2},
        {"1e3", 1000},
        {"2.5D2", 250},
        {"1e", 1},
        {"1e+", 1},
        {"\t\n42", 42},
        {"&H1F", 31},
        {"&h1f", 31},
        {"&HFFFF", -1},
        {"&HFFFF&", 65535},
        {"&H7FFFFFFF", 2147483647},
        {"&O17", 15},
        {"&O", 0},
        {"&Hxyz", 0},
        {"-", 0},
        {".", 0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(Val(c.in), c.expected) << c.in;
    EXPECT_DOUBLE_EQ(Val(Variant(2.5)), 2.5);
    EXPECT_EQ(ErrorNumber([] { Val("1e400"); }), 6);
    EXPECT_EQ(ErrorNumber([] { Val(Variant::Null()); }), 94);
}

TEST(IsNumeric, RuntimeResults) {
    struct Case { Variant in; bool expected; };
    const Case cases[] = {
        {"12", true},      {" 12 ", true},   {"-12.5", true},  {"1,000", true},  {"1e3", true},
        {"1D3", true},     {"&H1F", true},   {"$5", true},     {"(5)", true},    {"5-", true},
        {"", false},       {" ", false},     {"abc", false},   {"12abc", false}, {"1.2.3", false},
        {"-", false},      {".", false},     {"1e", false},    {"1e400", false}, {"&HXYZ", false},
        {"True", false},   {Variant(), true}, {Variant::Null(), false},          {5, true},
        {2.5, true},       {true, true},     {Variant(Date::FromParts(2026, 1, 1)), false},
        {"12/9/2026", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsNumeric(c.in), c.expected) << c.in.TypeName() << " " << (c.in.IsNull() ? "Null" : c.in.ToString());
}

TEST(IsDate, RuntimeResults) {
    struct Case { Variant in; bool expected; };
    const Case cases[] = {
        {"12/9/2026", true},   {"12/9/26", true},    {"2026-12-09", true}, {"13/1/2026", true},
        {"Dec 9, 2026", true}, {"December 2026", true}, {"3:45 PM", true}, {"15:45", true},
        {"12/9", true},        {"2/29/2024", true},  {"2/29/2023", false}, {"13/13/2026", false},
        {"2/30/2026", false},  {"25:00", false},     {"3:60", false},      {"2026", false},
        {"1.5", false},        {"abc", false},       {"", false},          {"12/9/2026 abc", false},
        {Variant(Date::FromParts(2026, 1, 1)), true}, {45000, false},      {Variant::Null(), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsDate(c.in), c.expected) << c.in.TypeName() << " " << (c.in.IsNull() ? "Null" : c.in.ToString());
}

TEST(IntFix, RoundDownOrTowardsZeroKeepingTheKind) {
    EXPECT_DOUBLE_EQ(Int(-2.5), -3);
    EXPECT_DOUBLE_EQ(Fix(-2.5), -2);
    EXPECT_DOUBLE_EQ(Int(2.9), 2);
    Variant i = Int(Variant(Currency::FromScaled(-25001)));
    EXPECT_EQ(i.Type(), VarType::Currency);
    EXPECT_EQ(i.ToCurrency().scaled, -30000);
    EXPECT_EQ(Fix(Variant(Currency::FromScaled(-25001))).ToCurrency().scaled, -20000);
    // The lowest Currency amount rounds down out of the range; towards zero it stays in.
    const Variant lowest(Currency::FromScaled(std::numeric_limits<std::int64_t>::min()));
    EXPECT_EQ(ErrorNumber([&] { Int(lowest); }), 6);
    EXPECT_EQ(Fix(lowest).ToCurrency().scaled, -9223372036854770000LL);
    EXPECT_EQ(Int(Variant(7)).Type(), VarType::Long);
    EXPECT_EQ(Int(Variant("3.7")).ToDouble(), 3);
    EXPECT_TRUE(Int(Variant::Null()).IsNull());
    EXPECT_EQ(ErrorNumber([] { Int(Variant("x")); }), 13);
}
