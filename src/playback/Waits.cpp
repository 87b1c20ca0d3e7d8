#include "playback/Waits.h"

#include <algorithm>
#include <cmath>

namespace qln {

namespace {
constexpr std::int64_t kMsPerDay = 86400000;
// Longest single block in the pump; the clock is read again after it, so very long waits stay correct.
constexpr std::int64_t kMaxBlockMs = 3600000;
}  // namespace

std::int64_t msOfDay(const LocalDateTime& t) {
    return ((t.hour * 60LL + t.minute) * 60LL + t.second) * 1000LL + t.millisecond;
}

void waitTimeOfDay(IClock& clock, IMessagePump& pump, double seconds) {
    const double limitMs = seconds * 1000.0;
    LocalDateTime prev = clock.localNow();
    std::int64_t elapsed = 0;
    for (;;) {
        pump.processMessages();
        if (pump.quitRequested()) return;
        const LocalDateTime now = clock.localNow();
        std::int64_t delta = msOfDay(now) - msOfDay(prev);
        if (delta < 0) {
            // Passing midnight adds a day; any other step back is the clock being set, which must not end
            // the wait at once nor stretch it by a day.
            delta = (prev.hour == 23 && now.hour == 0) ? delta + kMsPerDay : 0;
        }
        elapsed += delta;
        prev = now;
        if (!(static_cast<double>(elapsed) <= limitMs)) return;  // also ends a NaN duration
        const double remaining = std::floor(limitMs - static_cast<double>(elapsed)) + 1;
        const auto block = static_cast<std::int64_t>(std::min(remaining, static_cast<double>(kMaxBlockMs)));
        pump.waitUntil(clock.tickCount() + static_cast<std::uint64_t>(block));
    }
}

void waitTicks(IClock& clock, IMessagePump& pump, std::int64_t milliseconds) {
    const std::uint64_t start = clock.tickCount();
    for (;;) {
        pump.processMessages();
        if (pump.quitRequested()) return;
        const auto passed = static_cast<std::int64_t>(clock.tickCount() - start);
        if (passed >= milliseconds) return;
        const std::int64_t block = std::min(milliseconds - passed, kMaxBlockMs);
        pump.waitUntil(clock.tickCount() + static_cast<std::uint64_t>(block));
    }
}

}  // namespace qln
