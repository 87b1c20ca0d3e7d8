#include "platform/sim/SimMessagePump.h"

#include <algorithm>

namespace qln::sim {

void SimMessagePump::postAt(std::uint64_t tick, const Message& m) {
    const Queued q{tick, posted_++, m};
    const auto at = std::upper_bound(queue_.begin(), queue_.end(), q, [](const Queued& a, const Queued& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    queue_.insert(at, q);
}

void SimMessagePump::handleDue() {
    while (!queue_.empty() && queue_.front().tick <= clock_.tickCount()) {
        const Message m = queue_.front().message;
        queue_.erase(queue_.begin());
        if (handler_ != nullptr) handler_->handleMessage(m);
    }
}

TimerId SimMessagePump::startTimer(std::uint32_t intervalMs, std::function<void()> onTick) {
    const TimerId id = nextTimer_++;
    timers_[id] = Timer{std::max<std::uint32_t>(intervalMs, 1), clock_.tickCount() + std::max<std::uint32_t>(intervalMs, 1),
                        std::move(onTick)};
    return id;
}

std::uint64_t SimMessagePump::nextTimerTick() const {
    std::uint64_t next = UINT64_MAX;
    for (const auto& [id, t] : timers_) next = std::min(next, t.next);
    return next;
}

void SimMessagePump::fireDueTimers() {
    // A tick may start or stop timers: look each one up again before running it.
    for (bool fired = true; fired;) {
        fired = false;
        for (auto& [id, t] : timers_) {
            if (t.next > clock_.tickCount()) continue;
            t.next += t.interval;
            const auto onTick = t.onTick;
            onTick();
            fired = true;
            break;
        }
    }
}

void SimMessagePump::processMessages() {
    ++processCalls_;
    if (!queue_.empty()) handleDue();
    if (!timers_.empty()) fireDueTimers();
}

void SimMessagePump::waitUntil(std::uint64_t tickDeadline) {
    ++waitCalls_;
    const std::uint64_t message = queue_.empty() ? UINT64_MAX : queue_.front().tick;
    const std::uint64_t next = std::min(message, nextTimerTick());
    if (next <= tickDeadline) {
        clock_.advanceTo(next);
        handleDue();
        fireDueTimers();
        return;
    }
    clock_.advanceTo(tickDeadline);
}

}  // namespace qln::sim
