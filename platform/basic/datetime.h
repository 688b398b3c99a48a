#pragma once
// The runtime's clock and date functions. Dates are local time.
#include <string>

#include "variant.h"

namespace vb {

// Seconds since local midnight, with the fraction of the current second.
double Timer();

// Today's date (the runtime's Date; named Today here because vb::Date is the
// value type), the date and time now (to the second), and the time now.
Date Today();
Date Now();
Date Time();

// Parts of a date value (Null: error 94; no date: error 13).
int Year(const Variant& date);
int Month(const Variant& date);
int Day(const Variant& date);
int Hour(const Variant& date);
int Minute(const Variant& date);
int Second(const Variant& date);
// 1 to 7, counted from `firstDayOfWeek` (1 Sunday ... 7 Saturday).
int Weekday(const Variant& date, int firstDayOfWeek = 1);

// A date from its parts; months and days beyond their range carry over
// (month 13 is January of the next year, day 0 the last day of the month
// before). Years 0-29 are 2000-2029, 30-99 are 1930-1999. Error 5 when the
// result lies outside 1 January 100 .. 31 December 9999.
Date DateSerial(int year, int month, int day);
// A time from its parts; values beyond their range carry over.
Date TimeSerial(int hour, int minute, int second);

// `date` moved by `number` intervals: "yyyy" years, "q" quarters, "m"
// months, "y"/"d"/"w" days, "ww" weeks, "h" hours, "n" minutes, "s" seconds.
// A month step keeps the day where the month has it, else takes the last
// day. Error 5 for an unknown interval or a result out of range.
Date DateAdd(const std::string& interval, double number, const Variant& date);

}  // namespace vb
