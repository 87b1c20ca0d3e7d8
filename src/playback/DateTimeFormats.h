#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"

namespace qln {

// The date and time formats of the date and time tags.  Formats are numbered from 1 in table order.

constexpr int kDateFormatCount = 51;
constexpr int kTimeFormatCount = 26;
constexpr std::size_t kFormatNameSlot = 16;  // one length byte and up to 15 characters

const std::vector<std::string_view>& dateFormatNames();
const std::vector<std::string_view>& timeFormatNames();

// Both name tables as 16-byte slots, dates first: (51 + 26) * 16 bytes, unused bytes zero.
std::string formatNameSlots();

// Today's date moved by offsetDays, in the given format.  `pad` is the "Y" flag: two-digit month and day and a
// four-digit year; without it they are printed bare.  An unknown format gives an empty text.
std::string renderDate(int format, bool pad, long offsetDays, const LocalDateTime& now);

// The time of day in the given format.  `pad` makes the hour two digits; minutes and seconds always are.
std::string renderTime(int format, bool pad, const LocalDateTime& now);

}  // namespace qln
