#include <gtest/gtest.h>

#include "format_value.h"

using namespace vb;

namespace {
struct Case {
    Variant value;
    const char* format;
    const char* expected;
};

void check(const std::vector<Case>& cases) {
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.value, c.format), c.expected)
            << "Format(" << (c.value.IsNull() ? "Null" : c.value.ToString()) << ", \"" << c.format << "\")";
}

const Variant kWhen = Variant(Date::FromParts(2026, 12, 9, 15, 45, 7));
const Variant kMorning = Variant(Date::FromParts(2026, 3, 1, 0, 5, 9));
}  // namespace

TEST(Format, NamedNumberFormats) {
    check({
        {1234.5, "Currency", "$1,234.50"},
        {-1234.5, "Currency", "($1,234.50)"},
        {0, "Currency", "$0.00"},
        {Variant(Currency::FromScaled(12345678)), "currency", "$1,234.57"},
        {1234.5, "Fixed", "1234.50"},
        {-0.5, "Fixed", "-0.50"},
        {1234.5, "Standard", "1,234.50"},
        {1234567.891, "Standard", "1,234,567.89"},
        {0.1234, "Percent", "12.34%"},
        {1234.5, "Scientific", "1.23E+03"},
        {0.000123, "Scientific", "1.23E-04"},
        {1234.5, "General Number", "1234.5"},
        {1e16, "General Number", "1E+16"},
        {0, "Yes/No", "No"},
        {-1, "Yes/No", "Yes"},
        {true, "True/False", "True"},
        {2, "On/Off", "On"},
        {"12.5", "Currency", "$12.50"},
        {"abc", "Currency", "abc"},
    });
}

TEST(Format, NumberPatterns) {
    check({
        {1234.5, "$ #,##0.00", "$ 1,234.50"},
        {0.5, "$ #,##0.00", "$ 0.50"},
        {-1234.5, "$ #,##0.00", "-$ 1,234.50"},
        {1234567.5, "#,##0", "1,234,568"},
        {12, "#,##0", "12"},
        {0, "#,##0", "0"},
        {5, "0", "5"},
        {2.5, "0", "3"},  // Format rounds half away from zero, unlike CInt
        {-2.5, "0", "-3"},
        {1.005, "0.00", "1.01"},
        {3.14159, "0.00", "3.14"},
        {7, "000", "007"},
        {1234, "00", "1234"},
        {5, "#.##", "5."},
        {5.1, "#.##", "5.1"},
        {0.5, "#.00", ".50"},
        {0.5, "0.0#", "0.5"},
        {0.567, "0.0#", "0.57"},
        {0, "#", ""},
        {123456789, "000-00-0000", "123-45-6789"},
        {1234567, "#,##0,", "1,235"},
        {1234567, "0,,.0", "1.2"},
        {0.25, "0%", "25%"},
        {1234.5, "0.00E+00", "1.23E+03"},
        {9.995, "0.00E+00", "1.00E+01"},
        {0.0012, "0.0E-0", "1.2E-3"},
        {12, "0 \"kg\"", "12 kg"},
        {12, "\\#0", "#12"},
        {-0.001, "0.00", "0.00"},
        {Variant(Currency::FromScaled(-1)), "0.0000", "-0.0001"},
    });
}

TEST(Format, Sections) {
    check({
        {5, "0;(0)", "5"},
        {-5, "0;(0)", "(5)"},
        {0, "0;(0);\"zero\"", "zero"},
        {0, "0;(0)", "0"},
        {-5, "0;;\"zero\"", "-5"},
        {Variant::Null(), "0;(0);\"zero\";\"none\"", "none"},
        {Variant::Null(), "0.00", ""},
        {1234.5, "$#,##0.00;($#,##0.00)", "$1,234.50"},
        {-1234.5, "$#,##0.00;($#,##0.00)", "($1,234.50)"},
    });
}

TEST(Format, DatePatterns) {
    check({
        {kWhen, "MM/DD/YY", "12/09/26"},
        {kMorning, "mm/dd/yy", "03/01/26"},
        {kMorning, "m/d/yyyy", "3/1/2026"},
        {kWhen, "Short Date", "12/9/2026"},
        {kWhen, "Long Date", "Wednesday, December 9, 2026"},
        {kWhen, "Medium Date", "09-Dec-26"},
        {kWhen, "Long Time", "3:45:07 PM"},
        {kWhen, "Medium Time", "03:45 PM"},
        {kWhen, "Short Time", "15:45"},
        {kWhen, "General Date", "12/9/2026 3:45:07 PM"},
        {kWhen, "ddd mmm d", "Wed Dec 9"},
        {kWhen, "dddd, mmmm dd, yyyy", "Wednesday, December 09, 2026"},
        {kWhen, "h:mm AM/PM", "3:45 PM"},
        {kWhen, "hh:mm:ss am/pm", "03:45:07 pm"},
        {kMorning, "h:nn A/P", "12:05 A"},
        {kMorning, "hh:nn:ss", "00:05:09"},
        {kWhen, "yyyy-mm-dd hh:nn", "2026-12-09 15:45"},
        {kWhen, "q", "4"},
        {kWhen, "y", "343"},
        {kWhen, "w ww", "4 50"},
        {kWhen, "ddddd", "12/9/2026"},
        {kWhen, "ttttt", "3:45:07 PM"},
        {kWhen, "\"on\" d mmm", "on 9 Dec"},
        {"12/9/2026", "MM/DD/YY", "12/09/26"},
        {46365, "MM/DD/YY", "12/09/26"},
        {"abc", "MM/DD/YY", "abc"},
    });
}

TEST(Format, TextPatternsAndNoPattern) {
    check({
        {"abc", ">", "ABC"},
        {"ABC", "<", "abc"},
        {"abc", "@@@@@", "  abc"},
        {"abc", "!@@@@@", "abc  "},
        {"abc", "&&&&&", "abc"},
        {"5551234", "@@@-@@@@", "555-1234"},
        {"abcdef", "@@@", "abcdef"},
        {5.5, "", "5.5"},
        {"text", "", "text"},
        {kWhen, "", "12/9/2026 3:45:07 PM"},
        {true, "", "True"},
        {Variant::Null(), "", ""},
        {Variant(), "", ""},
        {"abc", "0.00", "abc"},
    });
}
