// Calendar arithmetic and the date-time double of the macro file.
#include <gtest/gtest.h>

#include "core/DateTime.h"

namespace qln {
namespace {

struct Case {
    LocalDateTime t;
    double value;
};

TEST(DateTime, KnownDays) {
    const Case cases[] = {
        {{1899, 12, 30, 0, 0, 0, 0}, 0.0},       {{1899, 12, 31, 0, 0, 0, 0}, 1.0},
        {{1900, 1, 1, 0, 0, 0, 0}, 2.0},         {{1899, 12, 29, 0, 0, 0, 0}, -1.0},
        {{1970, 1, 1, 0, 0, 0, 0}, 25569.0},     {{2000, 2, 29, 12, 0, 0, 0}, 36585.5},
        {{2026, 12, 9, 18, 0, 0, 0}, 46365.75},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(toDateTime(c.t), c.value) << c.t.year << "-" << c.t.month << "-" << c.t.day;
        EXPECT_EQ(fromDateTime(c.value), c.t);
    }
}

TEST(DateTime, RoundTripKeepsMilliseconds) {
    const LocalDateTime t{2031, 7, 4, 23, 59, 59, 999};
    EXPECT_EQ(fromDateTime(toDateTime(t)), t);
}

TEST(DateTime, CivilDaysAndWeekdays) {
    EXPECT_EQ(daysFromCivil(1970, 1, 1), 0);
    EXPECT_EQ(weekdayOfDays(0), 4);                            // Thursday
    EXPECT_EQ(weekdayOfDays(daysFromCivil(1998, 3, 2)), 1);    // Monday
    EXPECT_EQ(weekdayOfDays(daysFromCivil(1899, 12, 30)), 6);  // Saturday
    const CivilDate leap = civilFromDays(daysFromCivil(2024, 2, 28) + 1);
    EXPECT_EQ(leap.month, 2);
    EXPECT_EQ(leap.day, 29);
    const CivilDate plain = civilFromDays(daysFromCivil(2100, 2, 28) + 1);
    EXPECT_EQ(plain.month, 3);
    EXPECT_EQ(plain.day, 1);
}

}  // namespace
}  // namespace qln
