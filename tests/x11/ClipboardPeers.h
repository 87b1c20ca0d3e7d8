#pragma once
// Other programs at the far end of our clipboard, each in a child process of the test.  X11 headers: include
// after GoogleTest.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstddef>
#include <string>

namespace qln::test {

// A minimal clipboard manager in a child process: owns CLIPBOARD_MANAGER and, asked to SAVE_TARGETS, fetches the
// clipboard's UTF-8 text from its owner and writes it to `out`.  Returns the child's pid; "ready" on `out` first.
inline pid_t startClipboardManager(const std::string& display, int out) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    Display* d = XOpenDisplay(display.c_str());
    if (d == nullptr) ::_exit(2);
    const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    const Atom manager = XInternAtom(d, "CLIPBOARD_MANAGER", False), save = XInternAtom(d, "SAVE_TARGETS", False);
    const Atom clipboard = XInternAtom(d, "CLIPBOARD", False), utf8 = XInternAtom(d, "UTF8_STRING", False);
    const Atom kept = XInternAtom(d, "KEPT", False);
    XSetSelectionOwner(d, manager, w, CurrentTime);
    XSync(d, False);
    if (::write(out, "ready\n", 6) != 6) ::_exit(3);
    for (;;) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type != SelectionRequest || e.xselectionrequest.target != save) continue;
        const XSelectionRequestEvent request = e.xselectionrequest;
        XConvertSelection(d, clipboard, utf8, kept, w, CurrentTime);
        XIfEvent(
            d, &e, [](Display*, XEvent* ev, XPointer) -> Bool { return ev->type == SelectionNotify; }, nullptr);
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        std::string text = "(refused)";
        if (e.xselection.property != None &&
            XGetWindowProperty(d, w, kept, 0, 1 << 20, True, AnyPropertyType, &type, &format, &count, &after, &data) ==
                Success &&
            data != nullptr) {
            text.assign(reinterpret_cast<const char*>(data), count);
            XFree(data);
        }
        XEvent reply{};
        reply.xselection.type = SelectionNotify;
        reply.xselection.requestor = request.requestor;
        reply.xselection.selection = request.selection;
        reply.xselection.target = request.target;
        reply.xselection.property = request.property;
        reply.xselection.time = request.time;
        XSendEvent(d, request.requestor, False, NoEventMask, &reply);
        XSync(d, False);
        if (::write(out, text.data(), text.size()) < 0) ::_exit(4);
        ::_exit(0);
    }
}

// Takes the property (deleting it, which asks an INCR sender for the next piece).  false: the property is not
// there (a notice from before it was deleted).
inline bool takeProperty(Display* d, Window w, Atom property, Atom& type, std::string& bytes) {
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    type = None;
    bytes.clear();
    if (XGetWindowProperty(d, w, property, 0, 1 << 24, True, AnyPropertyType, &type, &format, &count, &after, &data) !=
        Success)
        type = None;
    if (data != nullptr && format == 8) bytes.assign(reinterpret_cast<const char*>(data), count);
    if (data != nullptr) XFree(data);
    return type != None;
}

// A program that pastes the clipboard as STRING and writes what it got to `out`.  With `vanishAfter`, it ends
// abruptly once it holds that many bytes of an INCR transfer, leaving the owner in the middle of it.  It uses
// xclip's property, as the next paste by xclip (or by this program again) does.  Returns the child's pid.
inline pid_t startRequestor(const std::string& display, int out, std::size_t vanishAfter = 0) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    Display* d = XOpenDisplay(display.c_str());
    if (d == nullptr) ::_exit(2);
    const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(d, w, PropertyChangeMask);
    const Atom property = XInternAtom(d, "XCLIP_OUT", False);
    XConvertSelection(d, XInternAtom(d, "CLIPBOARD", False), XA_STRING, property, w, CurrentTime);
    XEvent e;
    XIfEvent(
        d, &e, [](Display*, XEvent* ev, XPointer) -> Bool { return ev->type == SelectionNotify; }, nullptr);
    Atom type = None;
    std::string got, piece;
    if (e.xselection.property == None || !takeProperty(d, w, property, type, got)) ::_exit(3);
    if (type == XInternAtom(d, "INCR", False)) {
        got.clear();
        for (;;) {
            XNextEvent(d, &e);
            if (e.type != PropertyNotify || e.xproperty.atom != property || e.xproperty.state != PropertyNewValue ||
                !takeProperty(d, w, property, type, piece))
                continue;
            if (piece.empty()) break;
            got += piece;
            if (vanishAfter > 0 && got.size() >= vanishAfter) ::_exit(0);
        }
    }
    if (::write(out, got.data(), got.size()) != static_cast<ssize_t>(got.size())) ::_exit(4);
    ::_exit(0);
}

}  // namespace qln::test
