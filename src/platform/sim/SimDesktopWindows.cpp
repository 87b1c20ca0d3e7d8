#include "platform/sim/SimDesktopWindows.h"

#include <algorithm>

namespace qln::sim {

const SimDesktopWindows::Window* SimDesktopWindows::find(WindowHandle w) const {
    for (const auto& win : windows_)
        if (win.handle == w) return &win;
    return nullptr;
}

SimDesktopWindows::Window* SimDesktopWindows::get(WindowHandle w) { return const_cast<Window*>(find(w)); }

void SimDesktopWindows::note(WindowHandle w, const std::string& what) {
    trace_.add("window " + std::to_string(w) + " " + what);
}

Rect SimDesktopWindows::windowRect(WindowHandle w) const {
    const Window* win = find(w);
    return win ? win->rect : Rect{};
}

std::string SimDesktopWindows::windowTitle(WindowHandle w) const {
    const Window* win = find(w);
    return win ? win->title : std::string();
}

std::uint32_t SimDesktopWindows::windowProcess(WindowHandle w) const {
    const Window* win = find(w);
    return win ? win->pid : 0;
}

WindowHandle SimDesktopWindows::parentWindow(WindowHandle w) const {
    const Window* win = find(w);
    return win ? win->parent : 0;
}

bool SimDesktopWindows::isMinimised(WindowHandle w) const {
    const Window* win = find(w);
    return win && win->minimised;
}

bool SimDesktopWindows::setForegroundWindow(WindowHandle w) {
    trace_.add("focus " + std::to_string(w) + " " + EventTrace::quote(windowTitle(w)));
    const auto it = std::find_if(windows_.begin(), windows_.end(), [w](const Window& x) { return x.handle == w; });
    if (it == windows_.end()) return false;
    // The window and its stacking move to the front.
    std::rotate(windows_.begin(), it, it + 1);
    foreground_ = w;
    return true;
}

std::vector<WindowHandle> SimDesktopWindows::topLevelWindows() const {
    std::vector<WindowHandle> out;
    for (const auto& w : windows_)
        if (w.parent == 0) out.push_back(w.handle);
    return out;
}

WindowHandle SimDesktopWindows::findWindow(std::string_view title) const {
    for (const auto& w : windows_)
        if (w.parent == 0 && w.title == title) return w.handle;
    return 0;
}

void SimDesktopWindows::showWindow(WindowHandle w, ShowCommand command) {
    Window* win = get(w);
    if (win == nullptr) return;
    switch (command) {
        case ShowCommand::Hide:
            win->hidden = true;
            note(w, "hide");
            if (foreground_ == w) foreground_ = 0;
            break;
        case ShowCommand::Show:
            win->hidden = false;
            note(w, "show");
            break;
        case ShowCommand::Restore:
            win->minimised = false;
            win->hidden = false;
            note(w, "restore");
            break;
    }
}

void SimDesktopWindows::moveWindow(WindowHandle w, int left, int top) {
    Window* win = get(w);
    if (win == nullptr) return;
    const int width = win->rect.right - win->rect.left, height = win->rect.bottom - win->rect.top;
    win->rect = {left, top, left + width, top + height};
    note(w, "move " + std::to_string(left) + "," + std::to_string(top));
}

void SimDesktopWindows::resizeWindow(WindowHandle w, int width, int height) {
    Window* win = get(w);
    if (win == nullptr) return;
    win->rect.right = win->rect.left + width;
    win->rect.bottom = win->rect.top + height;
    note(w, "size " + std::to_string(width) + "x" + std::to_string(height));
}

void SimDesktopWindows::sysCommand(WindowHandle w, SysCommand command) {
    Window* win = get(w);
    if (win == nullptr) return;
    switch (command) {
        case SysCommand::Minimise:
            win->minimised = true;
            note(w, "minimise");
            break;
        case SysCommand::Maximise:
            if (!win->maximised) win->normalRect = win->rect;
            win->maximised = true;
            win->minimised = false;
            win->rect = {0, 0, screen_.primaryScreenSize().width, screen_.primaryScreenSize().height};
            note(w, "maximise");
            break;
        case SysCommand::Restore:
            if (win->maximised && !win->minimised) win->rect = win->normalRect;
            if (!win->minimised) win->maximised = false;
            win->minimised = false;
            note(w, "restore");
            break;
        case SysCommand::Close:
            note(w, "close");
            remove(w);
            break;
    }
}

void SimDesktopWindows::postQuit(WindowHandle w) {
    if (find(w) == nullptr) return;
    note(w, "quit");
    remove(w);
}

void SimDesktopWindows::remove(WindowHandle w) {
    std::erase_if(windows_, [w](const Window& x) { return x.handle == w || x.parent == w; });
    if (foreground_ == w) foreground_ = windows_.empty() ? 0 : windows_.front().handle;
}

WindowHandle SimDesktopWindows::addWindow(const Window& window, bool inFront) {
    Window w = window;
    w.handle = next_++;
    if (w.normalRect == Rect{}) w.normalRect = w.rect;
    if (inFront)
        windows_.insert(windows_.begin(), w);
    else
        windows_.push_back(w);
    return w.handle;
}

void SimDesktopWindows::setRect(WindowHandle w, Rect rect) {
    if (Window* win = get(w)) win->rect = rect;
}

}  // namespace qln::sim
