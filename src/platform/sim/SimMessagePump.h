#pragma once

#include <cstdint>
#include <vector>

#include "platform/MessagePump.h"
#include "platform/sim/SimClock.h"

namespace qln::sim {

// The program's message queue on virtual time: a wait jumps the clock to the next message or to its deadline.
class SimMessagePump : public IMessagePump {
public:
    explicit SimMessagePump(SimClock& clock) : clock_(clock) {}

    void setHandler(IMessageHandler* handler) override { handler_ = handler; }
    void processMessages() override;
    void waitUntil(std::uint64_t tickDeadline) override;

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

    SimClock& clock_;
    IMessageHandler* handler_ = nullptr;
    std::vector<Queued> queue_;  // kept sorted by (tick, order)
    std::uint64_t posted_ = 0;
    int processCalls_ = 0;
    int waitCalls_ = 0;
};

}  // namespace qln::sim
