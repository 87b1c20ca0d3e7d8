#pragma once

#include <cstdint>
#include <functional>

namespace qln {

using TimerId = int;

// Repeating timers of the program's event loop: each tick runs on the main thread, between messages.
class ITimers {
public:
    virtual ~ITimers() = default;
    virtual TimerId startTimer(std::uint32_t intervalMs, std::function<void()> onTick) = 0;
    virtual void stopTimer(TimerId id) = 0;
};

}  // namespace qln
