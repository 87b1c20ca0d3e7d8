#pragma once

#include <cstdint>
#include <vector>

#include "platform/MessagePump.h"
#include "platform/TimerQueue.h"
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
    void post(const Message& m) override { postAt(clock_.tickCount(), m); }
    void requestQuit() override { quit_ = true; }
    bool quitRequested() const override { return quit_; }

    TimerId startTimer(std::uint32_t intervalMs, std::function<void()> onTick) override {
        return timers_.start(intervalMs, std::move(onTick), clock_.tickCount());
    }
    void stopTimer(TimerId id) override { timers_.stop(id); }
    bool timerRunning(TimerId id) const { return timers_.running(id); }

    void postAt(std::uint64_t tick, const Message& m);
    // Asks for the quit at that virtual tick (a termination signal arriving then).
    void quitAt(std::uint64_t tick) { quitAt_ = tick; }

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
    std::uint64_t nextEvent() const;

    SimClock& clock_;
    IMessageHandler* handler_ = nullptr;
    TimerQueue timers_;
    std::vector<Queued> queue_;  // kept sorted by (tick, order)
    std::uint64_t posted_ = 0;
    std::uint64_t quitAt_ = UINT64_MAX;
    bool quit_ = false;
    int processCalls_ = 0;
    int waitCalls_ = 0;
};

}  // namespace qln::sim
