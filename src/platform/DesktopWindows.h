#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Types.h"

namespace qln {

// ShowWindow commands that macros use.
enum class ShowCommand { Hide, Show, Restore };
// System commands a window is sent and waited for (the values are the system's).
enum class SysCommand : std::uint32_t { Minimise = 61472, Maximise = 61488, Close = 61536, Restore = 61728 };

// The top-level windows of the desktop.
class IDesktopWindows {
public:
    virtual ~IDesktopWindows() = default;
    virtual WindowHandle foregroundWindow() const = 0;
    // The window's rectangle in screen pixels; an empty rectangle when it is gone.
    virtual Rect windowRect(WindowHandle w) const = 0;
    // Makes w the foreground window, the active window and gives it the keyboard focus.  false when the focus
    // did not move to it (the window is gone, or the desktop refused).
    virtual bool setForegroundWindow(WindowHandle w) = 0;

    // Top-level windows in the system's enumeration order, front to back (hidden ones included).
    virtual std::vector<WindowHandle> topLevelWindows() const = 0;
    // A top-level window whose title is exactly this, or 0.
    virtual WindowHandle findWindow(std::string_view title) const = 0;
    virtual std::string windowTitle(WindowHandle w) const = 0;
    // The process that owns the window; 0 when it is gone.
    virtual std::uint32_t windowProcess(WindowHandle w) const = 0;
    virtual WindowHandle parentWindow(WindowHandle w) const = 0;
    virtual bool isMinimised(WindowHandle w) const = 0;

    virtual void showWindow(WindowHandle w, ShowCommand command) = 0;
    // New position of the top-left corner, size and stacking kept.
    virtual void moveWindow(WindowHandle w, int left, int top) = 0;
    // New size, position and stacking kept.
    virtual void resizeWindow(WindowHandle w, int width, int height) = 0;
    virtual void sysCommand(WindowHandle w, SysCommand command) = 0;
    // Asks the window's program to quit; not waited for.
    virtual void postQuit(WindowHandle w) = 0;
};

}  // namespace qln
