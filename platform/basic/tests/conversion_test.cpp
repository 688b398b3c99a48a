#include <gtest/gtest.h>

#include "comma_locale.h"
#include "error_number.h"
#include "format_value.h"
#include "number_functions.h"
#include "text_forms.h"

using namespace vb;

TEST(Conversions, WholeNumbersRoundHalfToEven) {
    struct Case { Variant in; int expected; };
    const Case cases[] = {
        {0.5, 0},   {1.5, 2},   {2.5, 2},   {3.5, 4},    {-0.5, 0},  {-1.5, -2},
        {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {"2.5", 2}, {"3.5", 4},  {true, -1},
        {Variant(Currency::FromScaled(35000)), 4}, {Variant(Currency::FromScaled(-25000)), -2},
        {Variant(), 0}, {"&HFFFF", -1}, {"&H8000&", 32768},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CLng(c.in), c.expected) << c.in.TypeName() << " " << c.in.ToString();
        if (c.expected >= -32768 && c.expected <= 32767) {
            EXPECT_EQ(CInt(c.in), c.expected);
        }
    }
}

TEST(Conversions, OverflowMismatchAndNullRaiseTheirNumbers) {
    struct Case { const char* what; int number; std::function<void()> statement; };
    const Case cases[] = {
        {"CInt(32767.5)", 6, [] { CInt(32767.5); }},
        {"CInt(-32768.5)", 0, [] { CInt(-32768.5); }},
        {"CInt(40000)", 6, [] { CInt(40000); }},
        {"CLng(2^31)", 6, [] { CLng(2147483648.0); }},
        {"CSng(1e39)", 6, [] { CSng(1e39); }},
        {"CCur(1e15)", 6, [] { CCur(1e15); }},
        {"CCur(\"1e15\")", 6, [] { CCur("1e15"); }},
        {"CDate(1e10)", 6, [] { CDate(1e10); }},
        {"CDbl(\"1e400\")", 6, [] { CDbl("1e400"); }},
        {"CLng(\"abc\")", 13, [] { CLng("abc"); }},
        {"CDbl(\"12/9/2026\")", 13, [] { CDbl("12/9/2026"); }},
        {"CBool(\"yes\")", 13, [] { CBool("yes"); }},
        {"CDate(\"abc\")", 13, [] { CDate("abc"); }},
        {"CStr(Null)", 94, [] { CStr(Variant::Null()); }},
        {"CLng(Null)", 94, [] { CLng(Variant::Null()); }},
        {"CDate(Null)", 94, [] { CDate(Variant::Null()); }},
    };
    for (const auto& c : cases) EXPECT_EQ(ErrorNumber(c.statement), c.number) << c.what;
}

TEST(Conversions, BooleanAndCurrency) {
    EXPECT_TRUE(CBool("True"));
    EXPECT_FALSE(CBool(" false "));
    EXPECT_TRUE(CBool("-1"));
    EXPECT_FALSE(CBool(0.0));
    EXPECT_TRUE(CBool(0.1));
    // Currency keeps four decimals exactly and rounds the fifth half to even.
    EXPECT_EQ(CCur("1234.56785").scaled, 12345678);
    EXPECT_EQ(CCur("1234.56775").scaled, 12345678);
    EXPECT_EQ(CCur("0.1").scaled + CCur("0.2").scaled, CCur("0.3").scaled);
    EXPECT_EQ(CCur("922337203685477.5807").scaled, INT64_MAX);
    EXPECT_EQ(CCur("$1,234.50").scaled, 12345000);
    EXPECT_EQ(CCur("(5)").scaled, -50000);
}

TEST(Conversions, StandardTextForms) {
    struct Case { Variant in; const char* expected; };
    const Case cases[] = {
        {1e16, "1E+16"},
        {1e15, "1E+15"},
        {123456789012345.0, "123456789012345"},
        {0.1, "0.1"},
        {-0.5, "-0.5"},
        {0.0001, "0.0001"},
        {0.00001, "1E-05"},
        {1.0 / 3, "0.333333333333333"},
        {-0.0, "0"},
        {1.1f, "1.1"},
        {Variant(Currency::FromScaled(12345000)), "1234.5"},
        {Variant(Currency::FromScaled(-5)), "-0.0005"},
        {Variant(std::int16_t{-7}), "-7"},
        {true, "True"},
        {false, "False"},
        {Variant(), ""},
        {Variant(Date::FromParts(2026, 12, 9)), "12/9/2026"},
        {Variant(Date{(15 * 3600 + 45 * 60) / 86400.0}), "3:45:00 PM"},
        {Variant(Date::FromParts(2026, 12, 9, 15, 45, 0)), "12/9/2026 3:45:00 PM"},
        {Variant(Date::FromParts(2026, 1, 2, 0, 0, 1)), "1/2/2026 12:00:01 AM"},
        {Variant(Date{0}), "12:00:00 AM"},
        {Variant(Date::FromParts(1899, 12, 29, 6, 0, 0)), "12/29/1899 6:00:00 AM"},
    };
    for (const auto& c : cases) EXPECT_EQ(CStr(c.in), c.expected) << c.in.TypeName();
}

// A program's Qt application takes the user's locale, after which C's
// number functions write a decimal comma: the runtime's texts stay the same.
TEST(Conversions, TextFormsDoNotFollowTheProcessLocale) {
    CommaDecimalLocale comma;
    SKIP_WITHOUT(comma);
    EXPECT_EQ(CStr(Variant(12.5)), "12.5");
    EXPECT_EQ(CStr(Variant(1.1f)), "1.1");
    EXPECT_EQ(CStr(Variant(1.5e-7)), "1.5E-07");
    EXPECT_EQ(Str(Variant(-0.5)), "-.5");
    EXPECT_EQ(CDbl(Variant(CStr(Variant(0.1)))), 0.1);
    EXPECT_EQ(Format(Variant(1234.5), "#,##0.00"), "1,234.50");
    EXPECT_EQ(Format(Variant(0.125), "0.0%"), "12.5%");
    EXPECT_EQ(Format(Variant(1.5f), "0.00"), "1.50");
    EXPECT_EQ(Format(Variant(31.98), "Currency"), "$31.98");
}

TEST(Conversions, DateTexts) {
    struct Case { const char* in; const char* expected; };
    const Case cases[] = {
        {"12/9/2026", "12/9/2026"},
        {"12/09/26", "12/9/2026"},
        {"12-9-2026", "12/9/2026"},
        {"2026-12-09", "12/9/2026"},
        {"1/2/30", "1/2/1930"},
        {"1/2/29", "1/2/2029"},
        {"13/1/2026", "1/13/2026"},
        {"Dec 9, 2026", "12/9/2026"},
        {"9 December 2026", "12/9/2026"},
        {"Wednesday, December 9, 2026", "12/9/2026"},
        {"3:45 PM", "3:45:00 PM"},
        {"15:45:30", "3:45:30 PM"},
        {"12:00 AM", "12:00:00 AM"},
        {"12 PM", "12:00:00 PM"},
        {"12/9/2026 15:45:00", "12/9/2026 3:45:00 PM"},
        {"3:45 pm 12/9/2026", "12/9/2026 3:45:00 PM"},
        {"1.2.2026", "1/2/2026"},
    };
    for (const auto& c : cases) EXPECT_EQ(CStr(CDate(c.in)), c.expected) << c.in;
}

TEST(Conversions, ComparisonsFollowTheKinds) {
    EXPECT_TRUE(Variant("abc") < Variant("abd"));
    EXPECT_TRUE(Variant("B") < Variant("a"));  // binary: upper case first
    EXPECT_EQ(Compare(Variant("ABC"), Variant("abc"), CompareMethod::Text), 0);
    EXPECT_EQ(Compare(Variant("Ärger"), Variant("ärger"), CompareMethod::Text), 0);
    EXPECT_TRUE(Variant(10) == Variant("10"));
    EXPECT_TRUE(Variant(9) < Variant(10.5));
    EXPECT_TRUE(Variant() == Variant(""));
    EXPECT_TRUE(Variant() == Variant(0));
    EXPECT_TRUE(Variant(Date::FromParts(2026, 12, 9)) == Variant("12/9/2026"));
    EXPECT_TRUE(Variant(Currency::FromScaled(1)) > Variant(0));
    EXPECT_EQ(ErrorNumber([] { (void)(Variant("abc") == Variant(1)); }), 13);
    EXPECT_EQ(ErrorNumber([] { (void)(Variant::Null() == Variant(1)); }), 94);
}
