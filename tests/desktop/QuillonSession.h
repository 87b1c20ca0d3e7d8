#pragma once

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/TempFolder.h"
#include "x11/DesktopSession.h"
#include "x11/TestProcess.h"

namespace qln::test {

// A private desktop as users have it: X server, window manager and a system tray (trayer), and Quillon's folders
// of a user of its own.
class QuillonDesktop {
public:
    struct Options {
        bool tray = true;                    // a tray from the start (startTray() brings one later)
        std::string screen = "1024x768x24";  // Xvfb's screen
    };
    QuillonDesktop() : QuillonDesktop(Options{}) {}
    explicit QuillonDesktop(const Options& options)
        : session_(options.screen), d_(XOpenDisplay(session_.x.display().c_str())) {
        // Windows come and go while we look at them.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        std::filesystem::create_directories(folder_.path() + "/run");
        std::filesystem::permissions(folder_.path() + "/run", std::filesystem::perms::owner_all);
        if (options.tray) startTray();
    }

    void startTray() {
        const std::string display = session_.x.display();
        tray_.start({"trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request", "--height", "24",
                     "--SetDockType", "true", "--expand", "true"},
                    [display] { ::setenv("DISPLAY", display.c_str(), 1); });
        eventually([&] { return trayOwner() != 0; }, 500);
    }
    ~QuillonDesktop() { XCloseDisplay(d_); }
    QuillonDesktop(const QuillonDesktop&) = delete;
    QuillonDesktop& operator=(const QuillonDesktop&) = delete;

    // Starts Quillon with these arguments under a session bus of its own; `scale`: QT_SCALE_FACTOR.
    void start(TestProcess& p, const std::vector<std::string>& args = {}, const std::string& scale = "") const {
        std::vector<std::string> argv{"dbus-run-session", "--", QLN_QUILLON};
        argv.insert(argv.end(), args.begin(), args.end());
        const std::string display = session_.x.display(), home = folder_.path(), log = folder_.file("quillon.log");
        p.start(argv, [display, home, log, scale] {
            if (!scale.empty()) ::setenv("QT_SCALE_FACTOR", scale.c_str(), 1);
            ::setenv("DISPLAY", display.c_str(), 1);
            ::setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
            ::setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
            ::setenv("XDG_RUNTIME_DIR", (home + "/run").c_str(), 1);
            ::setenv("QT_QPA_PLATFORM", "xcb", 1);
            ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
            TestProcess::redirectOutput(log.c_str());
        });
    }

    // Top-level windows (managed by the window manager) whose title begins with `prefix`.
    std::vector<Window> windowsNamed(const std::string& prefix) {
        std::vector<Window> out;
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        XSync(d_, False);
        if (XGetWindowProperty(d_, DefaultRootWindow(d_), XInternAtom(d_, "_NET_CLIENT_LIST", False), 0, 4096,
                               False, XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
            data != nullptr) {
            const auto* list = reinterpret_cast<const Window*>(data);
            for (unsigned long i = 0; i < count; ++i)
                if (nameOf(list[i]).rfind(prefix, 0) == 0) out.push_back(list[i]);
        }
        if (data != nullptr) XFree(data);
        return out;
    }

    std::string title(Window w) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        std::string out;
        if (XGetWindowProperty(d_, w, XInternAtom(d_, "_NET_WM_NAME", False), 0, 1024, False,
                               XInternAtom(d_, "UTF8_STRING", False), &type, &format, &count, &after, &data) ==
                Success &&
            data != nullptr)
            out.assign(reinterpret_cast<const char*>(data), count);
        if (data != nullptr) XFree(data);
        return out;
    }

    // The process that made a window (_NET_WM_PID), 0 when it does not say.
    pid_t pidOf(Window w) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        pid_t pid = 0;
        if (XGetWindowProperty(d_, w, XInternAtom(d_, "_NET_WM_PID", False), 0, 1, False, XA_CARDINAL, &type, &format,
                               &count, &after, &data) == Success &&
            data != nullptr && count == 1)
            pid = static_cast<pid_t>(*reinterpret_cast<const unsigned long*>(data));
        if (data != nullptr) XFree(data);
        return pid;
    }

    // A managed window's outer rectangle: the window manager's frame around it.
    void frameOf(Window w, int& x, int& y, int& width, int& height) {
        Window root = 0, parent = w, child = 0;
        Window* children = nullptr;
        unsigned count = 0;
        // Up to the root's child: the frame.
        Window top = w;
        while (XQueryTree(d_, top, &root, &parent, &children, &count)) {
            if (children != nullptr) XFree(children);
            if (parent == root || parent == 0) break;
            top = parent;
        }
        XWindowAttributes a{};
        XGetWindowAttributes(d_, top, &a);
        XTranslateCoordinates(d_, top, DefaultRootWindow(d_), 0, 0, &x, &y, &child);
        width = a.width + 2 * a.border_width;
        height = a.height + 2 * a.border_width;
    }

    // Where a window itself is on the screen, and its size.
    void placeOf(Window w, int& x, int& y, int& width, int& height) {
        XWindowAttributes a{};
        XGetWindowAttributes(d_, w, &a);
        Window child = 0;
        XTranslateCoordinates(d_, w, DefaultRootWindow(d_), 0, 0, &x, &y, &child);
        width = a.width;
        height = a.height;
    }

    Display* display11() const { return d_; }

    bool viewable(Window w) {
        XWindowAttributes a{};
        return XGetWindowAttributes(d_, w, &a) != 0 && a.map_state == IsViewable;
    }

    // The window that owns the system tray selection (trayer's), 0 without a tray.
    Window trayOwner() {
        const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(d_));
        return XGetSelectionOwner(d_, XInternAtom(d_, name.c_str(), False));
    }

    // The icon Quillon docked in the tray (a window of its own below trayer's panel), 0 when there is none.
    Window trayIcon() {
        XSync(d_, False);
        return findDocked(DefaultRootWindow(d_), false);
    }

    // Where a window's centre is on the screen.
    void centreOf(Window w, int& x, int& y) {
        XWindowAttributes a{};
        XGetWindowAttributes(d_, w, &a);
        Window child = 0;
        XTranslateCoordinates(d_, w, DefaultRootWindow(d_), a.width / 2, a.height / 2, &x, &y, &child);
    }

    // The centre once the window has stopped moving: a tray lays its icons out again as they arrive.
    void settledCentreOf(Window w, int& x, int& y) {
        int lastX = -1, lastY = -1, same = 0;
        for (int i = 0; i < 50 && same < 3; ++i) {
            centreOf(w, x, y);
            same = x == lastX && y == lastY ? same + 1 : 0;
            lastX = x, lastY = y;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }

    int xdotool(const std::string& arguments) const {
        return std::system(("DISPLAY=" + session_.x.display() + " xdotool " + arguments + " >/dev/null 2>&1").c_str());
    }

    const std::string& display() const { return session_.x.display(); }
    // The window tree, for messages of failed tests.
    std::string tree() const {
        std::string out;
        FILE* p = ::popen(("xwininfo -display " + session_.x.display() + " -root -tree 2>&1").c_str(), "r");
        char line[512];
        while (p != nullptr && std::fgets(line, sizeof line, p) != nullptr) out += line;
        if (p != nullptr) ::pclose(p);
        return out;
    }
    TempFolder& folder() { return folder_; }
    std::string settingsFile() const { return folder_.path() + "/config/quillon/QUILN.INI"; }
    std::string readSettings() const {
        std::ifstream in(settingsFile());
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void writeSettings(const std::string& text) {
        std::filesystem::create_directories(folder_.path() + "/config/quillon");
        std::ofstream(settingsFile()) << text;
    }
    std::string log() const {
        std::ifstream in(folder_.file("quillon.log"));
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // The window's title (_NET_WM_NAME, else WM_NAME).
    std::string nameOf(Window w) {
        if (std::string utf8 = title(w); !utf8.empty()) return utf8;
        char* name = nullptr;
        std::string out;
        if (XFetchName(d_, w, &name) && name != nullptr) {
            out = name;
            XFree(name);
        }
        return out;
    }

    // The main window (its title begins "Quillon (" and names the macro file), 0 while there is none.
    Window mainWindow() {
        const auto found = windowsNamed("Quillon (");
        return found.empty() ? 0 : found.front();
    }
    bool mainWindowShown() {
        const Window w = mainWindow();
        return w != 0 && viewable(w);
    }
    // The Quillon process behind dbus-run-session, from the lock it holds while it runs.
    pid_t quillonPid() const {
        std::ifstream in(folder_.path() + "/run/quillon/instance.lock");
        pid_t pid = 0;
        in >> pid;
        return pid;
    }

private:
    // Depth first: a window named "Quillon" with a window named "panel" (trayer's) above it.
    Window findDocked(Window w, bool belowPanel) {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(d_, w, &root, &parent, &children, &count)) return 0;
        Window found = 0;
        for (unsigned i = 0; i < count && found == 0; ++i) {
            const std::string name = nameOf(children[i]);
            if (belowPanel && name == "Quillon" && viewable(children[i])) found = children[i];
            else found = findDocked(children[i], belowPanel || name == "panel");
        }
        if (children != nullptr) XFree(children);
        return found;
    }

    Session session_;
    TestProcess tray_;
    TempFolder folder_;
    Display* d_;
};

// The exit status of a program that ends within `seconds`, -1 otherwise (or when a signal killed it).
inline int exitCodeWithin(TestProcess& p, int seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!p.ended() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return p.ended() && WIFEXITED(p.status()) ? WEXITSTATUS(p.status()) : -1;
}

}  // namespace qln::test
