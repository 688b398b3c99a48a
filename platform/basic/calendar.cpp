#include "calendar.h"

#include <cctype>
#include <ctime>

namespace vb::calendar {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

int WeekdayOfSerial(long long serialDay) {
    // Serial day 0 (30 December 1899) was a Saturday.
    long long w = (serialDay + 6) % 7;
    if (w < 0) w += 7;
    return static_cast<int>(w) + 1;
}

int DayOfYear(int year, int month, int day) {
    int n = day;
    for (int m = 1; m < month; ++m) n += DaysInMonth(year, m);
    return n;
}

namespace {
int findName(const std::string& word, const char* const* names, int count) {
    if (word.size() < 3) return 0;
    std::string w;
    for (char c : word) w += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (int i = 0; i < count; ++i) {
        std::string n;
        for (const char* p = names[i]; *p; ++p) n += static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
        if (w == n || w == n.substr(0, 3)) return i + 1;
    }
    return 0;
}
}  // namespace

int MonthFromWord(const std::string& word) { return findName(word, MonthNames, 12); }
int DayFromWord(const std::string& word) { return findName(word, DayNames, 7); }

int CurrentYear() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

}  // namespace vb::calendar
