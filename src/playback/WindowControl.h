#pragma once

#include <string_view>

#include "platform/Platform.h"

namespace qln {

// Finding windows by title or program and handing them the focus.  The dispatcher uses the same lookups for
// Window- and Program-scoped macros.
class WindowControl {
public:
    // The nine characters that stand for the window in front.
    static constexpr std::string_view CurrentWindowName = "\"CURRENT\"";

    explicit WindowControl(Platform& platform) : platform_(platform) {}
    // Where ActivateIt and ActivateProg note the window they brought to the front (playback's return window).
    void setReturnWindow(WindowHandle* returnWindow) { returnWindow_ = returnWindow; }

    // The window with exactly this title, else the first (front to back) whose title contains it in any case.
    bool GetWinHandle(WindowHandle& found, std::string_view title) const;
    // Restores the window if minimised, hands it the focus and makes it the return window.  false when no window
    // matches or the focus could not be moved to it.
    bool ActivateIt(std::string_view title);
    // The first titled window of the first running program whose file name contains `name`, in any case.
    bool ActivateProg(std::string_view name);
    // The window itself, or its nearest ancestor that is a top-level window; 0 when there is none.
    WindowHandle MakeSureItsAParent(WindowHandle w) const;
    bool focusHandover(WindowHandle w);
    // Tries ActivateIt until it succeeds or more than `seconds` whole seconds have passed.
    bool waitForWindow(std::string_view title, long seconds);
    // The window a window tag names: the one in front for the current-window name; 0 for none or an empty title.
    WindowHandle tagWindow(std::string_view title) const;

private:
    bool bringUp(WindowHandle w);

    Platform& platform_;
    WindowHandle* returnWindow_ = nullptr;
};

}  // namespace qln
