#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <deque>
#include <map>
#include <memory>

#include "platform/Clock.h"
#include "platform/DescriptorWatch.h"
#include "platform/MessagePump.h"
#include "platform/TimerQueue.h"
#include "platform/Timers.h"

class QEventLoop;
class QSocketNotifier;

namespace qln::x11 {
class X11Events;
}

namespace qln {

// The program's event loop is Qt's.  Messages, timers, watched descriptors and the events of our own X connection
// all arrive through it; a wait of a playing macro runs a nested loop (as a modal dialog does) that ends when
// something was handled or the deadline came, blocking in between.
class QtPump : public QObject, public IMessagePump, public ITimers, public IDescriptorWatch {
    Q_OBJECT
public:
    // `events`: the X connection whose events are handed out from this loop (none in tests without a display).
    explicit QtPump(const IClock& clock, x11::X11Events* events = nullptr);
    ~QtPump() override;

    void setHandler(IMessageHandler* handler) override { handler_ = handler; }
    void processMessages() override;
    void waitUntil(std::uint64_t tickDeadline) override;
    void post(const Message& m) override;
    void requestQuit() override;
    bool quitRequested() const override { return quit_; }
    // What the program does when a quit is asked for (the application closes its window); run from the loop.
    void setOnQuit(std::function<void()> onQuit) { onQuit_ = std::move(onQuit); }

    TimerId startTimer(std::uint32_t intervalMs, std::function<void()> onTick) override;
    void stopTimer(TimerId id) override;

    int watchFd(int fd, std::function<void()> onReady) override;
    void unwatchFd(int id) override;

private:
    void deliverPosted();
    void fireTimers();
    void armTimer();
    void dispatchX();
    // Something was handled: a wait in progress may end.
    void handled();

    const IClock& clock_;
    x11::X11Events* events_;
    IMessageHandler* handler_ = nullptr;
    std::deque<Message> posted_;
    TimerQueue timers_;
    QTimer timer_;
    std::map<int, std::unique_ptr<QSocketNotifier>> watches_;
    std::map<int, std::function<void()>> callbacks_;
    int nextWatch_ = 1;
    std::unique_ptr<QSocketNotifier> xNotifier_;
    QEventLoop* waiting_ = nullptr;  // the innermost wait
    bool handled_ = false;
    bool quit_ = false;
    std::function<void()> onQuit_;
};

}  // namespace qln
