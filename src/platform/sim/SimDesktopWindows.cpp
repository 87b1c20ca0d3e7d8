#include "platform/sim/SimDesktopWindows.h"

namespace qln::sim {

SimDesktopWindows::SimDesktopWindows(EventTrace& trace) : trace_(trace) {
    foreground_ = addWindow("Untitled - Notepad", {0, 0, 640, 480});
}

const SimDesktopWindows::Window* SimDesktopWindows::find(WindowHandle w) const {
    for (const auto& win : windows_)
        if (win.handle == w) return &win;
    return nullptr;
}

Rect SimDesktopWindows::windowRect(WindowHandle w) const {
    const Window* win = find(w);
    return win ? win->rect : Rect{};
}

std::string SimDesktopWindows::title(WindowHandle w) const {
    const Window* win = find(w);
    return win ? win->title : std::string();
}

void SimDesktopWindows::setForegroundWindow(WindowHandle w) {
    trace_.add("focus " + std::to_string(w) + " " + EventTrace::quote(title(w)));
    if (find(w) != nullptr) foreground_ = w;
}

WindowHandle SimDesktopWindows::addWindow(std::string title, Rect rect) {
    windows_.push_back({next_, std::move(title), rect});
    return next_++;
}

void SimDesktopWindows::setRect(WindowHandle w, Rect rect) {
    for (auto& win : windows_)
        if (win.handle == w) win.rect = rect;
}

}  // namespace qln::sim
