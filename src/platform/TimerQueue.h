#pragma once

#include <cstdint>
#include <functional>
#include <map>

#include "platform/Timers.h"

namespace qln {

// The repeating timers of an event loop, on its tick count.  A timer that fell behind (the loop was busy with a
// long macro) ticks once, then keeps its rhythm from that moment, as the desktop's own timers do: missed ticks
// are not made up in a burst.  Every event loop of the program keeps its timers here, so the simulated desktop
// times them exactly as the real one.
class TimerQueue {
public:
    TimerId start(std::uint32_t intervalMs, std::function<void()> onTick, std::uint64_t now);
    void stop(TimerId id) { timers_.erase(id); }
    bool running(TimerId id) const { return timers_.count(id) != 0; }
    bool empty() const { return timers_.empty(); }

    // The tick at which the next timer is due; UINT64_MAX when none runs.
    std::uint64_t nextDue() const;
    // Runs each timer that is due at `now` once, earliest first.  A tick may start and stop timers.  Returns
    // whether any ran.
    bool fireDue(std::uint64_t now);

private:
    struct Timer {
        std::uint32_t interval;
        std::uint64_t next;
        std::function<void()> onTick;
    };
    std::map<TimerId, Timer> timers_;
    TimerId nextId_ = 1;
};

}  // namespace qln
