#pragma once

#include <cstdint>

#include "platform/Clock.h"
#include "platform/MessagePump.h"

namespace qln {

// The two waits every timed step rests on.  Both keep handling messages (at least once) and block in the
// message pump between checks; neither sleeps nor spins.  Both end early when the program is quitting.

// Waits until more than `seconds` have passed on the time-of-day clock, across midnight.  A negative or zero
// duration ends at the first check.
void waitTimeOfDay(IClock& clock, IMessagePump& pump, double seconds);

// Waits until the millisecond tick count has advanced by at least `milliseconds`.
void waitTicks(IClock& clock, IMessagePump& pump, std::int64_t milliseconds);

// Milliseconds since midnight of a local time.
std::int64_t msOfDay(const LocalDateTime& t);

}  // namespace qln
