#pragma once

#include <cstdint>

#include "platform/MessagePump.h"
#include "platform/PhysicalKeys.h"
#include "platform/sim/EventTrace.h"
#include "platform/sim/SimClock.h"

namespace qln::sim {

// The keys the simulated user holds: none, unless a scenario holds them until some virtual tick.
class SimPhysicalKeys : public IPhysicalKeys {
public:
    SimPhysicalKeys(SimClock& clock, IMessagePump& pump, EventTrace& trace)
        : clock_(clock), pump_(pump), trace_(trace) {}

    // The user keeps holding keys for another `ms` milliseconds from now.
    void holdFor(std::uint64_t ms) { releaseAt_ = clock_.tickCount() + ms; }
    void releaseAll() { releaseAt_ = 0; }
    bool held() const { return clock_.tickCount() < releaseAt_; }

    bool waitUntilReleased(std::chrono::milliseconds limit) override;

private:
    SimClock& clock_;
    IMessagePump& pump_;
    EventTrace& trace_;
    std::uint64_t releaseAt_ = 0;
};

}  // namespace qln::sim
