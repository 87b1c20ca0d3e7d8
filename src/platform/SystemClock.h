#pragma once

#include "platform/Clock.h"

namespace qln {

// The machine's own clock: local time of day and a monotonic millisecond count.
class SystemClock : public IClock {
public:
    LocalDateTime localNow() const override;
    std::uint64_t tickCount() const override;
};

}  // namespace qln
