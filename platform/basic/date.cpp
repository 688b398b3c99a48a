#include <cmath>

#include "variant.h"

namespace vb {

namespace {
// Days from 1 March of year 0 (proleptic Gregorian) for a civil date.
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;  // days since 1970-01-01
}

void civilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long yy = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

constexpr long long kEpochOffset = 25569;  // 1970-01-01 as a serial day
}  // namespace

Date Date::FromParts(int year, int month, int day, int hour, int minute, int second) {
    long long days = daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kEpochOffset;
    double time = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    // Before the epoch the fraction counts away from zero, as the runtime stores it.
    return Date{days >= 0 ? days + time : days - time};
}

bool Date::ToParts(int& year, int& month, int& day, int& hour, int& minute, int& second) const {
    if (!std::isfinite(serial) || serial < -657434.0 || serial >= 2958466.0) return false;
    double whole = std::trunc(serial);
    double frac = std::fabs(serial - whole);
    long long secs = std::llround(frac * 86400.0);
    long long days = static_cast<long long>(whole);
    if (secs >= 86400) { secs -= 86400; days += serial >= 0 ? 1 : -1; }
    civilFromDays(days - kEpochOffset, year, month, day);
    hour = static_cast<int>(secs / 3600);
    minute = static_cast<int>((secs / 60) % 60);
    second = static_cast<int>(secs % 60);
    return true;
}

}  // namespace vb
