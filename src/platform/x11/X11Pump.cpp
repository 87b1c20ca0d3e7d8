#include "platform/x11/X11Pump.h"

#include <poll.h>

#include <algorithm>
#include <vector>

namespace qln::x11 {

int X11Pump::watchFd(int fd, std::function<void()> onReady) {
    const int id = nextWatch_++;
    watches_[id] = Watch{fd, std::move(onReady)};
    return id;
}

bool X11Pump::handlePosted() {
    // Only what was queued before this call: a handler that posts again does not keep us here.
    bool handled = false;
    for (std::size_t n = posted_.size(); n > 0 && !posted_.empty(); --n) {
        const Message m = posted_.front();
        posted_.pop_front();
        handled = true;
        if (handler_ != nullptr) handler_->handleMessage(m);
    }
    return handled;
}

void X11Pump::processMessages() { handleAll(); }

bool X11Pump::handleAll() {
    bool handled = events_.dispatchPending();
    handled = handlePosted() || handled;
    if (!timers_.empty()) handled = timers_.fireDue(clock_.tickCount()) || handled;
    return handled;
}

void X11Pump::pollOnce(int timeoutMs) {
    std::vector<pollfd> fds{{events_.fd(), POLLIN, 0}};
    std::vector<int> ids;
    for (const auto& [id, w] : watches_) {
        fds.push_back({w.fd, POLLIN, 0});
        ids.push_back(id);
    }
    // Events read on the way while sending would not wake poll().
    if (events_.flushAndHasQueued()) return;
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
    if (handleAll() || quit_) return;
    const std::uint64_t now = clock_.tickCount();
    if (now >= tickDeadline) return;
    const std::uint64_t until = std::min(tickDeadline, timers_.nextDue());
    const auto timeout = static_cast<int>(std::min<std::uint64_t>(until > now ? until - now : 0, 1000000));
    pollOnce(timeout);
    processMessages();
}

}  // namespace qln::x11
