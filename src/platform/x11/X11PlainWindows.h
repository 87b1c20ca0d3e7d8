#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <vector>

#include "platform/Clock.h"
#include "platform/MessagePump.h"
#include "platform/Types.h"
#include "platform/x11/X11Display.h"

namespace qln::x11 {

// The top-level windows of a display that no window manager looks after.  What a window manager would do for us
// is done with plain X requests: the stacking order of the root's children, the input focus, unmapping for
// minimise and a resize to the screen for maximise, both remembered so that restore can undo them.
class X11PlainWindows {
public:
    X11PlainWindows(X11Display& display, IMessagePump& pump, const IClock& clock)
        : display_(display), pump_(pump), clock_(clock) {}

    // The top-level window that holds the keyboard focus, or 0.
    WindowHandle foregroundWindow() const;
    // Mapped top-level windows (override-redirect ones excluded) and the ones we minimised, front to back.
    std::vector<WindowHandle> topLevelWindows() const;
    // Border included, as a window manager's frame would be.
    Rect windowRect(WindowHandle w) const;
    // Raises w and gives it the focus as its WM_HINTS ask; a window that takes the focus itself gets up to waitMs.
    bool setForegroundWindow(WindowHandle w, std::uint64_t waitMs);
    bool isMinimised(WindowHandle w) const { return minimised_.count(w) != 0; }

    void moveWindow(WindowHandle w, int left, int top);
    void resizeWindow(WindowHandle w, int width, int height);
    void minimise(WindowHandle w);
    void maximise(WindowHandle w);
    // Maps a minimised window again, else puts a maximised one back where it was.
    void restore(WindowHandle w);
    // The window was mapped by other means (shown again): it is no longer minimised.
    void mapped(WindowHandle w) { minimised_.erase(w); }
    // Sends WM_DELETE_WINDOW when the window takes it; a window that does not is left alone.
    void askToClose(WindowHandle w);

private:
    bool supportsProtocol(WindowHandle w, unsigned long protocol) const;
    void sendProtocol(WindowHandle w, unsigned long protocol) const;
    // Sends WM_TAKE_FOCUS and waits (in the event loop) until the focus has arrived.
    bool askForFocus(WindowHandle w, std::uint64_t waitMs);

    struct Geometry {
        int x, y;
        unsigned width, height;
    };

    X11Display& display_;
    IMessagePump& pump_;
    const IClock& clock_;
    std::set<WindowHandle> minimised_;
    std::map<WindowHandle, Geometry> beforeMaximise_;
};

}  // namespace qln::x11
