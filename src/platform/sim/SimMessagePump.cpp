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

void SimMessagePump::processMessages() {
    ++processCalls_;
    if (!queue_.empty()) handleDue();
}

void SimMessagePump::waitUntil(std::uint64_t tickDeadline) {
    ++waitCalls_;
    if (!queue_.empty() && queue_.front().tick <= tickDeadline) {
        clock_.advanceTo(queue_.front().tick);
        handleDue();
        return;
    }
    clock_.advanceTo(tickDeadline);
}

}  // namespace qln::sim
