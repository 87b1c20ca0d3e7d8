#include "platform/TimerQueue.h"

#include <algorithm>
#include <vector>

namespace qln {

TimerId TimerQueue::start(std::uint32_t intervalMs, std::function<void()> onTick, std::uint64_t now) {
    const std::uint32_t interval = std::max<std::uint32_t>(intervalMs, 1);
    const TimerId id = nextId_++;
    timers_[id] = Timer{interval, now + interval, std::move(onTick)};
    return id;
}

std::uint64_t TimerQueue::nextDue() const {
    std::uint64_t next = UINT64_MAX;
    for (const auto& [id, t] : timers_) next = std::min(next, t.next);
    return next;
}

bool TimerQueue::fireDue(std::uint64_t now) {
    std::vector<std::pair<std::uint64_t, TimerId>> due;
    for (const auto& [id, t] : timers_)
        if (t.next <= now) due.emplace_back(t.next, id);
    std::sort(due.begin(), due.end());
    for (const auto& [when, id] : due) {
        const auto t = timers_.find(id);  // an earlier tick may have stopped it
        if (t == timers_.end() || t->second.next > now) continue;
        t->second.next += t->second.interval;
        if (t->second.next <= now) t->second.next = now + t->second.interval;
        const auto onTick = t->second.onTick;  // the tick may stop its own timer
        onTick();
    }
    return !due.empty();
}

}  // namespace qln
