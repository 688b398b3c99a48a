#pragma once
// Calendar facts shared by the date texts, Format and the date functions.
#include <string>

namespace vb::calendar {

inline constexpr const char* MonthNames[12] = {"January", "February", "March",     "April",
                                               "May",     "June",     "July",      "August",
                                               "September", "October", "November", "December"};
inline constexpr const char* DayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// 1 (Sunday) to 7 (Saturday) of a serial day number.
int WeekdayOfSerial(long long serialDay);
// Day of the year, 1 to 366.
int DayOfYear(int year, int month, int day);

// The month (1-12) or day (1-7) a word names, in full or by its first three
// letters, in any case; 0 when it names none.
int MonthFromWord(const std::string& word);
int DayFromWord(const std::string& word);

// The year that local time gives now.
int CurrentYear();

}  // namespace vb::calendar
