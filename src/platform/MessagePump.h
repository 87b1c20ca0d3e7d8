#pragma once

#include <cstdint>

#include "platform/HookMessages.h"

namespace qln {

class IMessageHandler {
public:
    virtual ~IMessageHandler() = default;
    virtual void handleMessage(const Message& m) = 0;
};

// The program's single-threaded event loop.  Long work (a playing macro, a wait) calls back into it so the
// program stays responsive; nothing here ever spins.
class IMessagePump {
public:
    virtual ~IMessagePump() = default;
    virtual void setHandler(IMessageHandler* handler) = 0;
    // Handles every message that is pending now, then returns.
    virtual void processMessages() = 0;
    // Blocks until at least one message has been handled or the tick count has reached the deadline,
    // whichever comes first.  Returns at once when the deadline has passed.
    virtual void waitUntil(std::uint64_t tickDeadline) = 0;
    // Queues a message for the handler; it is handled by the next processMessages or wait.
    virtual void post(const Message& m) = 0;

    // The program is shutting down (the user quit, a termination signal): every wait ends at once from now on
    // and a playing macro stops at its next step, releasing what it holds.
    virtual void requestQuit() = 0;
    virtual bool quitRequested() const = 0;
};

}  // namespace qln
