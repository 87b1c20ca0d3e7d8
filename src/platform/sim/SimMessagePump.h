#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "platform/MessagePump.h"
#include "platform/Timers.h"
#include "platform/sim/SimClock.h"

namespace qln::sim {

// The program's message queue on virtual time: a wait jumps the clock to the next message or to its deadline.
// Timers tick on the same virtual time, between messages.
class SimMessagePump : public IMessagePump, public ITimers {
public:
    explicit SimMessagePump(SimClock& clock) : clock_(clock) {}

    void setHandler(IMessageHandler* handler) override { handler_ = handler; }
    void processMessages() override;
    void waitUntil(std::uint64_t tickDeadline) override;

    TimerId startTimer(std::uint32_t intervalMs, std::function<void()> onTick) override;
    void stopTimer(TimerId id) override { timers_.erase(id); }
    bool timerRunning(TimerId id) const { return timers_.count(id) != 0; }

    void post(const Message& m) { postAt(clock_.tickCount(), m); }
    void postAt(std::uint64_t tick, const Message& m);

    int processCalls() const { return processCalls_; }
    int waitCalls() const { return waitCalls_; }
    std::size_t pending() const { return queue_.size(); }

private:
    struct Queued {
        std::uint64_t tick;
        std::uint64_t order;
        Message message;
    };
    void handleDue();
    // The tick of the next timer that is due, or UINT64_MAX.
    std::uint64_t nextTimerTick() const;
    void fireDueTimers();

    struct Timer {
        std::uint32_t interval;
        std::uint64_t next;
        std::function<void()> onTick;
    };
    std::map<TimerId, Timer> timers_;
    TimerId nextTimer_ = 1;

    SimClock& clock_;
    IMessageHandler* handler_ = nullptr;
    std::vector<Queued> queue_;  // kept sorted by (tick, order)
    std::uint64_t posted_ = 0;
    int processCalls_ = 0;
    int waitCalls_ = 0;
};

}  // namespace qln::sim
