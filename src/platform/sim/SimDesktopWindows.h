#pragma once

#include <string>
#include <vector>

#include "platform/DesktopWindows.h"
#include "platform/sim/EventTrace.h"

namespace qln::sim {

// The other programs' top-level windows on the simulated desktop.
class SimDesktopWindows : public IDesktopWindows {
public:
    explicit SimDesktopWindows(EventTrace& trace);

    WindowHandle foregroundWindow() const override { return foreground_; }
    Rect windowRect(WindowHandle w) const override;
    void setForegroundWindow(WindowHandle w) override;

    WindowHandle addWindow(std::string title, Rect rect);
    // Set-up for tests, not traced.
    void setForeground(WindowHandle w) { foreground_ = w; }
    void setRect(WindowHandle w, Rect rect);
    std::string title(WindowHandle w) const;

private:
    struct Window {
        WindowHandle handle;
        std::string title;
        Rect rect;
    };
    const Window* find(WindowHandle w) const;

    EventTrace& trace_;
    std::vector<Window> windows_;
    WindowHandle next_ = 0x10;
    WindowHandle foreground_ = 0;
};

}  // namespace qln::sim
