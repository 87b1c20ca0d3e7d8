#pragma once

#include <cstdint>

namespace qln {

// Local calendar date and time of day.
struct LocalDateTime {
    int year = 1899;
    int month = 12;  // 1..12
    int day = 30;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    bool operator==(const LocalDateTime&) const = default;
};

class IClock {
public:
    virtual ~IClock() = default;
    // The local date and time of day, with milliseconds.  May jump (clock set, midnight).
    virtual LocalDateTime localNow() const = 0;
    // Milliseconds since some fixed point; never goes back.
    virtual std::uint64_t tickCount() const = 0;
};

}  // namespace qln
