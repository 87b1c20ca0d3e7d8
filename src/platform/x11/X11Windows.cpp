#include "platform/x11/X11Windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>

#include "core/Win1252.h"

namespace qln::x11 {

namespace {

// One window property as a list of 32-bit items (XIDs, atoms, cardinals).
std::vector<unsigned long> property(Display* d, Window w, Atom name, Atom type) {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> out;
    if (XGetWindowProperty(d, w, name, 0, 4096, False, type, &actualType, &format, &count, &after, &data) ==
            Success &&
        data != nullptr && format == 32) {
        const auto* items = reinterpret_cast<const unsigned long*>(data);
        out.assign(items, items + count);
    }
    if (data != nullptr) XFree(data);
    return out;
}

std::string textProperty(Display* d, Window w, Atom name, Atom type) {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string out;
    if (XGetWindowProperty(d, w, name, 0, 1024, False, type, &actualType, &format, &count, &after, &data) ==
            Success &&
        data != nullptr && format == 8)
        out.assign(reinterpret_cast<const char*>(data), count);
    if (data != nullptr) XFree(data);
    return out;
}

// Under load the window manager can take a while; the wait ends as soon as the window is active.
constexpr std::uint64_t kActivationWaitMs = 2000;

bool exists(Display* d, Window w) {
    XWindowAttributes a{};
    return w != 0 && XGetWindowAttributes(d, w, &a);
}

}  // namespace

X11Windows::X11Windows(X11Display& display, IMessagePump& pump, const IClock& clock)
    : display_(display),
      pump_(pump),
      clock_(clock),
      plain_(display, pump, clock),
      warn_([](const std::string& message) { std::fprintf(stderr, "quillon: %s\n", message.c_str()); }) {
    XSelectInput(display_.get(), DefaultRootWindow(display_.get()), PropertyChangeMask);
}

bool X11Windows::windowManagerRuns() const {
    // Two small round trips: cheap next to the lookups that follow, and never out of date.
    Display* d = display_.get();
    const Atom check = atom("_NET_SUPPORTING_WM_CHECK");
    const auto onRoot = property(d, DefaultRootWindow(d), check, XA_WINDOW);
    if (onRoot.empty() || onRoot[0] == 0) return false;
    const auto onItself = property(d, onRoot[0], check, XA_WINDOW);
    return !onItself.empty() && onItself[0] == onRoot[0];
}

bool X11Windows::managed() const {
    const bool runs = windowManagerRuns();
    if (!runs && !warned_) {
        warned_ = true;
        if (warn_)
            warn_(std::string("no window manager runs on display ") + DisplayString(display_.get()) +
                  "; windows are controlled directly");
    }
    return runs;
}

unsigned long X11Windows::atom(const char* name) const { return XInternAtom(display_.get(), name, False); }

void X11Windows::clientMessage(WindowHandle w, const char* type, long a0, long a1, long a2, long a3, long a4) const {
    Display* d = display_.get();
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = atom(type);
    e.xclient.format = 32;
    e.xclient.data.l[0] = a0;
    e.xclient.data.l[1] = a1;
    e.xclient.data.l[2] = a2;
    e.xclient.data.l[3] = a3;
    e.xclient.data.l[4] = a4;
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(d);
}

WindowHandle X11Windows::foregroundWindow() const { return managed() ? activeWindow() : plain_.foregroundWindow(); }

WindowHandle X11Windows::activeWindow() const {
    Display* d = display_.get();
    const auto active = property(d, DefaultRootWindow(d), atom("_NET_ACTIVE_WINDOW"), XA_WINDOW);
    return active.empty() ? 0 : static_cast<WindowHandle>(active[0]);
}

std::vector<WindowHandle> X11Windows::topLevelWindows() const {
    std::vector<WindowHandle> out;
    if (managed()) {
        Display* d = display_.get();
        const auto stacking = property(d, DefaultRootWindow(d), atom("_NET_CLIENT_LIST_STACKING"), XA_WINDOW);
        for (auto it = stacking.rbegin(); it != stacking.rend(); ++it) out.push_back(static_cast<WindowHandle>(*it));
    } else {
        out = plain_.topLevelWindows();
    }
    // Hidden windows are no longer managed, but they are still there to be found and shown again.
    for (const WindowHandle h : hidden_)
        if (std::find(out.begin(), out.end(), h) == out.end()) out.push_back(h);
    return out;
}

WindowHandle X11Windows::findWindow(std::string_view title) const {
    for (const WindowHandle w : topLevelWindows())
        if (windowTitle(w) == title) return w;
    return 0;
}

std::string X11Windows::windowTitle(WindowHandle w) const {
    Display* d = display_.get();
    std::string utf8 = textProperty(d, w, atom("_NET_WM_NAME"), atom("UTF8_STRING"));
    if (utf8.empty()) {
        char* name = nullptr;
        if (XFetchName(d, w, &name) && name != nullptr) {
            utf8 = name;  // Latin-1 by the old convention; close enough for matching
            XFree(name);
        }
    }
    return utf8ToWin1252(utf8);
}

std::uint32_t X11Windows::windowProcess(WindowHandle w) const {
    const auto pid = property(display_.get(), w, atom("_NET_WM_PID"), XA_CARDINAL);
    return pid.empty() ? 0 : static_cast<std::uint32_t>(pid[0]);
}

WindowHandle X11Windows::parentWindow(WindowHandle w) const {
    Display* d = display_.get();
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &count)) return 0;
    if (children != nullptr) XFree(children);
    return parent == root ? 0 : static_cast<WindowHandle>(parent);
}

Rect X11Windows::windowRect(WindowHandle w) const {
    if (!managed()) return plain_.windowRect(w);
    Display* d = display_.get();
    XWindowAttributes a{};
    if (w == 0 || !XGetWindowAttributes(d, w, &a)) return {};
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &x, &y, &child);
    // The frame the window manager draws around it belongs to the window, as on other desktops.
    const auto frame = property(d, w, atom("_NET_FRAME_EXTENTS"), XA_CARDINAL);
    const int left = frame.size() == 4 ? static_cast<int>(frame[0]) : 0, right = frame.size() == 4 ? static_cast<int>(frame[1]) : 0;
    const int top = frame.size() == 4 ? static_cast<int>(frame[2]) : 0, bottom = frame.size() == 4 ? static_cast<int>(frame[3]) : 0;
    return {x - left, y - top, x + a.width + right, y + a.height + bottom};
}

bool X11Windows::isMinimised(WindowHandle w) const {
    if (!managed()) return plain_.isMinimised(w);
    const auto states = property(display_.get(), w, atom("_NET_WM_STATE"), XA_ATOM);
    return std::find(states.begin(), states.end(), atom("_NET_WM_STATE_HIDDEN")) != states.end();
}

bool X11Windows::focusIsIn(WindowHandle w) const {
    Display* d = display_.get();
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    for (int depth = 0; focus != 0 && focus != PointerRoot && depth < 32; ++depth) {
        if (focus == w) return true;
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(d, focus, &root, &parent, &children, &count)) return false;
        if (children != nullptr) XFree(children);
        if (parent == root) return false;
        focus = parent;
    }
    return false;
}

bool X11Windows::awaitActive(WindowHandle w, std::uint64_t ms) const {
    // The window manager announces the change on the root window, which wakes the loop.
    const std::uint64_t end = clock_.tickCount() + ms;
    while (activeWindow() != w && clock_.tickCount() < end) pump_.waitUntil(end);
    if (activeWindow() != w) return false;
    // The keyboard's focus follows a moment later (a window of ours that just closed may still hold it): keys
    // sent before would go astray.  A program that never takes the focus itself is not waited for long.
    const std::uint64_t focusEnd = std::min(end, clock_.tickCount() + kFocusWaitMs);
    while (!focusIsIn(w) && clock_.tickCount() < focusEnd)
        pump_.waitUntil(std::min(focusEnd, clock_.tickCount() + 5));
    return true;
}

bool X11Windows::setForegroundWindow(WindowHandle w) {
    if (!exists(display_.get(), w)) return false;
    if (!managed()) return plain_.setForegroundWindow(w, kActivationWaitMs);
    // Source 2: a pager acting for the user, which window managers obey without focus-stealing checks.
    clientMessage(w, "_NET_ACTIVE_WINDOW", 2, CurrentTime, 0);
    return awaitActive(w, kActivationWaitMs);
}

void X11Windows::showWindow(WindowHandle w, ShowCommand command) {
    Display* d = display_.get();
    switch (command) {
        case ShowCommand::Hide:
            XWithdrawWindow(d, w, DefaultScreen(d));
            hidden_.insert(w);
            break;
        case ShowCommand::Show:
        case ShowCommand::Restore:
            XMapRaised(d, w);
            hidden_.erase(w);
            plain_.mapped(w);
            break;
    }
    XSync(d, False);
}

void X11Windows::moveWindow(WindowHandle w, int left, int top) {
    if (!managed()) return plain_.moveWindow(w, left, top);
    // Through the window manager, so that the frame's corner lands on (left, top).
    clientMessage(w, "_NET_MOVERESIZE_WINDOW", (1 << 8) | (1 << 9) | 1 | (2 << 12), left, top);
    XSync(display_.get(), False);
}

void X11Windows::resizeWindow(WindowHandle w, int width, int height) {
    if (!managed()) return plain_.resizeWindow(w, width, height);
    const Rect r = windowRect(w);
    XWindowAttributes a{};
    XGetWindowAttributes(display_.get(), w, &a);
    // The size given is the frame's; the client gets what is left inside it.
    const int frameW = (r.right - r.left) - a.width, frameH = (r.bottom - r.top) - a.height;
    clientMessage(w, "_NET_MOVERESIZE_WINDOW", (1 << 10) | (1 << 11) | 1 | (2 << 12), 0, 0,
                  std::max(1, width - frameW), std::max(1, height - frameH));
    XSync(display_.get(), False);
}

void X11Windows::sysCommand(WindowHandle w, SysCommand command) {
    if (!managed()) return plainSysCommand(w, command);
    Display* d = display_.get();
    const long add = 1, remove = 0;
    const long vert = static_cast<long>(atom("_NET_WM_STATE_MAXIMIZED_VERT"));
    const long horz = static_cast<long>(atom("_NET_WM_STATE_MAXIMIZED_HORZ"));
    switch (command) {
        case SysCommand::Minimise:
            XIconifyWindow(d, w, DefaultScreen(d));
            break;
        case SysCommand::Maximise:
            clientMessage(w, "_NET_WM_STATE", add, vert, horz, 2);
            break;
        case SysCommand::Restore:
            if (isMinimised(w))
                XMapRaised(d, w);
            else
                clientMessage(w, "_NET_WM_STATE", remove, vert, horz, 2);
            break;
        case SysCommand::Close:
            clientMessage(w, "_NET_CLOSE_WINDOW", CurrentTime, 2);
            break;
    }
    XSync(d, False);
}

void X11Windows::plainSysCommand(WindowHandle w, SysCommand command) {
    switch (command) {
        case SysCommand::Minimise:
            plain_.minimise(w);
            break;
        case SysCommand::Maximise:
            plain_.maximise(w);
            break;
        case SysCommand::Restore:
            plain_.restore(w);
            break;
        case SysCommand::Close:
            plain_.askToClose(w);
            break;
    }
}

void X11Windows::postQuit(WindowHandle w) { plain_.askToClose(w); }

}  // namespace qln::x11
