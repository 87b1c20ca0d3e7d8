#pragma once

#include <cstdint>

namespace qln {

// One message of the program's own queue: the hook library's notices (0x401..0x40C), timers, and the like.
struct Message {
    std::uint32_t id = 0;
    std::uint64_t wParam = 0;
    std::uint64_t lParam = 0;
};

namespace msg {
constexpr std::uint32_t User = 0x400;
constexpr std::uint32_t HotKeyToCapture = 0x401;
constexpr std::uint32_t HotKey = 0x402;
constexpr std::uint32_t AbortMacro = 0x405;
constexpr std::uint32_t Snipword = 0x406;
constexpr std::uint32_t WindowActivated = 0x407;
constexpr std::uint32_t CapsLockState = 0x409;
constexpr std::uint32_t InUseCleared = 0x40C;
}  // namespace msg

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
};

}  // namespace qln
