#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"

namespace qln {

// The date and time formats of the date and time tags, numbered from 1 in table order.
std::span<const std::string_view> dateFormatNames();  // 51
std::span<const std::string_view> timeFormatNames();  // 26

// Today's date moved by offsetDays, in date format `format` (1..51); pad: the "Y" flag.
std::string renderDate(int format, bool pad, long offsetDays, const LocalDateTime& now);
// The time of day in time format `format` (1..26).
std::string renderTime(int format, bool pad, const LocalDateTime& now);

// The names as stored: 16-byte slots of a length and up to 15 characters, dates first.
std::vector<std::uint8_t> formatNameSlots();

}  // namespace qln
