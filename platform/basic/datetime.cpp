#include "datetime.h"

#include <cctype>
#include <cmath>
#include <ctime>

#include "calendar.h"
#include "err.h"

namespace vb {

namespace {

struct Parts {
    int year, month, day, hour, minute, second;
};

Parts partsOf(const Variant& value) {
    Date d = value.ToDate();
    Parts p{};
    if (!d.ToParts(p.year, p.month, p.day, p.hour, p.minute, p.second)) RaiseError(errors::Overflow);
    return p;
}

std::tm localNow(double* fraction = nullptr) {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm local{};
    localtime_r(&ts.tv_sec, &local);
    if (fraction) *fraction = static_cast<double>(ts.tv_nsec) / 1e9;
    return local;
}

// A serial stores days before 1899-12-30 as negative whole days with the time
// added away from zero; on the linear scale time always runs forward.
double toLinear(double serial) {
    if (serial >= 0) return serial;
    double days = std::trunc(serial);
    return days + (days - serial);
}

double fromLinear(double linear) {
    double days = std::floor(linear);
    double time = linear - days;
    return days >= 0 ? linear : days - time;
}

Date checked(double serial) {
    if (!(serial > -657435.0 && serial < 2958466.0)) RaiseError(errors::InvalidProcedureCall);
    return Date{serial};
}

}  // namespace

double Timer() {
    double fraction = 0;
    std::tm t = localNow(&fraction);
    return t.tm_hour * 3600.0 + t.tm_min * 60.0 + t.tm_sec + fraction;
}

Date Today() {
    std::tm t = localNow();
    return Date::FromParts(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
}

Date Now() {
    std::tm t = localNow();
    return Date::FromParts(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
}

Date Time() {
    std::tm t = localNow();
    return Date{(t.tm_hour * 3600.0 + t.tm_min * 60.0 + t.tm_sec) / 86400.0};
}

int Year(const Variant& date) { return partsOf(date).year; }
int Month(const Variant& date) { return partsOf(date).month; }
int Day(const Variant& date) { return partsOf(date).day; }
int Hour(const Variant& date) { return partsOf(date).hour; }
int Minute(const Variant& date) { return partsOf(date).minute; }
int Second(const Variant& date) { return partsOf(date).second; }

int Weekday(const Variant& date, int firstDayOfWeek) {
    if (firstDayOfWeek < 1 || firstDayOfWeek > 7) RaiseError(errors::InvalidProcedureCall);
    Parts p = partsOf(date);
    int w = calendar::WeekdayOfSerial(static_cast<long long>(Date::FromParts(p.year, p.month, p.day).serial));
    return (w - firstDayOfWeek + 7) % 7 + 1;
}

Date DateSerial(int year, int month, int day) {
    if (year >= 0 && year < 30) year += 2000;
    else if (year >= 30 && year < 100) year += 1900;
    long long months = static_cast<long long>(year) * 12 + (static_cast<long long>(month) - 1);
    long long y = months >= 0 ? months / 12 : -((-months + 11) / 12);
    int m = static_cast<int>(months - y * 12) + 1;
    if (y < 100 || y > 9999) RaiseError(errors::InvalidProcedureCall);
    double first = Date::FromParts(static_cast<int>(y), m, 1).serial;
    return checked(first + (static_cast<double>(day) - 1));
}

Date TimeSerial(int hour, int minute, int second) {
    double seconds = hour * 3600.0 + minute * 60.0 + second;
    return checked(fromLinear(seconds / 86400.0));
}

Date DateAdd(const std::string& interval, double number, const Variant& date) {
    std::string k;
    for (char c : interval) k += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    double n = std::nearbyint(number);
    Date d = date.ToDate();
    if (k == "yyyy" || k == "q" || k == "m") {
        Parts p = partsOf(Variant(d));
        double months = n * (k == "yyyy" ? 12 : k == "q" ? 3 : 1);
        double total = p.year * 12.0 + (p.month - 1) + months;
        if (!(total >= 100 * 12.0 && total < 10000 * 12.0)) RaiseError(errors::InvalidProcedureCall);
        int y = static_cast<int>(std::floor(total / 12));
        int m = static_cast<int>(total - y * 12.0) + 1;
        int day = std::min(p.day, calendar::DaysInMonth(y, m));
        return Date::FromParts(y, m, day, p.hour, p.minute, p.second);
    }
    double days;
    if (k == "y" || k == "d" || k == "w") days = n;
    else if (k == "ww") days = n * 7;
    else if (k == "h") days = n / 24;
    else if (k == "n") days = n / 1440;
    else if (k == "s") days = n / 86400;
    else RaiseError(errors::InvalidProcedureCall);
    return checked(fromLinear(toLinear(d.serial) + days));
}

}  // namespace vb
