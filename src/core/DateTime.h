#pragma once

#include "platform/Clock.h"

namespace qln {

// Dates as the macro file stores them: a double counting days since 30 December 1899, the fraction being
// the time of day.

// Days since 1 January 1970 of a proleptic Gregorian date (negative before).
long daysFromCivil(int year, int month, int day);
struct CivilDate {
    int year;
    int month;
    int day;
};
CivilDate civilFromDays(long days);
// 0 = Sunday .. 6 = Saturday.
int weekdayOfDays(long days);

double toDateTime(const LocalDateTime& t);
LocalDateTime fromDateTime(double days);
// The clock's current local time as a date-time double.
double nowDateTime(const IClock& clock);

}  // namespace qln
