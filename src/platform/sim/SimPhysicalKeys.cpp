#include "platform/sim/SimPhysicalKeys.h"

#include <algorithm>

namespace qln::sim {

bool SimPhysicalKeys::waitUntilReleased(std::chrono::milliseconds limit) {
    if (!held()) return true;
    const auto wait = static_cast<std::uint64_t>(std::max<std::int64_t>(0, limit.count()));
    const std::uint64_t deadline = clock_.tickCount() + wait;
    while (held() && clock_.tickCount() < deadline && !pump_.quitRequested())
        pump_.waitUntil(std::min(releaseAt_, deadline));
    const bool released = !held();
    trace_.add(released ? "keys released" : "keys still held");
    return released;
}

}  // namespace qln::sim
