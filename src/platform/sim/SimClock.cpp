#include "platform/sim/SimClock.h"

#include "core/DateTime.h"

namespace qln::sim {

LocalDateTime SimClock::localNow() const {
    constexpr std::uint64_t kMsPerDay = 86400000;
    const std::uint64_t startMs =
        ((static_cast<std::uint64_t>(start_.hour) * 60 + start_.minute) * 60 + start_.second) * 1000 + start_.millisecond;
    const std::uint64_t total = startMs + tick_;
    const long days = daysFromCivil(start_.year, start_.month, start_.day) + static_cast<long>(total / kMsPerDay);
    const std::uint64_t ms = total % kMsPerDay;
    const CivilDate d = civilFromDays(days);
    return {d.year,
            d.month,
            d.day,
            static_cast<int>(ms / 3600000),
            static_cast<int>(ms / 60000 % 60),
            static_cast<int>(ms / 1000 % 60),
            static_cast<int>(ms % 1000)};
}

}  // namespace qln::sim
