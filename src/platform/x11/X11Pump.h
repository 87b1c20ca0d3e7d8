#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>

#include "platform/Clock.h"
#include "platform/DescriptorWatch.h"
#include "platform/MessagePump.h"
#include "platform/TimerQueue.h"
#include "platform/Timers.h"
#include "platform/x11/X11Events.h"

namespace qln::x11 {

// An event loop of our own on the X connection, for programs without a toolkit (qlntool): X events, the
// program's own posted messages, timers and watched file descriptors.  Waits block in poll() until one of them
// needs attention or the deadline comes; nothing spins.
class X11Pump : public IMessagePump, public ITimers, public IDescriptorWatch {
public:
    X11Pump(X11Events& events, const IClock& clock) : events_(events), clock_(clock) {}

    void setHandler(IMessageHandler* handler) override { handler_ = handler; }
    void processMessages() override;
    void waitUntil(std::uint64_t tickDeadline) override;
    void post(const Message& m) override { posted_.push_back(m); }
    void requestQuit() override { quit_ = true; }
    bool quitRequested() const override { return quit_; }

    TimerId startTimer(std::uint32_t intervalMs, std::function<void()> onTick) override {
        return timers_.start(intervalMs, std::move(onTick), clock_.tickCount());
    }
    void stopTimer(TimerId id) override { timers_.stop(id); }

    int watchFd(int fd, std::function<void()> onReady) override;
    void unwatchFd(int id) override { watches_.erase(id); }

private:
    // Each returns whether it handled anything.
    bool handleAll();
    bool handlePosted();
    // Blocks until the X connection or a watched descriptor is ready, or the timeout (ms) has passed.
    void pollOnce(int timeoutMs);

    struct Watch {
        int fd;
        std::function<void()> onReady;
    };

    X11Events& events_;
    const IClock& clock_;
    IMessageHandler* handler_ = nullptr;
    std::deque<Message> posted_;
    TimerQueue timers_;
    std::map<int, Watch> watches_;
    int nextWatch_ = 1;
    bool quit_ = false;
};

}  // namespace qln::x11
