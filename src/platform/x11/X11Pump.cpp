#include "platform/x11/X11Pump.h"

#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <vector>

namespace qln::x11 {

TimerId X11Pump::startTimer(std::uint32_t intervalMs, std::function<void()> onTick) {
    const std::uint32_t interval = std::max<std::uint32_t>(intervalMs, 1);
    const TimerId id = nextTimer_++;
    timers_[id] = Timer{interval, clock_.tickCount() + interval, std::move(onTick)};
    return id;
}

int X11Pump::addEventFilter(EventFilter filter) {
    const int id = nextFilter_++;
    filters_[id] = std::move(filter);
    return id;
}

int X11Pump::watchFd(int fd, std::function<void()> onReady) {
    const int id = nextWatch_++;
    watches_[id] = Watch{fd, std::move(onReady)};
    return id;
}

bool X11Pump::handleXEvents() {
    Display* d = display_.get();
    bool handled = false;
    while (XPending(d) > 0) {
        handled = true;
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == MappingNotify) {
            XRefreshKeyboardMapping(&e.xmapping);
            keymap_.refresh();
            continue;
        }
        // A filter may add or remove filters: walk by id so the map can change underneath.
        for (int id = 0;;) {
            const auto next = filters_.upper_bound(id);
            if (next == filters_.end()) break;
            id = next->first;
            const EventFilter filter = next->second;
            if (filter(e)) break;
        }
    }
    return handled;
}

void X11Pump::handlePosted() {
    // Only what was queued before this call: a handler that posts again does not keep us here.
    for (std::size_t n = posted_.size(); n > 0 && !posted_.empty(); --n) {
        const Message m = posted_.front();
        posted_.pop_front();
        if (handler_ != nullptr) handler_->handleMessage(m);
    }
}

std::uint64_t X11Pump::nextTimerTick() const {
    std::uint64_t next = UINT64_MAX;
    for (const auto& [id, t] : timers_) next = std::min(next, t.next);
    return next;
}

bool X11Pump::fireDueTimers() {
    const std::uint64_t now = clock_.tickCount();
    std::vector<TimerId> due;
    for (const auto& [id, t] : timers_)
        if (t.next <= now) due.push_back(id);
    for (const TimerId id : due) {
        const auto t = timers_.find(id);  // an earlier tick may have stopped it
        if (t == timers_.end()) continue;
        // A timer that fell behind (a long macro) ticks once, then keeps its rhythm from now.
        t->second.next = std::max(t->second.next + t->second.interval, now + 1);
        const auto onTick = t->second.onTick;
        onTick();
    }
    return !due.empty();
}

void X11Pump::processMessages() { handleAll(); }

bool X11Pump::handleAll() {
    bool handled = handleXEvents();
    if (!posted_.empty()) {
        handlePosted();
        handled = true;
    }
    if (!timers_.empty()) handled = fireDueTimers() || handled;
    return handled;
}

void X11Pump::pollOnce(int timeoutMs) {
    std::vector<pollfd> fds{{display_.fd(), POLLIN, 0}};
    std::vector<int> ids;
    for (const auto& [id, w] : watches_) {
        fds.push_back({w.fd, POLLIN, 0});
        ids.push_back(id);
    }
    // Sending a large request can make Xlib read incoming events on the way; those would not wake poll().
    if (XPending(display_.get()) > 0) return;
    if (::poll(fds.data(), fds.size(), timeoutMs) <= 0) return;
    for (std::size_t i = 1; i < fds.size(); ++i) {
        if (fds[i].revents == 0) continue;
        const auto w = watches_.find(ids[i - 1]);
        if (w == watches_.end()) continue;
        const auto onReady = w->second.onReady;
        onReady();
    }
}

void X11Pump::waitUntil(std::uint64_t tickDeadline) {
    if (handleAll()) return;
    const std::uint64_t now = clock_.tickCount();
    if (now >= tickDeadline) return;
    const std::uint64_t until = std::min(tickDeadline, nextTimerTick());
    const auto timeout = static_cast<int>(std::min<std::uint64_t>(until > now ? until - now : 0, 1000000));
    pollOnce(timeout);
    processMessages();
}

}  // namespace qln::x11
