#pragma once

#include <functional>
#include <set>
#include <string>

#include "platform/Clock.h"
#include "platform/DesktopWindows.h"
#include "platform/MessagePump.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11PlainWindows.h"

namespace qln::x11 {

// The desktop's top-level windows through the window manager's EWMH hints, or directly with plain X requests
// while no window manager runs.  Which of the two is looked up again by every operation: a window manager may
// start or stop while we run.
class X11Windows : public IDesktopWindows {
public:
    using WarningHandler = std::function<void(const std::string& message)>;

    // Waits for the window manager go through the program's event loop, so nothing else waits meanwhile.
    X11Windows(X11Display& display, IMessagePump& pump, const IClock& clock);

    // Where the one-time notice that no window manager runs goes; by default a line on stderr.
    void setWarningHandler(WarningHandler handler) { warn_ = std::move(handler); }
    // A window manager announces itself with _NET_SUPPORTING_WM_CHECK; a stale one (it died) does not count.
    bool windowManagerRuns() const;

    WindowHandle foregroundWindow() const override;
    Rect windowRect(WindowHandle w) const override;
    bool setForegroundWindow(WindowHandle w) override;
    std::vector<WindowHandle> topLevelWindows() const override;
    WindowHandle findWindow(std::string_view title) const override;
    std::string windowTitle(WindowHandle w) const override;
    std::uint32_t windowProcess(WindowHandle w) const override;
    WindowHandle parentWindow(WindowHandle w) const override;
    bool isMinimised(WindowHandle w) const override;
    void showWindow(WindowHandle w, ShowCommand command) override;
    void moveWindow(WindowHandle w, int left, int top) override;
    void resizeWindow(WindowHandle w, int width, int height) override;
    void sysCommand(WindowHandle w, SysCommand command) override;
    void postQuit(WindowHandle w) override;

    bool isHidden(WindowHandle w) const { return hidden_.count(w) != 0; }

private:
    // windowManagerRuns, warning the first time it does not.
    bool managed() const;
    unsigned long atom(const char* name) const;
    WindowHandle activeWindow() const;
    void clientMessage(WindowHandle w, const char* type, long a0, long a1 = 0, long a2 = 0, long a3 = 0,
                       long a4 = 0) const;
    // Waits (in the event loop, at most `ms`) until the active window is w; false when it never became active.
    bool awaitActive(WindowHandle w, std::uint64_t ms) const;
    // The keyboard's focus is on the window or inside it.
    bool focusIsIn(WindowHandle w) const;
    static constexpr std::uint64_t kFocusWaitMs = 300;
    void plainSysCommand(WindowHandle w, SysCommand command);

    X11Display& display_;
    IMessagePump& pump_;
    const IClock& clock_;
    std::set<WindowHandle> hidden_;  // windows we unmapped: the window manager forgets them, we do not
    X11PlainWindows plain_;
    WarningHandler warn_;
    mutable bool warned_ = false;
};

}  // namespace qln::x11
