// Every date and time format against texts worked out by hand, and the calendar edges of the day offset.
#include <gtest/gtest.h>

#include "playback/DateTimeFormats.h"

namespace qln {
namespace {

LocalDateTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return {year, month, day, hour, minute, second, 0};
}

// Friday 9 January 2026, 14:07:03: one-digit month and day show what the "N" flag leaves out.
const LocalDateTime kFixed = at(2026, 1, 9, 14, 7, 3);

struct Expected {
    std::string_view padded;    // flag Y
    std::string_view unpadded;  // flag N
};

const Expected kDates[kDateFormatCount] = {
    {"01/09/26", "1/9/26"},
    {"01-09-26", "1-9-26"},
    {"01.09.26", "1.9.26"},
    {"01/09/2026", "1/9/2026"},
    {"01-09-2026", "1-9-2026"},
    {"01.09.2026", "1.9.2026"},
    {"09/01/26", "9/1/26"},
    {"09-01-26", "9-1-26"},
    {"09.01.26", "9.1.26"},
    {"09/01/2026", "9/1/2026"},
    {"09-01-2026", "9-1-2026"},
    {"09.01.2026", "9.1.2026"},
    {"26/01/09", "26/1/9"},
    {"26-01-09", "26-1-9"},
    {"26.01.09", "26.1.9"},
    {"2026/01/09", "2026/1/9"},
    {"2026-01-09", "2026-1-9"},
    {"2026.01.09", "2026.1.9"},
    {"JAN 2026", "JAN 2026"},
    {"Jan 2026", "Jan 2026"},
    {"09 JAN 26", "9 JAN 26"},
    {"09 Jan 26", "9 Jan 26"},
    {"09 JAN 2026", "9 JAN 2026"},
    {"09 Jan 2026", "9 Jan 2026"},
    {"09 January 26", "9 January 26"},
    {"09 January 2026", "9 January 2026"},
    {"Jan 09 26", "Jan 9 26"},
    {"Jan 09, 26", "Jan 9, 26"},
    {"Jan 09 2026", "Jan 9 2026"},
    {"Jan 09, 2026", "Jan 9, 2026"},
    {"January 09 26", "January 9 26"},
    {"January 09, 26", "January 9, 26"},
    {"January 09 2026", "January 9 2026"},
    {"January 09, 2026", "January 9, 2026"},
    {"010926", "1926"},
    {"01092026", "192026"},
    {"090126", "9126"},
    {"09012026", "912026"},
    {"260109", "2619"},
    {"20260109", "202619"},
    {"09", "9"},
    {"01", "1"},
    {"Jan", "Jan"},
    {"JAN", "JAN"},
    {"January", "January"},
    {"26", "26"},
    {"2026", "2026"},
    {"Fri", "Fri"},
    {"FRI", "FRI"},
    {"Friday", "Friday"},
    {"FRIDAY", "FRIDAY"},
};

const Expected kTimes[kTimeFormatCount] = {
    {"14:07", "14:07"},
    {"14.07", "14.07"},
    {"14,07", "14,07"},
    {"1407", "1407"},
    {"14:07:03", "14:07:03"},
    {"14.07.03", "14.07.03"},
    {"14,07,03", "14,07,03"},
    {"140703", "140703"},
    {"14", "14"},
    {"07", "07"},
    {"03", "03"},
    {"02:07 pm", "2:07 pm"},
    {"02.07 pm", "2.07 pm"},
    {"02,07 pm", "2,07 pm"},
    {"02:07:03 pm", "2:07:03 pm"},
    {"02.07.03 pm", "2.07.03 pm"},
    {"02,07,03 pm", "2,07,03 pm"},
    {"02:07 PM", "2:07 PM"},
    {"02.07 PM", "2.07 PM"},
    {"02,07 PM", "2,07 PM"},
    {"02:07:03 PM", "2:07:03 PM"},
    {"02.07.03 PM", "2.07.03 PM"},
    {"02,07,03 PM", "2,07,03 PM"},
    {"02:07p", "2:07p"},
    {"02.07p", "2.07p"},
    {"02,07p", "2,07p"},
};

TEST(DateTimeFormats, EveryDateFormat) {
    for (int f = 1; f <= kDateFormatCount; ++f) {
        const Expected& e = kDates[f - 1];
        EXPECT_EQ(renderDate(f, true, 0, kFixed), e.padded) << dateFormatNames()[f - 1];
        EXPECT_EQ(renderDate(f, false, 0, kFixed), e.unpadded) << dateFormatNames()[f - 1];
    }
}

TEST(DateTimeFormats, EveryTimeFormat) {
    for (int f = 1; f <= kTimeFormatCount; ++f) {
        const Expected& e = kTimes[f - 1];
        EXPECT_EQ(renderTime(f, true, kFixed), e.padded) << timeFormatNames()[f - 1];
        EXPECT_EQ(renderTime(f, false, kFixed), e.unpadded) << timeFormatNames()[f - 1];
    }
}

struct DateCase {
    int format;
    bool pad;
    long offset;
    LocalDateTime now;
    std::string_view text;
};

const DateCase kDateCases[] = {
    {1, false, 0, at(1998, 3, 5), "3/5/98"},
    {1, true, 0, at(1998, 3, 5), "03/05/98"},
    {1, true, 1, at(1998, 3, 5), "03/06/98"},
    {50, false, -1, at(2026, 1, 5), "Sunday"},         // a Monday
    {50, true, -1, at(2026, 6, 1), "Sunday"},          // a Monday, across the month
    {48, true, 1, at(2026, 1, 9), "Sat"},
    {51, true, 2, at(2026, 1, 9), "SUNDAY"},
    {1, false, 0, at(2005, 3, 5), "3/5/05"},
    {46, false, 0, at(2005, 7, 1), "05"},
    {47, false, 0, at(2005, 7, 1), "2005"},
    {4, true, 0, at(2000, 12, 31), "12/31/2000"},
    {1, true, 0, at(2000, 1, 1), "01/01/00"},
    {47, true, 0, at(999, 1, 1), "0999"},
    {47, false, 0, at(999, 1, 1), "999"},
    {46, false, 0, at(5, 1, 1), "05"},
    {4, true, 1, at(2025, 12, 31), "01/01/2026"},      // year boundary forward
    {4, true, -1, at(2026, 1, 1), "12/31/2025"},       // and back
    {17, true, -1, at(2024, 3, 1), "2024-02-29"},      // leap year
    {17, true, -1, at(2023, 3, 1), "2023-02-28"},
    {17, true, -1, at(2000, 3, 1), "2000-02-29"},      // every 400 years
    {17, true, -1, at(1900, 3, 1), "1900-02-28"},      // but not every 100
    {17, true, 1, at(2024, 2, 28), "2024-02-29"},
    {17, true, 1, at(2024, 2, 29), "2024-03-01"},
    {17, true, 1, at(2026, 4, 30), "2026-05-01"},
    {17, true, 999, at(2023, 4, 16), "2026-01-09"},
    {17, true, -999, at(2026, 1, 9), "2023-04-16"},
    {50, true, -999, at(2026, 1, 9), "Sunday"},
    {34, false, -9, at(2026, 1, 9), "December 31, 2025"},
    {21, true, 0, at(2026, 5, 20), "20 MAY 26"},
    {26, true, 0, at(2026, 9, 30), "30 September 2026"},
    {36, false, 0, at(2026, 11, 12), "11122026"},
    {44, true, 0, at(2026, 12, 1), "DEC"},
};

TEST(DateTimeFormats, DatesAndOffsets) {
    for (const DateCase& c : kDateCases) {
        EXPECT_EQ(renderDate(c.format, c.pad, c.offset, c.now), c.text)
            << dateFormatNames()[c.format - 1] << " offset " << c.offset;
    }
}

struct TimeCase {
    int format;
    bool pad;
    LocalDateTime now;
    std::string_view text;
};

const TimeCase kTimeCases[] = {
    {12, false, at(2026, 1, 9, 0, 5), "12:05 am"},
    {24, true, at(2026, 1, 9, 15, 4), "03:04p"},
    {1, true, at(2026, 1, 9, 0, 0), "00:00"},
    {1, false, at(2026, 1, 9, 0, 0), "0:00"},
    {1, false, at(2026, 1, 9, 9, 5), "9:05"},
    {9, false, at(2026, 1, 9, 9, 5), "9"},
    {10, false, at(2026, 1, 9, 9, 5), "05"},
    {11, false, at(2026, 1, 9, 9, 5, 0), "00"},
    {8, false, at(2026, 1, 9, 23, 59, 59), "235959"},
    {12, true, at(2026, 1, 9, 12, 0), "12:00 pm"},
    {18, false, at(2026, 1, 9, 11, 59), "11:59 AM"},
    {21, true, at(2026, 1, 9, 11, 59, 59), "11:59:59 AM"},
    {18, false, at(2026, 1, 9, 23, 59), "11:59 PM"},
    {26, false, at(2026, 1, 9, 13, 0), "1,00p"},
    {25, true, at(2026, 1, 9, 0, 30), "12.30a"},
    {15, true, at(2026, 1, 9, 1, 2, 3), "01:02:03 am"},
};

TEST(DateTimeFormats, Times) {
    for (const TimeCase& c : kTimeCases)
        EXPECT_EQ(renderTime(c.format, c.pad, c.now), c.text) << timeFormatNames()[c.format - 1];
}

TEST(DateTimeFormats, UnknownFormatsGiveNothing) {
    for (int f : {0, -1, kDateFormatCount + 1, 1000}) EXPECT_EQ(renderDate(f, true, 0, kFixed), "") << f;
    for (int f : {0, -1, kTimeFormatCount + 1, 1000}) EXPECT_EQ(renderTime(f, true, kFixed), "") << f;
}

TEST(DateTimeFormats, HugeOffsetsStayDefined) {
    EXPECT_FALSE(renderDate(17, true, 2000000000L, kFixed).empty());
    EXPECT_FALSE(renderDate(17, true, -2000000000L, kFixed).empty());
}

TEST(DateTimeFormats, NameTables) {
    ASSERT_EQ(dateFormatNames().size(), 51u);
    ASSERT_EQ(timeFormatNames().size(), 26u);
    EXPECT_EQ(dateFormatNames()[0], "MM/DD/YY");
    EXPECT_EQ(dateFormatNames()[33], "Mmmmm DD, YYYY");
    EXPECT_EQ(dateFormatNames()[34], "MMDDYY");
    EXPECT_EQ(dateFormatNames()[50], "Day of Week 4");
    EXPECT_EQ(timeFormatNames()[0], "hh:mm");
    EXPECT_EQ(timeFormatNames()[11], "hh:mm am");
    EXPECT_EQ(timeFormatNames()[17], "hh:mm AM");
    EXPECT_EQ(timeFormatNames()[25], "hh,mma");
}

TEST(DateTimeFormats, NameSlots) {
    const std::string slots = formatNameSlots();
    ASSERT_EQ(slots.size(), 77u * 16u);
    const struct {
        std::size_t slot;
        std::string bytes;
    } cases[] = {
        {0, std::string("\x08MM/DD/YY\0\0\0\0\0\0\0", 16)},
        {33, std::string("\x0EMmmmm DD, YYYY\0", 16)},
        {50, std::string("\x0D" "Day of Week 4\0\0", 16)},
        {51, std::string("\x05hh:mm\0\0\0\0\0\0\0\0\0\0", 16)},
        {76, std::string("\x06hh,mma\0\0\0\0\0\0\0\0\0", 16)},
    };
    for (const auto& c : cases) EXPECT_EQ(slots.substr(c.slot * 16, 16), c.bytes) << c.slot;
}

}  // namespace
}  // namespace qln
