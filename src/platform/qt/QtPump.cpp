#include "platform/qt/QtPump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QThread>

#include <algorithm>

#include "platform/x11/X11Events.h"

namespace qln {

QtPump::QtPump(const IClock& clock, x11::X11Events* events) : clock_(clock), events_(events) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { fireTimers(); });
    if (events_ != nullptr) {
        xNotifier_ = std::make_unique<QSocketNotifier>(events_->fd(), QSocketNotifier::Read);
        connect(xNotifier_.get(), &QSocketNotifier::activated, this, [this] { dispatchX(); });
        // Events Xlib read during a round trip sit in its queue where select() cannot see them: hand them out
        // before the loop goes to sleep.
        if (auto* dispatcher = QAbstractEventDispatcher::instance(QThread::currentThread()))
            connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { dispatchX(); });
    }
}

QtPump::~QtPump() = default;

void QtPump::handled() {
    handled_ = true;
    if (waiting_ != nullptr) waiting_->quit();
}

void QtPump::dispatchX() {
    if (events_ != nullptr && events_->dispatchPending()) handled();
}

void QtPump::post(const Message& m) {
    posted_.push_back(m);
    // Delivered from the loop, after what is already queued.
    QMetaObject::invokeMethod(this, [this] { deliverPosted(); }, Qt::QueuedConnection);
}

void QtPump::deliverPosted() {
    if (posted_.empty()) return;
    const Message m = posted_.front();
    posted_.pop_front();
    if (handler_ != nullptr) handler_->handleMessage(m);
    handled();
}

void QtPump::requestQuit() {
    const bool first = !quit_;
    quit_ = true;
    if (waiting_ != nullptr) waiting_->quit();
    // After the playing macro (if any) has let go of everything: it stops at its next step.
    if (first && onQuit_) QMetaObject::invokeMethod(this, [this] { onQuit_(); }, Qt::QueuedConnection);
}

void QtPump::processMessages() {
    dispatchX();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (!timers_.empty() && timers_.nextDue() <= clock_.tickCount()) fireTimers();
}

void QtPump::waitUntil(std::uint64_t tickDeadline) {
    handled_ = false;
    processMessages();
    if (handled_ || quit_) return;
    const std::uint64_t now = clock_.tickCount();
    if (now >= tickDeadline) return;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    deadline.start(static_cast<int>(std::min<std::uint64_t>(tickDeadline - now, 24ULL * 3600 * 1000)));
    QEventLoop* outer = waiting_;
    waiting_ = &loop;
    loop.exec(QEventLoop::AllEvents);
    waiting_ = outer;
}

TimerId QtPump::startTimer(std::uint32_t intervalMs, std::function<void()> onTick) {
    const TimerId id = timers_.start(intervalMs, std::move(onTick), clock_.tickCount());
    armTimer();
    return id;
}

void QtPump::stopTimer(TimerId id) {
    timers_.stop(id);
    armTimer();
}

void QtPump::armTimer() {
    if (timers_.empty()) {
        timer_.stop();
        return;
    }
    const std::uint64_t now = clock_.tickCount(), due = timers_.nextDue();
    timer_.start(static_cast<int>(due > now ? std::min<std::uint64_t>(due - now, 24ULL * 3600 * 1000) : 0));
}

void QtPump::fireTimers() {
    if (timers_.fireDue(clock_.tickCount())) handled();
    armTimer();
}

int QtPump::watchFd(int fd, std::function<void()> onReady) {
    const int id = nextWatch_++;
    auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    callbacks_[id] = std::move(onReady);
    connect(notifier.get(), &QSocketNotifier::activated, this, [this, id] {
        const auto it = callbacks_.find(id);
        if (it == callbacks_.end()) return;
        const auto callback = it->second;  // it may remove its own watch
        callback();
        handled();
    });
    watches_[id] = std::move(notifier);
    return id;
}

void QtPump::unwatchFd(int id) {
    callbacks_.erase(id);
    const auto it = watches_.find(id);
    if (it == watches_.end()) return;
    it->second->setEnabled(false);
    // Removed later: this may run inside the notifier's own signal.
    it->second.release()->deleteLater();
    watches_.erase(it);
}

}  // namespace qln
