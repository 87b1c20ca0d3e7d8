// The calendar under the macro file's date-time numbers.
#include <gtest/gtest.h>

#include "core/DateTime.h"

namespace qln {
namespace {

constexpr long kDays1899To1970 = 25569;

struct DayCase {
    int year, month, day;
    long serial;  // days since 30 December 1899
    int weekday;  // 0 = Sunday
};

const DayCase kDays[] = {
    {1899, 12, 30, 0, 6},     {1899, 12, 31, 1, 0},    {1900, 1, 1, 2, 1},      {1900, 2, 28, 60, 3},
    {1900, 3, 1, 61, 4},      {1899, 12, 29, -1, 5},   {1800, 1, 1, -36522, 3}, {1970, 1, 1, 25569, 4},
    {2000, 1, 1, 36526, 6},   {2000, 2, 29, 36585, 2}, {2000, 3, 1, 36586, 3},  {2024, 1, 1, 45292, 1},
    {2024, 2, 29, 45351, 4},  {2026, 1, 9, 46031, 5},  {1998, 3, 5, 35859, 4},
};

TEST(DateTime, KnownDays) {
    for (const DayCase& c : kDays) {
        const long days = daysFromCivil(c.year, c.month, c.day);
        EXPECT_EQ(days + kDays1899To1970, c.serial) << c.year << '-' << c.month << '-' << c.day;
        EXPECT_EQ(weekdayOfDays(days), c.weekday) << c.year << '-' << c.month << '-' << c.day;
        const CivilDate back = civilFromDays(days);
        EXPECT_EQ(back.year, c.year);
        EXPECT_EQ(back.month, c.month);
        EXPECT_EQ(back.day, c.day);
        EXPECT_EQ(toDateTime({c.year, c.month, c.day, 0, 0, 0, 0}), static_cast<double>(c.serial));
    }
}

TEST(DateTime, DaysRoundTripAndFollowEachOther) {
    CivilDate previous = civilFromDays(-800001);
    for (long d = -800000; d <= 800000; ++d) {
        const CivilDate c = civilFromDays(d);
        ASSERT_EQ(daysFromCivil(c.year, c.month, c.day), d);
        const bool nextDay = c.year == previous.year && c.month == previous.month && c.day == previous.day + 1;
        const bool nextMonth = c.year == previous.year && c.month == previous.month + 1 && c.day == 1;
        const bool nextYear = c.year == previous.year + 1 && c.month == 1 && c.day == 1 && previous.month == 12;
        ASSERT_TRUE(nextDay || nextMonth || nextYear) << d;
        ASSERT_EQ(weekdayOfDays(d), (weekdayOfDays(d - 1) + 1) % 7) << d;
        previous = c;
    }
}

TEST(DateTime, LeapYears) {
    const struct {
        int year;
        bool leap;
    } cases[] = {{1600, true}, {1700, false}, {1800, false}, {1900, false}, {1996, true},  {2000, true},
                 {2023, false}, {2024, true}, {2100, false}, {2400, true},  {-4, true},    {-1, false}};
    for (const auto& c : cases)
        EXPECT_EQ(daysFromCivil(c.year, 3, 1) - daysFromCivil(c.year, 2, 28), c.leap ? 2 : 1) << c.year;
}

TEST(DateTime, TimeOfDayRoundTrips) {
    const LocalDateTime cases[] = {
        {1899, 12, 30, 0, 0, 0, 0},     {1900, 1, 1, 18, 0, 0, 0},      {2026, 1, 9, 14, 7, 3, 250},
        {2024, 2, 29, 23, 59, 59, 999}, {1899, 12, 29, 12, 0, 0, 0},    {1800, 1, 1, 6, 30, 0, 1},
        {1600, 2, 29, 0, 0, 0, 1},      {9999, 12, 31, 23, 59, 59, 999},
    };
    for (const LocalDateTime& t : cases) EXPECT_EQ(fromDateTime(toDateTime(t)), t) << t.year << '-' << t.month;
}

TEST(DateTime, FractionIsTheTimeOfDay) {
    const struct {
        double value;
        LocalDateTime time;
    } cases[] = {
        {0.0, {1899, 12, 30, 0, 0, 0, 0}},
        {2.75, {1900, 1, 1, 18, 0, 0, 0}},
        {2.5, {1900, 1, 1, 12, 0, 0, 0}},
        {-1.0, {1899, 12, 29, 0, 0, 0, 0}},
        {45292.0 + 1.0 / 86400.0, {2024, 1, 1, 0, 0, 1, 0}},
        {45292.9999999999, {2024, 1, 2, 0, 0, 0, 0}},  // rounds up to the next midnight, not to 24:00
    };
    for (const auto& c : cases) EXPECT_EQ(fromDateTime(c.value), c.time) << c.value;
}

TEST(DateTime, BeforeTheEpochTheFractionIsStillTheTimeOfDay) {
    const std::pair<LocalDateTime, double> cases[] = {
        {{1899, 12, 29, 6, 0, 0, 0}, -1.25},
        {{1899, 12, 28, 18, 0, 0, 0}, -2.75},
        {{1899, 12, 30, 6, 0, 0, 0}, 0.25},
    };
    for (const auto& [t, value] : cases) {
        EXPECT_DOUBLE_EQ(toDateTime(t), value);
        EXPECT_EQ(fromDateTime(value), t);
    }
}

}  // namespace
}  // namespace qln
