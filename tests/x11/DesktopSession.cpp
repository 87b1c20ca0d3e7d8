#include "DesktopSession.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <stdexcept>

namespace qln::test {

namespace {

int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

// The window a window's _NET_SUPPORTING_WM_CHECK names; 0 when it names none or the window is gone.
Window checkWindowOf(Display* d, Window w) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Window named = 0;
    if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False), 0, 1, False, XA_WINDOW, &type,
                           &format, &count, &after, &data) == Success &&
        data != nullptr && type == XA_WINDOW && format == 32 && count == 1)
        named = static_cast<Window>(*reinterpret_cast<unsigned long*>(data));
    if (data != nullptr) XFree(data);
    return named;
}

bool wmRunning(Display* d) {
    // The check window may be gone (a window manager that has just ended): X reports that as an error.
    const auto previous = XSetErrorHandler(ignoreErrors);
    const Window check = checkWindowOf(d, DefaultRootWindow(d));
    const bool running = check != 0 && checkWindowOf(d, check) == check;
    XSync(d, False);
    XSetErrorHandler(previous);
    return running;
}

// Whether `list` on the root window (a list of windows) holds the window.
bool rootListHolds(Display* d, const char* list, Window w) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool holds = false;
    if (XGetWindowProperty(d, DefaultRootWindow(d), XInternAtom(d, list, False), 0, 4096, False, XA_WINDOW, &type,
                           &format, &count, &after, &data) == Success &&
        data != nullptr && format == 32) {
        const auto* windows = reinterpret_cast<const unsigned long*>(data);
        holds = std::find(windows, windows + count, w) != windows + count;
    }
    if (data != nullptr) XFree(data);
    return holds;
}

bool viewable(Display* d, Window w) {
    XWindowAttributes a{};
    return XGetWindowAttributes(d, w, &a) != 0 && a.map_state == IsViewable;
}

// Whether the window manager has left the window alone so far: still unmapped, still a child of the root.
bool untouched(Display* d, Window w) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &count) == 0) return false;
    if (children != nullptr) XFree(children);
    XWindowAttributes a{};
    return parent == root && XGetWindowAttributes(d, w, &a) != 0 && a.map_state == IsUnmapped;
}

}  // namespace

bool WindowManager::runningOn(const std::string& display) {
    Display* d = XOpenDisplay(display.c_str());
    if (d == nullptr) return false;
    const bool running = wmRunning(d);
    XCloseDisplay(d);
    return running;
}

// Waits until `done` holds, looking again whenever X events arrive (the caller has asked for the ones that
// matter) and, with a `retry`, running it after retryMs, then after twice as long each time, up to a second.
// Returns why it gave up; empty when done.
std::string WindowManager::waitFor(void* display, const std::string& what, const std::function<bool()>& done,
                                   const std::function<void()>& retry, int retryMs) {
    auto* d = static_cast<Display*>(display);
    auto nextRetry = std::chrono::steady_clock::now() + std::chrono::milliseconds(retryMs);
    for (;;) {
        while (XPending(d) > 0) {  // what woke us
            XEvent e;
            XNextEvent(d, &e);
        }
        if (done()) return {};
        if (openbox_.ended()) return "openbox " + describeEnd(openbox_.status()) + " before it could " + what;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline_) return "openbox did not " + what + " within " + std::to_string(kStartSeconds) + " s";
        if (retry && now >= nextRetry) {
            retry();
            retryMs = std::min(retryMs * 2, 1000);
            nextRetry = now + std::chrono::milliseconds(retryMs);
            continue;
        }
        if (XEventsQueued(d, QueuedAlready) > 0) continue;  // arrived while we looked
        // A limit too, to notice openbox ending.
        const auto until = std::min(deadline_, retry ? nextRetry : deadline_);
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - now).count();
        pollfd p{ConnectionNumber(d), POLLIN, 0};
        ::poll(&p, 1, static_cast<int>(std::clamp<long long>(left, 1, 200)));
    }
}

WindowManager::WindowManager(const XvfbSession& x) {
    Display* d = XOpenDisplay(x.display().c_str());
    if (d == nullptr) throw std::runtime_error("openbox: cannot open the X display " + x.display());
    const Window root = DefaultRootWindow(d);
    // Watch the root window before looking, so the properties openbox sets on it wake us up.
    XSelectInput(d, root, PropertyChangeMask);
    XSync(d, False);
    const std::string log = x.folder().file("openbox.log"), display = x.display(), home = x.folder().path();
    openbox_.start({"openbox", "--sm-disable"}, [&] {
        TestProcess::redirectOutput(log.c_str());
        ::setenv("DISPLAY", display.c_str(), 1);
        ::setenv("XDG_CACHE_HOME", home.c_str(), 1);  // nothing of ours shared with other tests
    });
    deadline_ = std::chrono::steady_clock::now() + std::chrono::seconds(kStartSeconds);
    std::string failure = waitFor(d, "take over " + display, [&] { return wmRunning(d); });
    if (failure.empty()) {
        // openbox names itself before it is done starting, and a window mapped in between may never be managed.
        // A window of ours that it does manage shows it has started; one it has not touched is mapped again,
        // which asks once more.
        const Window probe = XCreateSimpleWindow(d, root, 0, 0, 10, 10, 0, 0, 0);
        XSelectInput(d, probe, StructureNotifyMask);
        XMapWindow(d, probe);
        failure = waitFor(
            d, "manage a window on " + display, [&] { return viewable(d, probe); },
            [&] {
                if (untouched(d, probe)) XMapWindow(d, probe);
            },
            50);
        XDestroyWindow(d, probe);
        // Gone from openbox's lists before the test's own windows come.
        if (failure.empty())
            failure = waitFor(d, "let go of a window on " + display,
                              [&] { return !rootListHolds(d, "_NET_CLIENT_LIST_STACKING", probe); });
    }
    XCloseDisplay(d);
    if (!failure.empty()) {
        openbox_.stop();
        throw std::runtime_error(failure + lastLineOf(log));
    }
}

}  // namespace qln::test
