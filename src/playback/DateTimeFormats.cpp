#include "playback/DateTimeFormats.h"

#include <array>

#include "core/DateTime.h"

namespace qln {

namespace {

constexpr std::array<std::string_view, 51> kDates = {
    "MM/DD/YY",      "MM-DD-YY",       "MM.DD.YY",      "MM/DD/YYYY",     "MM-DD-YYYY",    "MM.DD.YYYY",
    "DD/MM/YY",      "DD-MM-YY",       "DD.MM.YY",      "DD/MM/YYYY",     "DD-MM-YYYY",    "DD.MM.YYYY",
    "YY/MM/DD",      "YY-MM-DD",       "YY.MM.DD",      "YYYY/MM/DD",     "YYYY-MM-DD",    "YYYY.MM.DD",
    "MMM YYYY",      "Mmm YYYY",       "DD MMM YY",     "DD Mmm YY",      "DD MMM YYYY",   "DD Mmm YYYY",
    "DD Mmmmm YY",   "DD Mmmmm YYYY",  "Mmm DD YY",     "Mmm DD, YY",     "Mmm DD YYYY",   "Mmm DD, YYYY",
    "Mmmmm DD YY",   "Mmmmm DD, YY",   "Mmmmm DD YYYY", "Mmmmm DD, YYYY", "MMDDYY",        "MMDDYYYY",
    "DDMMYY",        "DDMMYYYY",       "YYMMDD",        "YYYYMMDD",       "DD",            "MM",
    "Mmm",           "MMM",            "Mmmmm",         "YY",             "YYYY",          "Day of Week 1",
    "Day of Week 2", "Day of Week 3",  "Day of Week 4",
};

constexpr std::array<std::string_view, 26> kTimes = {
    "hh:mm",       "hh.mm",       "hh,mm",       "hhmm",     "hh:mm:ss",    "hh.mm.ss",    "hh,mm,ss",
    "hhmmss",      "hh",          "mm",          "ss",       "hh:mm am",    "hh.mm am",    "hh,mm am",
    "hh:mm:ss am", "hh.mm.ss am", "hh,mm,ss am", "hh:mm AM", "hh.mm AM",    "hh,mm AM",    "hh:mm:ss AM",
    "hh.mm.ss AM", "hh,mm,ss AM", "hh:mma",      "hh.mma",   "hh,mma",
};

constexpr std::array<std::string_view, 12> kMonths = {"January", "February", "March",     "April",   "May",      "June",
                                                      "July",    "August",   "September", "October", "November",
                                                      "December"};
constexpr std::array<std::string_view, 7> kDays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                   "Thursday", "Friday", "Saturday"};

std::string upper(std::string_view s) {
    std::string u(s);
    for (char& c : u)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return u;
}

std::string number(long n, std::size_t width) {
    std::string digits = std::to_string(n < 0 ? -n : n);
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return n < 0 ? "-" + digits : digits;
}

bool startsWith(std::string_view s, std::size_t at, std::string_view word) { return s.substr(at).starts_with(word); }

}  // namespace

std::span<const std::string_view> dateFormatNames() { return kDates; }
std::span<const std::string_view> timeFormatNames() { return kTimes; }

std::string renderDate(int format, bool pad, long offsetDays, const LocalDateTime& now) {
    if (format < 1 || format > static_cast<int>(kDates.size())) return {};
    const long days = daysFromCivil(now.year, now.month, now.day) + offsetDays;
    const CivilDate d = civilFromDays(days);
    const std::string_view month = kMonths[static_cast<std::size_t>(d.month - 1)];
    if (format >= 48) {
        const std::string_view day = kDays[static_cast<std::size_t>(weekdayOfDays(days))];
        switch (format) {
            case 48:
                return std::string(day.substr(0, 3));
            case 49:
                return upper(day.substr(0, 3));
            case 50:
                return std::string(day);
            default:
                return upper(day);
        }
    }
    const std::string_view name = kDates[static_cast<std::size_t>(format - 1)];
    std::string out;
    for (std::size_t i = 0; i < name.size();) {
        if (startsWith(name, i, "YYYY")) {
            out += number(d.year, pad ? 4 : 0);
            i += 4;
        } else if (startsWith(name, i, "YY")) {
            const std::string year = number(d.year, 4);
            out += year.substr(year.size() - 2);
            i += 2;
        } else if (startsWith(name, i, "Mmmmm")) {
            out += month;
            i += 5;
        } else if (startsWith(name, i, "MMM")) {
            out += upper(month.substr(0, 3));
            i += 3;
        } else if (startsWith(name, i, "Mmm")) {
            out += month.substr(0, 3);
            i += 3;
        } else if (startsWith(name, i, "MM")) {
            out += number(d.month, pad ? 2 : 0);
            i += 2;
        } else if (startsWith(name, i, "DD")) {
            out += number(d.day, pad ? 2 : 0);
            i += 2;
        } else {
            out += name[i++];
        }
    }
    return out;
}

std::string renderTime(int format, bool pad, const LocalDateTime& now) {
    if (format < 1 || format > static_cast<int>(kTimes.size())) return {};
    const std::string_view name = kTimes[static_cast<std::size_t>(format - 1)];
    int hour = now.hour;
    if (format >= 12) hour = hour % 12 == 0 ? 12 : hour % 12;
    const bool pm = now.hour >= 12;
    std::string out;
    for (std::size_t i = 0; i < name.size();) {
        if (startsWith(name, i, "hh")) {
            out += number(hour, pad ? 2 : 0);
            i += 2;
        } else if (startsWith(name, i, "mm")) {
            out += number(now.minute, 2);
            i += 2;
        } else if (startsWith(name, i, "ss")) {
            out += number(now.second, 2);
            i += 2;
        } else if (startsWith(name, i, "am")) {
            out += pm ? "pm" : "am";
            i += 2;
        } else if (startsWith(name, i, "AM")) {
            out += pm ? "PM" : "AM";
            i += 2;
        } else if (name[i] == 'a') {
            out += pm ? 'p' : 'a';
            ++i;
        } else {
            out += name[i++];
        }
    }
    return out;
}

std::vector<std::uint8_t> formatNameSlots() {
    std::vector<std::uint8_t> slots;
    auto add = [&](std::string_view name) {
        std::array<std::uint8_t, 16> slot{};
        slot[0] = static_cast<std::uint8_t>(name.size());
        for (std::size_t i = 0; i < name.size() && i < 15; ++i) slot[i + 1] = static_cast<std::uint8_t>(name[i]);
        slots.insert(slots.end(), slot.begin(), slot.end());
    };
    for (auto n : kDates) add(n);
    for (auto n : kTimes) add(n);
    return slots;
}

}  // namespace qln
