// A top-level window for the window tests: its title comes from the command line; it says "ready" once mapped and
// leaves politely when the window manager or a macro asks it to close.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) return 2;
    const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 100, 100, 400, 300, 0, 0, 0xFFFFFF);
    XStoreName(d, w, argv[1]);
    const long pid = ::getpid();
    XChangeProperty(d, w, XInternAtom(d, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    Atom del = XInternAtom(d, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(d, w, &del, 1);
    XSelectInput(d, w, StructureNotifyMask);
    XMapWindow(d, w);
    for (;;) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == MapNotify) break;
    }
    XSync(d, False);
    std::printf("ready %ld\n", pid);
    std::fflush(stdout);
    for (;;) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == ClientMessage && static_cast<Atom>(e.xclient.data.l[0]) == del) break;
    }
    std::puts("closed");
    XCloseDisplay(d);
    return 0;
}
