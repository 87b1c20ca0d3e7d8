#pragma once

#include <string>
#include <vector>

#include "platform/DesktopWindows.h"
#include "platform/Screen.h"
#include "platform/sim/EventTrace.h"

namespace qln::sim {

// The other programs' windows on the simulated desktop.  They change the way real ones do: activation brings a
// window to the front and restores it, a closed window is gone, a hidden one stays in the list until shown.
class SimDesktopWindows : public IDesktopWindows {
public:
    struct Window {
        WindowHandle handle = 0;
        std::string title;
        std::uint32_t pid = 0;
        WindowHandle parent = 0;
        Rect rect;
        Rect normalRect;  // before maximising
        bool minimised = false;
        bool maximised = false;
        bool hidden = false;
    };

    SimDesktopWindows(EventTrace& trace, const IScreen& screen) : trace_(trace), screen_(screen) {}

    WindowHandle foregroundWindow() const override { return foreground_; }
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

    // Set-up, not traced: a new window behind the existing ones (or in front).
    WindowHandle addWindow(const Window& window, bool inFront = false);
    void setForeground(WindowHandle w) { foreground_ = w; }
    void setRect(WindowHandle w, Rect rect);
    const std::vector<Window>& windows() const { return windows_; }  // front to back
    const Window* find(WindowHandle w) const;

private:
    Window* get(WindowHandle w);
    void remove(WindowHandle w);
    void note(WindowHandle w, const std::string& what);

    EventTrace& trace_;
    const IScreen& screen_;
    std::vector<Window> windows_;
    WindowHandle next_ = 0x10;
    WindowHandle foreground_ = 0;
};

}  // namespace qln::sim
