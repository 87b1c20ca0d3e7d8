#include "platform/x11/X11PlainWindows.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>

namespace qln::x11 {

namespace {

constexpr int kMaxAncestors = 64;  // a damaged tree must not hang us

// The child of the root that holds w, or 0.
Window topLevelOf(Display* d, Window w) {
    const Window root = DefaultRootWindow(d);
    for (int i = 0; w != None && w != root && i < kMaxAncestors; ++i) {
        Window r = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(d, w, &r, &parent, &children, &count)) return 0;
        if (children != nullptr) XFree(children);
        if (parent == root) return w;
        w = parent;
    }
    return 0;
}

// How a window wants the focus handed to it (the input hint and WM_TAKE_FOCUS of its WM_HINTS and protocols).
enum class FocusModel { Direct, TakesItself, Refuses };

}  // namespace

WindowHandle X11PlainWindows::foregroundWindow() const {
    Display* d = display_.get();
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    if (focus == PointerRoot) {
        // The keys go to whatever is under the pointer.
        Window root = 0, child = 0;
        int rootX = 0, rootY = 0, x = 0, y = 0;
        unsigned mask = 0;
        XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rootX, &rootY, &x, &y, &mask);
        return static_cast<WindowHandle>(child);
    }
    return static_cast<WindowHandle>(topLevelOf(d, focus));
}

std::vector<WindowHandle> X11PlainWindows::topLevelWindows() const {
    Display* d = display_.get();
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    std::vector<WindowHandle> out;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return out;
    // The root's children come bottom to top; minimised ones keep their place in the stack.
    for (unsigned i = count; i-- > 0;) {
        const auto w = static_cast<WindowHandle>(children[i]);
        XWindowAttributes a{};
        if (isMinimised(w) ||
            (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable && !a.override_redirect))
            out.push_back(w);
    }
    if (children != nullptr) XFree(children);
    return out;
}

Rect X11PlainWindows::windowRect(WindowHandle w) const {
    Display* d = display_.get();
    XWindowAttributes a{};
    if (w == 0 || !XGetWindowAttributes(d, w, &a)) return {};
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &x, &y, &child);
    const int b = a.border_width;
    return {x - b, y - b, x + a.width + b, y + a.height + b};
}

bool X11PlainWindows::supportsProtocol(WindowHandle w, unsigned long protocol) const {
    Atom* protocols = nullptr;
    int count = 0;
    bool found = false;
    if (XGetWMProtocols(display_.get(), w, &protocols, &count)) {
        found = std::find(protocols, protocols + count, protocol) != protocols + count;
        XFree(protocols);
    }
    return found;
}

void X11PlainWindows::sendProtocol(WindowHandle w, unsigned long protocol) const {
    Display* d = display_.get();
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(protocol);
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, w, False, NoEventMask, &e);
    XFlush(d);
}

bool X11PlainWindows::setForegroundWindow(WindowHandle w, std::uint64_t waitMs) {
    Display* d = display_.get();
    XWindowAttributes a{};
    if (w == 0 || !XGetWindowAttributes(d, w, &a)) return false;
    XRaiseWindow(d, w);
    FocusModel model = FocusModel::Direct;
    if (XWMHints* hints = XGetWMHints(d, w)) {
        if ((hints->flags & InputHint) != 0 && !hints->input)
            model = supportsProtocol(w, XInternAtom(d, "WM_TAKE_FOCUS", False)) ? FocusModel::TakesItself
                                                                                : FocusModel::Refuses;
        XFree(hints);
    }
    if (model == FocusModel::TakesItself) return askForFocus(w, waitMs);
    // A window that takes no keyboard input is only raised: typing at it would land nowhere.
    if (model == FocusModel::Direct) XSetInputFocus(d, w, RevertToPointerRoot, CurrentTime);
    XSync(d, False);  // a window that cannot have the focus (not viewable) fails here, and the focus stays
    return foregroundWindow() == w;
}

bool X11PlainWindows::askForFocus(WindowHandle w, std::uint64_t waitMs) {
    Display* d = display_.get();
    XWindowAttributes a{};
    XGetWindowAttributes(d, w, &a);
    // Its focus change wakes our loop; our own interest in the window is put back afterwards.
    XSelectInput(d, w, a.your_event_mask | FocusChangeMask);
    sendProtocol(w, XInternAtom(d, "WM_TAKE_FOCUS", False));
    const std::uint64_t end = clock_.tickCount() + waitMs;
    while (foregroundWindow() != w && clock_.tickCount() < end) pump_.waitUntil(end);
    const bool moved = foregroundWindow() == w;
    XSelectInput(d, w, a.your_event_mask);
    XFlush(d);
    return moved;
}

void X11PlainWindows::moveWindow(WindowHandle w, int left, int top) {
    // A child of the root is placed by the outer corner of its border.
    XMoveWindow(display_.get(), w, left, top);
    XSync(display_.get(), False);
}

void X11PlainWindows::resizeWindow(WindowHandle w, int width, int height) {
    Display* d = display_.get();
    XWindowAttributes a{};
    if (!XGetWindowAttributes(d, w, &a)) return;
    const int b = 2 * a.border_width;
    XResizeWindow(d, w, static_cast<unsigned>(std::max(1, width - b)), static_cast<unsigned>(std::max(1, height - b)));
    XSync(d, False);
}

void X11PlainWindows::minimise(WindowHandle w) {
    Display* d = display_.get();
    XWindowAttributes a{};
    if (!XGetWindowAttributes(d, w, &a)) return;
    XUnmapWindow(d, w);
    XSync(d, False);
    minimised_.insert(w);
}

void X11PlainWindows::maximise(WindowHandle w) {
    Display* d = display_.get();
    XWindowAttributes a{};
    if (!XGetWindowAttributes(d, w, &a)) return;
    // Maximised twice, the first size is still the one to go back to.
    beforeMaximise_.try_emplace(w, Geometry{a.x, a.y, static_cast<unsigned>(a.width), static_cast<unsigned>(a.height)});
    const int b = 2 * a.border_width;
    XMoveResizeWindow(d, w, 0, 0, static_cast<unsigned>(std::max(1, WidthOfScreen(a.screen) - b)),
                      static_cast<unsigned>(std::max(1, HeightOfScreen(a.screen) - b)));
    XSync(d, False);
}

void X11PlainWindows::restore(WindowHandle w) {
    Display* d = display_.get();
    if (minimised_.erase(w) != 0) {
        XMapRaised(d, w);
    } else if (const auto old = beforeMaximise_.find(w); old != beforeMaximise_.end()) {
        XMoveResizeWindow(d, w, old->second.x, old->second.y, old->second.width, old->second.height);
        beforeMaximise_.erase(old);
    }
    XSync(d, False);
}

void X11PlainWindows::askToClose(WindowHandle w) {
    // Politely: the window's own program decides; nothing is ever killed.
    const Atom deleteWindow = XInternAtom(display_.get(), "WM_DELETE_WINDOW", False);
    if (supportsProtocol(w, deleteWindow)) sendProtocol(w, deleteWindow);
}

}  // namespace qln::x11
