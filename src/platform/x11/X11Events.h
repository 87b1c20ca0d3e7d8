#pragma once

#include <functional>
#include <map>

#include "platform/x11/X11Display.h"

union _XEvent;

namespace qln::x11 {

// The X connection's events, handed to the services that asked for them (clipboard, keymap, windows).  Whatever
// event loop the program runs (our own poll() loop, Qt's) calls dispatchPending when the connection is readable
// and before it goes to sleep: events Xlib read during a round trip sit in its queue, where select() and poll()
// cannot see them.
class X11Events {
public:
    explicit X11Events(X11Display& display) : display_(display) {}
    X11Events(const X11Events&) = delete;
    X11Events& operator=(const X11Events&) = delete;

    // Events are offered to the filters in the order they were added, until one returns true (it was its own).
    // Filters that only watch (a keymap change concerns several services) return false.  A filter may add or
    // remove filters.
    using EventFilter = std::function<bool(_XEvent& event)>;
    int addFilter(EventFilter filter);
    void removeFilter(int id) { filters_.erase(id); }

    // Handles every event that has arrived, read or still waiting in the socket.  Returns whether there were
    // any.
    bool dispatchPending();
    // Sends what is buffered, then tells whether events are waiting in Xlib's queue: the loop must not sleep
    // while there are any.
    bool flushAndHasQueued() const;
    int fd() const { return display_.fd(); }
    X11Display& display() { return display_; }

private:
    void dispatch(_XEvent& e);

    X11Display& display_;
    std::map<int, EventFilter> filters_;
    int nextFilter_ = 1;
};

// A filter for the length of a scope.
class ScopedEventFilter {
public:
    ScopedEventFilter(X11Events& events, X11Events::EventFilter filter)
        : events_(events), id_(events.addFilter(std::move(filter))) {}
    ~ScopedEventFilter() { events_.removeFilter(id_); }
    ScopedEventFilter(const ScopedEventFilter&) = delete;
    ScopedEventFilter& operator=(const ScopedEventFilter&) = delete;

private:
    X11Events& events_;
    int id_;
};

}  // namespace qln::x11
