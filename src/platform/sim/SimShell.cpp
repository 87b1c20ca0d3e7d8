#include "platform/sim/SimShell.h"

#include <memory>

namespace qln::sim {

namespace {
std::string upper(std::string_view s) {
    std::string u(s);
    for (char& c : u)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return u;
}

std::string_view fileName(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}
}  // namespace

void SimShell::open(std::string_view target, std::string_view arguments) {
    trace_.add("shell open " + EventTrace::quote(target) + " " + EventTrace::quote(arguments));
    for (const Launchable& l : launchables_) {
        if (upper(fileName(target)) != upper(fileName(l.program))) continue;
        const std::uint32_t pid = processes_.start(upper(fileName(l.program)));
        // A one-shot timer: the window appears after the program's start-up time.
        auto id = std::make_shared<TimerId>(0);
        *id = timers_.startTimer(std::max<std::uint32_t>(l.afterMs, 1), [this, l, pid, id] {
            timers_.stopTimer(*id);
            SimDesktopWindows::Window w;
            w.title = l.title;
            w.pid = pid;
            w.rect = l.rect;
            const WindowHandle h = windows_.addWindow(w, true);
            windows_.setForeground(h);
            trace_.add("window " + std::to_string(h) + " opened " + EventTrace::quote(l.title));
        });
        return;
    }
}

}  // namespace qln::sim
