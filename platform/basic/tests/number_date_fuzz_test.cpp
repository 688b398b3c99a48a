// Damaged copies of the number and date texts the programs read and the
// Format patterns they use: the scanners and conversions give a value or
// the runtime's own error (Invalid procedure call 5, Overflow 6, Type
// mismatch 13), never another exception or a crash; what they accept lies
// within the ranges of the types.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "datetime.h"
#include "err.h"
#include "format_value.h"
#include "mutated_inputs.h"
#include "number_functions.h"
#include "text_forms.h"

using namespace vb;

namespace {

const std::vector<std::string> kTexts = {
    // Amounts, quantities and keys as the forms and the data hold them.
    "28.98", "$ 1,234.56", "$31.98", "($1,234.50)", "16.99", "0.0001", "12.5", "-3", "5-", "(5)", " 7 ", "1e3",
    "1D3", "-2.5E-3", "&H1F", "&O17", "&HFFFF&", "&177777", "1,234,567.891", "4111", "922337203685477.5807",
    "True", "false", "",
    // Dates and times as typed and as stored.
    "12/09/26", "12/9/2026", "2026-12-09", "Dec 9, 2026", "9 December 2026", "Wednesday, December 9, 2026",
    "3:45 PM", "12/9/2026 15:45:00", "08/28", "10/1/2026", "13/1/2026", "2026 9 Dec", "12.09.2026", "12:00 AM",
    "1/2/2027 11:59:59 PM"};

const std::vector<std::string> kPatterns = {
    "$ #,##0.00", "0.00", "MM/DD/YY", "currency", "Fixed", "Standard", "Percent", "Scientific", "General Number",
    "Long Date", "Medium Date", "Short Time", "Long Time", "Yes/No", "#,##0.00;(#,##0.00);\"zero\"", "0.00E+00",
    "##0.0#%", "dddd, mmmm d, yyyy", "h:mm:ss AM/PM", "hh:nn A/P", "ww q y", "@@@-@@", "!&&&", "<@", ">@",
    "\"lit\"\\x0"};

const std::vector<std::string> kWords = {
    ".", ",", "e", "E+", "d-", "&H", "&O", "&", "$", "(", ")", "+", "-", "/", ":", " ", "AM", "PM", "Dec",
    "Wednesday", "#", "0", "@", ";", "\"", "\\", "%", "y", "yyyy", "mmmm", "dddddd", "ttttt", "c", "A/P"};

// Runs `f`; false when it threw anything but the runtime's errors 5, 6 and 13.
bool OnlyRuntimeErrors(const std::function<void()>& f, std::string& what) {
    try {
        f();
    } catch (const VBError& e) {
        if (e.number() == 5 || e.number() == 6 || e.number() == 13) return true;
        what = "error " + std::to_string(e.number()) + ": " + e.description();
        return false;
    } catch (const std::exception& e) {
        what = e.what();
        return false;
    }
    return true;
}

bool InDateRange(Date d) {
    int y, m, day, h, mi, s;
    return d.ToParts(y, m, day, h, mi, s);
}

}  // namespace

TEST(NumberDateFuzz, DamagedTextsConvertOrRaiseTheRuntimesErrors) {
    MutatedInputs inputs(kTexts, kWords, 1899);
    for (int n = 0; n < 4000; ++n) {
        const std::string text = inputs.Next();
        SCOPED_TRACE("input " + std::to_string(n) + ": \"" + text + "\"");
        std::string what;
        double d = 0;
        Currency c;
        Date date;
        bool b = false;
        ASSERT_TRUE(OnlyRuntimeErrors(
            [&] {
                if (ParseNumberText(text, d) && std::isfinite(d)) {
                    EXPECT_TRUE(IsNumeric(Variant(text)));
                }
                ParseCurrencyText(text, c);
                ParseBoolText(text, b);
                if (ParseDateText(text, date)) {
                    EXPECT_TRUE(InDateRange(date));
                    EXPECT_TRUE(IsDate(Variant(text)));
                }
            },
            what))
            << what;
        const Variant v(text);
        for (const auto& convert : std::vector<std::function<void()>>{
                 [&] { Val(text); }, [&] { CDbl(v); }, [&] { CInt(v); }, [&] { CLng(v); }, [&] { CSng(v); },
                 [&] { CCur(v); }, [&] { CBool(v); }, [&] { Str(v); }, [&] { Int(v); }, [&] { Fix(v); },
                 [&] { EXPECT_TRUE(InDateRange(CDate(v))); }, [&] { Year(v); }, [&] { Weekday(v, 1); },
                 [&] { DateAdd("m", 1, v); }, [&] { CStr(Variant(CDbl(v))); }}) {
            ASSERT_TRUE(OnlyRuntimeErrors(convert, what)) << what;
        }
    }
}

TEST(NumberDateFuzz, DamagedPatternsFormatEveryKindOfValue) {
    MutatedInputs patterns(kPatterns, kWords, 2026);
    const std::vector<Variant> values = {
        Variant(28.98), Variant(-1234.5), Variant(0.0), Variant(1e308), Variant(-4.9e-324), Variant(1.5f),
        Variant(std::int16_t{-7}), Variant(2147483647), Variant(Currency::FromScaled(-922337203685477580LL)),
        Variant(Date::FromParts(2026, 12, 9, 15, 45, 7)), Variant(Date{-657434.0}), Variant(Date{2958465.99}),
        Variant("12/09/26"), Variant("$31.98"), Variant("text"), Variant(true), Variant(), Variant::Null()};
    for (int n = 0; n < 3000; ++n) {
        const std::string pattern = patterns.Next();
        SCOPED_TRACE("pattern " + std::to_string(n) + ": \"" + pattern + "\"");
        for (const Variant& value : values) {
            std::string what;
            ASSERT_TRUE(OnlyRuntimeErrors([&] { Format(value, pattern); }, what)) << what;
        }
    }
}
