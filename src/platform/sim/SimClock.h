#pragma once

#include "platform/Clock.h"

namespace qln::sim {

// Virtual time: it moves only when told, so hours of waiting take no time at all.
class SimClock : public IClock {
public:
    explicit SimClock(const LocalDateTime& start) : start_(start) {}

    LocalDateTime localNow() const override;
    std::uint64_t tickCount() const override { return tick_; }

    void advance(std::uint64_t ms) { tick_ += ms; }
    void advanceTo(std::uint64_t tick) {
        if (tick > tick_) tick_ = tick;
    }

private:
    LocalDateTime start_;
    std::uint64_t tick_ = 0;
};

}  // namespace qln::sim
