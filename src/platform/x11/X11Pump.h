#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>

#include "platform/Clock.h"
#include "platform/MessagePump.h"
#include "platform/Timers.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11Keymap.h"

union _XEvent;

namespace qln::x11 {

// The event loop on the X connection: X events, the program's own posted messages, timers and watched file
// descriptors.  Waits block in poll() until one of them needs attention or the deadline comes; nothing spins.
class X11Pump : public IMessagePump, public ITimers {
public:
    X11Pump(X11Display& display, X11Keymap& keymap, const IClock& clock)
        : display_(display), keymap_(keymap), clock_(clock) {}

    void setHandler(IMessageHandler* handler) override { handler_ = handler; }
    void processMessages() override;
    void waitUntil(std::uint64_t tickDeadline) override;

    TimerId startTimer(std::uint32_t intervalMs, std::function<void()> onTick) override;
    void stopTimer(TimerId id) override { timers_.erase(id); }

    // Queues a message for the handler; it is handled by the next processMessages or wait.
    void post(const Message& m) { posted_.push_back(m); }

    // X events are offered to the filters in the order they were added; a filter returns true when the event
    // was its own.
    using EventFilter = std::function<bool(_XEvent& event)>;
    int addEventFilter(EventFilter filter);
    void removeEventFilter(int id) { filters_.erase(id); }

    // Calls onReady whenever the descriptor is readable (or hung up).  The watch stays until removed.
    int watchFd(int fd, std::function<void()> onReady);
    void unwatchFd(int id) { watches_.erase(id); }

private:
    // Each returns whether it handled anything.
    bool handleAll();
    bool handleXEvents();
    void handlePosted();
    bool fireDueTimers();
    std::uint64_t nextTimerTick() const;
    // Blocks until the X connection or a watched descriptor is ready, or the timeout (ms) has passed.
    void pollOnce(int timeoutMs);

    struct Timer {
        std::uint32_t interval;
        std::uint64_t next;
        std::function<void()> onTick;
    };
    struct Watch {
        int fd;
        std::function<void()> onReady;
    };

    X11Display& display_;
    X11Keymap& keymap_;
    const IClock& clock_;
    IMessageHandler* handler_ = nullptr;
    std::deque<Message> posted_;
    std::map<TimerId, Timer> timers_;
    TimerId nextTimer_ = 1;
    std::map<int, EventFilter> filters_;
    int nextFilter_ = 1;
    std::map<int, Watch> watches_;
    int nextWatch_ = 1;
};

}  // namespace qln::x11
