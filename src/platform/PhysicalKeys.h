#pragma once

#include <chrono>

namespace qln {

// The keys and buttons the user physically holds, as far as the desktop can tell them apart from synthetic input.
class IPhysicalKeys {
public:
    virtual ~IPhysicalKeys() = default;
    // Blocks in the event loop (never spinning) until the user holds no key and no mouse button, or `limit` has
    // passed.  True when everything was released in time.  A triggered macro waits here first, so its text never
    // arrives with the trigger's modifiers still held.
    virtual bool waitUntilReleased(std::chrono::milliseconds limit) = 0;
};

}  // namespace qln
