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
    if (clock_.tickCount() >= quitAt_) quit_ = true;
    while (!queue_.empty() && queue_.front().tick <= clock_.tickCount()) {
        const Message m = queue_.front().message;
        queue_.erase(queue_.begin());
        if (handler_ != nullptr) handler_->handleMessage(m);
    }
    if (!timers_.empty()) timers_.fireDue(clock_.tickCount());
}

std::uint64_t SimMessagePump::nextEvent() const {
    const std::uint64_t message = queue_.empty() ? UINT64_MAX : queue_.front().tick;
    return std::min({message, timers_.nextDue(), quit_ ? UINT64_MAX : quitAt_});
}

void SimMessagePump::processMessages() {
    ++processCalls_;
    handleDue();
}

void SimMessagePump::waitUntil(std::uint64_t tickDeadline) {
    ++waitCalls_;
    if (quit_) return;
    const std::uint64_t next = nextEvent();
    clock_.advanceTo(std::max(clock_.tickCount(), std::min(next, tickDeadline)));
    handleDue();
}

}  // namespace qln::sim
