// Date and time rendering for every format.
#include <gtest/gtest.h>

#include "playback/DateTimeFormats.h"

namespace qln {
namespace {

const LocalDateTime kFriday{2026, 1, 9, 14, 7, 3, 0};

TEST(DateFormats, EveryFormatPadded) {
    const char* expected[51] = {
        "01/09/26",     "01-09-26",        "01.09.26",       "01/09/2026",     "01-09-2026",     "01.09.2026",
        "09/01/26",     "09-01-26",        "09.01.26",       "09/01/2026",     "09-01-2026",     "09.01.2026",
        "26/01/09",     "26-01-09",        "26.01.09",       "2026/01/09",     "2026-01-09",     "2026.01.09",
        "JAN 2026",     "Jan 2026",        "09 JAN 26",      "09 Jan 26",      "09 JAN 2026",    "09 Jan 2026",
        "09 January 26", "09 January 2026", "Jan 09 26",     "Jan 09, 26",     "Jan 09 2026",    "Jan 09, 2026",
        "January 09 26", "January 09, 26", "January 09 2026", "January 09, 2026", "010926",      "01092026",
        "090126",       "09012026",        "260109",         "20260109",       "09",             "01",
        "Jan",          "JAN",             "January",        "26",             "2026",           "Fri",
        "FRI",          "Friday",          "FRIDAY",
    };
    ASSERT_EQ(dateFormatNames().size(), 51u);
    for (int f = 1; f <= 51; ++f) EXPECT_EQ(renderDate(f, true, 0, kFriday), expected[f - 1]) << dateFormatNames()[static_cast<std::size_t>(f - 1)];
}

TEST(TimeFormats, EveryFormatPadded) {
    const char* expected[26] = {
        "14:07",       "14.07",       "14,07",       "1407",     "14:07:03",    "14.07.03",    "14,07,03",
        "140703",      "14",          "07",          "03",       "02:07 pm",    "02.07 pm",    "02,07 pm",
        "02:07:03 pm", "02.07.03 pm", "02,07,03 pm", "02:07 PM", "02.07 PM",    "02,07 PM",    "02:07:03 PM",
        "02.07.03 PM", "02,07,03 PM", "02:07p",      "02.07p",   "02,07p",
    };
    ASSERT_EQ(timeFormatNames().size(), 26u);
    for (int f = 1; f <= 26; ++f) EXPECT_EQ(renderTime(f, true, kFriday), expected[f - 1]) << timeFormatNames()[static_cast<std::size_t>(f - 1)];
}

struct DateCase {
    LocalDateTime day;
    int format;
    bool pad;
    long offset;
    const char* text;
};

TEST(DateFormats, FlagsOffsetsAndYears) {
    const DateCase cases[] = {
        {{1998, 3, 5}, 1, false, 0, "3/5/98"},
        {{1998, 3, 5}, 1, true, 0, "03/05/98"},
        {{1998, 3, 5}, 1, true, 1, "03/06/98"},
        {{1998, 3, 2}, 50, false, -1, "Sunday"},
        {{1998, 3, 5}, 4, false, 0, "3/5/1998"},
        {{1998, 3, 5}, 25, false, 0, "5 March 98"},
        {{2005, 7, 14}, 46, false, 0, "05"},
        {{987, 7, 14}, 47, false, 0, "987"},
        {{987, 7, 14}, 47, true, 0, "0987"},
        {{987, 7, 14}, 46, true, 0, "87"},
        {{2026, 12, 31}, 1, true, 1, "01/01/27"},
        {{2024, 3, 1}, 1, true, -1, "02/29/24"},
        {{2026, 3, 1}, 1, true, -1, "02/28/26"},
        {{2026, 1, 9}, 17, true, -365, "2025-01-09"},
        {{2026, 1, 9}, 51, true, 999, "WEDNESDAY"},
        {{2026, 1, 9}, 0, true, 0, ""},
        {{2026, 1, 9}, 52, true, 0, ""},
    };
    for (const DateCase& c : cases)
        EXPECT_EQ(renderDate(c.format, c.pad, c.offset, c.day), c.text) << c.format << " " << c.offset;
}

struct TimeCase {
    int hour, minute;
    int format;
    bool pad;
    const char* text;
};

TEST(TimeFormats, TwelveHourClockAndFlags) {
    const TimeCase cases[] = {
        {0, 5, 12, false, "12:05 am"}, {15, 4, 24, true, "03:04p"},  {12, 0, 18, false, "12:00 PM"},
        {11, 59, 24, false, "11:59a"}, {9, 5, 1, false, "9:05"},     {9, 5, 1, true, "09:05"},
        {0, 0, 9, false, "0"},         {0, 0, 9, true, "00"},        {23, 1, 25, false, "11.01p"},
        {13, 2, 10, false, "02"},
    };
    for (const TimeCase& c : cases) {
        const LocalDateTime t{2026, 1, 9, c.hour, c.minute, 0, 0};
        EXPECT_EQ(renderTime(c.format, c.pad, t), c.text) << c.format;
    }
}

TEST(FormatNames, StoredAsSixteenByteSlots) {
    const auto slots = formatNameSlots();
    ASSERT_EQ(slots.size(), 77u * 16);
    EXPECT_EQ(slots[0], 8);
    EXPECT_EQ(std::string(slots.begin() + 1, slots.begin() + 9), "MM/DD/YY");
    EXPECT_EQ(slots[51 * 16], 5);  // "hh:mm"
    EXPECT_EQ(std::string(slots.begin() + 47 * 16 + 1, slots.begin() + 47 * 16 + 14), "Day of Week 1");
}

}  // namespace
}  // namespace qln
