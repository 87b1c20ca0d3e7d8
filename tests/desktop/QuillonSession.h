#pragma once

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <signal.h>

#include <chrono>
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
    QuillonDesktop() : d_(XOpenDisplay(session_.x.display().c_str())) {
        const std::string display = session_.x.display();
        tray_.start({"trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request", "--height", "24",
                     "--SetDockType", "true", "--expand", "true"},
                    [display] { ::setenv("DISPLAY", display.c_str(), 1); });
        eventually([&] { return !windowsNamed("panel").empty() || trayOwner() != 0; }, 500);
    }
    ~QuillonDesktop() { XCloseDisplay(d_); }
    QuillonDesktop(const QuillonDesktop&) = delete;
    QuillonDesktop& operator=(const QuillonDesktop&) = delete;

    // Starts Quillon with these arguments under a session bus of its own.
    void start(TestProcess& p, const std::vector<std::string>& args = {}) const {
        std::vector<std::string> argv{"dbus-run-session", "--", QLN_QUILLON};
        argv.insert(argv.end(), args.begin(), args.end());
        const std::string display = session_.x.display(), home = folder_.path(), log = folder_.file("quillon.log");
        p.start(argv, [display, home, log] {
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
                if (title(list[i]).rfind(prefix, 0) == 0) out.push_back(list[i]);
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

    bool viewable(Window w) {
        XWindowAttributes a{};
        return XGetWindowAttributes(d_, w, &a) != 0 && a.map_state == IsViewable;
    }

    // The window that owns the system tray selection (trayer's), 0 without a tray.
    Window trayOwner() {
        const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(d_));
        return XGetSelectionOwner(d_, XInternAtom(d_, name.c_str(), False));
    }

    // The icons docked in the tray: trayer's windows below its own, with a size.
    int trayIcons() {
        int n = 0;
        for (const Window panel : windowsNamed("panel")) n += descendantsWithSize(panel);
        return n;
    }

    // Where a docked icon sits on the screen (the first one), for clicking it.
    bool trayIconCentre(int& x, int& y) {
        for (const Window panel : windowsNamed("panel")) {
            Window found = 0;
            if (!firstDocked(panel, found)) continue;
            XWindowAttributes a{};
            XGetWindowAttributes(d_, found, &a);
            Window child = 0;
            XTranslateCoordinates(d_, found, DefaultRootWindow(d_), a.width / 2, a.height / 2, &x, &y, &child);
            return true;
        }
        return false;
    }

    int xdotool(const std::string& arguments) const {
        return std::system(("DISPLAY=" + session_.x.display() + " xdotool " + arguments + " >/dev/null 2>&1").c_str());
    }

    const std::string& display() const { return session_.x.display(); }
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

private:
    int descendantsWithSize(Window w) {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        int n = 0;
        if (!XQueryTree(d_, w, &root, &parent, &children, &count)) return 0;
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes a{};
            if (XGetWindowAttributes(d_, children[i], &a) && a.map_state == IsViewable && a.width > 4) {
                Window* inner = nullptr;
                unsigned innerCount = 0;
                Window r = 0, p = 0;
                XQueryTree(d_, children[i], &r, &p, &inner, &innerCount);
                n += innerCount > 0 ? static_cast<int>(innerCount) : 0;
                if (inner != nullptr) XFree(inner);
            }
        }
        if (children != nullptr) XFree(children);
        return n;
    }

    bool firstDocked(Window w, Window& found) {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(d_, w, &root, &parent, &children, &count)) return false;
        for (unsigned i = 0; i < count && found == 0; ++i) {
            Window* inner = nullptr;
            unsigned innerCount = 0;
            Window r = 0, p = 0;
            XQueryTree(d_, children[i], &r, &p, &inner, &innerCount);
            if (innerCount > 0) found = inner[0];
            if (inner != nullptr) XFree(inner);
        }
        if (children != nullptr) XFree(children);
        return found != 0;
    }

    Session session_;
    TestProcess tray_;
    TempFolder folder_;
    Display* d_;
};

}  // namespace qln::test
