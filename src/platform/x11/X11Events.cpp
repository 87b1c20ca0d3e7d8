#include "platform/x11/X11Events.h"

#include <X11/Xlib.h>

namespace qln::x11 {

int X11Events::addFilter(EventFilter filter) {
    const int id = nextFilter_++;
    filters_[id] = std::move(filter);
    return id;
}

bool X11Events::flushAndHasQueued() const { return XEventsQueued(display_.get(), QueuedAfterFlush) > 0; }

void X11Events::dispatch(XEvent& e) {
    // Xlib's own idea of the keymap (XLookupString, XKeysymToKeycode) follows the server's.
    if (e.type == MappingNotify) XRefreshKeyboardMapping(&e.xmapping);
    // Walk by id, so that a filter adding or removing filters does not disturb the walk.
    for (int id = 0;;) {
        const auto next = filters_.upper_bound(id);
        if (next == filters_.end()) return;
        id = next->first;
        const EventFilter filter = next->second;
        if (filter(e)) return;
    }
}

bool X11Events::dispatchPending() {
    Display* d = display_.get();
    bool handled = false;
    while (XPending(d) > 0) {
        handled = true;
        XEvent e;
        XNextEvent(d, &e);
        dispatch(e);
    }
    return handled;
}

}  // namespace qln::x11
