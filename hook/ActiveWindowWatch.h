#pragma once

#include <optional>

#include "platform/Types.h"
#include "platform/x11/X11Display.h"

namespace qln::hook {

// The window in front.  The window manager names it in _NET_ACTIVE_WINDOW on the root window, whose changes we
// are told of; without such a window manager the top-level window holding the input focus is asked for.
class ActiveWindowWatch {
public:
    explicit ActiveWindowWatch(x11::X11Display& display);

    // Takes a change of the root window's properties: the window activated, when the event tells one.
    std::optional<WindowHandle> read(void* event);
    // Without _NET_ACTIVE_WINDOW: asks the server for the focus and tells the window when it changed.
    std::optional<WindowHandle> checkFocus();
    bool managed() const { return managed_; }
    WindowHandle current();

private:
    WindowHandle readProperty();
    WindowHandle focusTopLevel();

    x11::X11Display& display_;
    unsigned long atom_ = 0;
    bool managed_ = false;
    WindowHandle current_ = 0;
};

}  // namespace qln::hook
