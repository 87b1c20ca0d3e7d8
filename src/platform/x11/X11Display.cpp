#include "platform/x11/X11Display.h"

#include <X11/Xlib.h>
#include <poll.h>

#include <cstdlib>
#include <stdexcept>

namespace qln::x11 {

namespace {

// X errors about windows that vanished meanwhile (a window closed mid-macro, a clipboard requestor that went
// away) are expected; they must not end the program.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

X11Display::X11Display(const std::string& name) : display_(XOpenDisplay(name.empty() ? nullptr : name.c_str())) {
    if (display_ == nullptr) {
        const char* fromEnvironment = std::getenv("DISPLAY");
        const std::string shown = !name.empty() ? name : fromEnvironment != nullptr ? fromEnvironment : "";
        if (shown.empty()) throw std::runtime_error("no X display to use: the DISPLAY variable is not set");
        throw std::runtime_error("cannot open the X display \"" + shown + "\"");
    }
    XSetErrorHandler(ignoreErrors);
}

X11Display::~X11Display() { XCloseDisplay(display_); }

int X11Display::fd() const { return ConnectionNumber(display_); }

void X11Display::sync() const { XSync(display_, False); }

void X11Display::awaitNewEvents(int timeoutMs) const {
    const int queued = XEventsQueued(display_, QueuedAlready);
    if (XEventsQueued(display_, QueuedAfterFlush) > queued) return;
    pollfd p{fd(), POLLIN, 0};
    ::poll(&p, 1, timeoutMs);
    XEventsQueued(display_, QueuedAfterReading);
}

}  // namespace qln::x11
