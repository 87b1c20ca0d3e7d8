#pragma once

#include "platform/Types.h"

namespace qln {

// The top-level windows of the desktop.
class IDesktopWindows {
public:
    virtual ~IDesktopWindows() = default;
    virtual WindowHandle foregroundWindow() const = 0;
    // The window's rectangle in screen pixels; an empty rectangle when it is gone.
    virtual Rect windowRect(WindowHandle w) const = 0;
    // Makes w the foreground window, the active window and gives it the keyboard focus.
    virtual void setForegroundWindow(WindowHandle w) = 0;
};

}  // namespace qln
