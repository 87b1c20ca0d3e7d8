#include "playback/DateTimeFormats.h"

#include "core/DateTime.h"

namespace qln {

namespace {

constexpr std::string_view kMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};
constexpr std::string_view kDays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// Farther than this the calendar arithmetic would leave the range of an int year.
constexpr long kMaxOffsetDays = 100000000;

constexpr int kFirstDayOfWeek = 48;
constexpr int kFirst12Hour = 12;

void appendNumber(std::string& out, long n, std::size_t width) {
    const std::string digits = std::to_string(n);
    if (digits.size() < width) out.append(width - digits.size(), '0');
    out += digits;
}

void appendUpper(std::string& out, std::string_view s) {
    for (char c : s) out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Tokens of a format name, longest first where one is the start of another.
bool consume(std::string_view& rest, std::string_view token) {
    if (!rest.starts_with(token)) return false;
    rest.remove_prefix(token.size());
    return true;
}

std::string dayOfWeek(int format, int weekday) {
    const std::string_view name = kDays[weekday];
    std::string out;
    const bool full = format >= kFirstDayOfWeek + 2;
    const bool capitals = (format - kFirstDayOfWeek) % 2 == 1;
    const std::string_view shown = full ? name : name.substr(0, 3);
    if (capitals)
        appendUpper(out, shown);
    else
        out = shown;
    return out;
}

}  // namespace

const std::vector<std::string_view>& dateFormatNames() {
    static const std::vector<std::string_view> names = {
        "MM/DD/YY",      "MM-DD-YY",       "MM.DD.YY",      "MM/DD/YYYY",    "MM-DD-YYYY",    "MM.DD.YYYY",
        "DD/MM/YY",      "DD-MM-YY",       "DD.MM.YY",      "DD/MM/YYYY",    "DD-MM-YYYY",    "DD.MM.YYYY",
        "YY/MM/DD",      "YY-MM-DD",       "YY.MM.DD",      "YYYY/MM/DD",    "YYYY-MM-DD",    "YYYY.MM.DD",
        "MMM YYYY",      "Mmm YYYY",       "DD MMM YY",     "DD Mmm YY",     "DD MMM YYYY",   "DD Mmm YYYY",
        "DD Mmmmm YY",   "DD Mmmmm YYYY",  "Mmm DD YY",     "Mmm DD, YY",    "Mmm DD YYYY",   "Mmm DD, YYYY",
        "Mmmmm DD YY",   "Mmmmm DD, YY",   "Mmmmm DD YYYY", "Mmmmm DD, YYYY", "MMDDYY",       "MMDDYYYY",
        "DDMMYY",        "DDMMYYYY",       "YYMMDD",        "YYYYMMDD",      "DD",            "MM",
        "Mmm",           "MMM",            "Mmmmm",         "YY",            "YYYY",          "Day of Week 1",
        "Day of Week 2", "Day of Week 3",  "Day of Week 4",
    };
    return names;
}

const std::vector<std::string_view>& timeFormatNames() {
    static const std::vector<std::string_view> names = {
        "hh:mm",       "hh.mm",       "hh,mm",    "hhmm",        "hh:mm:ss",    "hh.mm.ss",    "hh,mm,ss",
        "hhmmss",      "hh",          "mm",       "ss",          "hh:mm am",    "hh.mm am",    "hh,mm am",
        "hh:mm:ss am", "hh.mm.ss am", "hh,mm,ss am", "hh:mm AM", "hh.mm AM",    "hh,mm AM",    "hh:mm:ss AM",
        "hh.mm.ss AM", "hh,mm,ss AM", "hh:mma",   "hh.mma",      "hh,mma",
    };
    return names;
}

std::string formatNameSlots() {
    std::string slots;
    slots.reserve((dateFormatNames().size() + timeFormatNames().size()) * kFormatNameSlot);
    for (const auto* table : {&dateFormatNames(), &timeFormatNames()}) {
        for (std::string_view name : *table) {
            std::string slot(kFormatNameSlot, '\0');
            slot[0] = static_cast<char>(name.size());
            slot.replace(1, name.size(), name);
            slots += slot;
        }
    }
    return slots;
}

std::string renderDate(int format, bool pad, long offsetDays, const LocalDateTime& now) {
    if (format < 1 || format > kDateFormatCount) return {};
    if (offsetDays > kMaxOffsetDays) offsetDays = kMaxOffsetDays;
    if (offsetDays < -kMaxOffsetDays) offsetDays = -kMaxOffsetDays;
    const long days = daysFromCivil(now.year, now.month, now.day) + offsetDays;
    if (format >= kFirstDayOfWeek) return dayOfWeek(format, weekdayOfDays(days));

    const CivilDate date = civilFromDays(days);
    const std::string_view month = kMonths[(date.month - 1) % 12];
    std::string_view rest = dateFormatNames()[static_cast<std::size_t>(format - 1)];
    const std::size_t width = pad ? 2 : 1;
    std::string out;
    while (!rest.empty()) {
        if (consume(rest, "YYYY")) {
            appendNumber(out, date.year, pad ? 4 : 1);
        } else if (consume(rest, "YY")) {
            std::string year;
            appendNumber(year, date.year, 4);
            out += year.substr(year.size() - 2);
        } else if (consume(rest, "MMM")) {
            appendUpper(out, month.substr(0, 3));
        } else if (consume(rest, "MM")) {
            appendNumber(out, date.month, width);
        } else if (consume(rest, "Mmmmm")) {
            out += month;
        } else if (consume(rest, "Mmm")) {
            out += month.substr(0, 3);
        } else if (consume(rest, "DD")) {
            appendNumber(out, date.day, width);
        } else {
            out += rest.front();
            rest.remove_prefix(1);
        }
    }
    return out;
}

std::string renderTime(int format, bool pad, const LocalDateTime& now) {
    if (format < 1 || format > kTimeFormatCount) return {};
    const bool twelveHour = format >= kFirst12Hour;
    const int hour24 = ((now.hour % 24) + 24) % 24;
    const int hour = twelveHour ? (hour24 % 12 == 0 ? 12 : hour24 % 12) : hour24;
    const bool am = hour24 < 12;
    std::string_view rest = timeFormatNames()[static_cast<std::size_t>(format - 1)];
    std::string out;
    while (!rest.empty()) {
        if (consume(rest, "hh")) {
            appendNumber(out, hour, pad ? 2 : 1);
        } else if (consume(rest, "mm")) {
            appendNumber(out, now.minute, 2);
        } else if (consume(rest, "ss")) {
            appendNumber(out, now.second, 2);
        } else if (consume(rest, "am")) {
            out += am ? "am" : "pm";
        } else if (consume(rest, "AM")) {
            out += am ? "AM" : "PM";
        } else if (consume(rest, "a")) {
            out += am ? 'a' : 'p';
        } else {
            out += rest.front();
            rest.remove_prefix(1);
        }
    }
    return out;
}

}  // namespace qln
