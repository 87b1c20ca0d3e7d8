#include "core/DateTime.h"

#include <cmath>

namespace qln {

namespace {
constexpr long kDays1899To1970 = 25569;  // 30 Dec 1899 .. 1 Jan 1970
constexpr double kMsPerDay = 86400000.0;
}  // namespace

// Howard Hinnant's civil calendar algorithms.
long daysFromCivil(int year, int month, int day) {
    const long y = static_cast<long>(year) - (month <= 2 ? 1 : 0);
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long mp = (month + 9) % 12;
    const long doy = (153 * mp + 2) / 5 + day - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate civilFromDays(long days) {
    const long z = days + 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const long y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    return {static_cast<int>(y), m, d};
}

int weekdayOfDays(long days) {
    // 1 January 1970 was a Thursday.
    const long w = (days + 4) % 7;
    return static_cast<int>(w < 0 ? w + 7 : w);
}

// The whole part counts days and the fraction's size is the time of day, also before 30 December 1899:
// 29 December 1899 06:00 is -1.25, as the files of the original program store it.
double toDateTime(const LocalDateTime& t) {
    const double day = static_cast<double>(daysFromCivil(t.year, t.month, t.day) + kDays1899To1970);
    const double time = (((t.hour * 60.0 + t.minute) * 60.0 + t.second) * 1000.0 + t.millisecond) / kMsPerDay;
    return day < 0 ? day - time : day + time;
}

LocalDateTime fromDateTime(double days) {
    double whole = std::trunc(days);
    long long ms = std::llround(std::fabs(days - whole) * kMsPerDay);
    if (ms >= static_cast<long long>(kMsPerDay)) {
        whole += days < 0 ? -1 : 1;
        ms = 0;
    }
    const CivilDate c = civilFromDays(static_cast<long>(whole) - kDays1899To1970);
    LocalDateTime t;
    t.year = c.year;
    t.month = c.month;
    t.day = c.day;
    t.hour = static_cast<int>(ms / 3600000);
    t.minute = static_cast<int>(ms / 60000 % 60);
    t.second = static_cast<int>(ms / 1000 % 60);
    t.millisecond = static_cast<int>(ms % 1000);
    return t;
}

double nowDateTime(const IClock& clock) { return toDateTime(clock.localNow()); }

}  // namespace qln
