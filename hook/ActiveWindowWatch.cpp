#include "hook/ActiveWindowWatch.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace qln::hook {

ActiveWindowWatch::ActiveWindowWatch(x11::X11Display& display) : display_(display) {
    Display* d = display_.get();
    atom_ = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
    XWindowAttributes attributes{};
    XGetWindowAttributes(d, DefaultRootWindow(d), &attributes);
    // Our connection's own mask on the root; other clients' masks are theirs.
    XSelectInput(d, DefaultRootWindow(d), attributes.your_event_mask | PropertyChangeMask);
    current_ = readProperty();
    if (!managed_) current_ = focusTopLevel();
}

WindowHandle ActiveWindowWatch::readProperty() {
    Display* d = display_.get();
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    WindowHandle w = 0;
    managed_ = XGetWindowProperty(d, DefaultRootWindow(d), atom_, 0, 1, False, XA_WINDOW, &type, &format, &count,
                                  &after, &data) == Success &&
               type == XA_WINDOW;
    if (data != nullptr && format == 32 && count == 1)
        w = static_cast<WindowHandle>(*reinterpret_cast<unsigned long*>(data));
    if (data != nullptr) XFree(data);
    return w;
}

WindowHandle ActiveWindowWatch::focusTopLevel() {
    Display* d = display_.get();
    Window focus = None;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    const Window root = DefaultRootWindow(d);
    if (focus == None || focus == PointerRoot || focus == root) return 0;
    // The child of the root window that holds the focus window.
    for (Window w = focus;;) {
        Window r = None, parent = None, *children = nullptr;
        unsigned n = 0;
        if (!XQueryTree(d, w, &r, &parent, &children, &n)) return 0;
        if (children != nullptr) XFree(children);
        if (parent == root || parent == None) return static_cast<WindowHandle>(w);
        w = parent;
    }
}

std::optional<WindowHandle> ActiveWindowWatch::read(void* event) {
    const auto& e = *static_cast<XEvent*>(event);
    if (e.type != PropertyNotify || e.xproperty.atom != atom_) return std::nullopt;
    if (e.xproperty.window != DefaultRootWindow(display_.get())) return std::nullopt;
    const WindowHandle w = readProperty();
    if (!managed_ || w == current_) return std::nullopt;
    current_ = w;
    return w;
}

std::optional<WindowHandle> ActiveWindowWatch::checkFocus() {
    if (managed_) return std::nullopt;
    const WindowHandle w = focusTopLevel();
    if (w == current_) return std::nullopt;
    current_ = w;
    return w;
}

WindowHandle ActiveWindowWatch::current() {
    if (!managed_) current_ = focusTopLevel();
    return current_;
}

}  // namespace qln::hook
