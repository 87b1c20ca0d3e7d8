// Quillon's windows on a private desktop: tray mode that waits for a panel started after Quillon, a start in the
// background that never shows a window nor takes the focus, a saved place brought back onto a smaller screen, and
// the main window's place kept across hiding into the tray.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <set>

#include "QuillonSession.h"

namespace qln::test {
namespace {

void clickTrayIcon(QuillonDesktop& d, int button = 1) {
    Window icon = 0;
    ASSERT_TRUE(eventually([&] { return (icon = d.trayIcon()) != 0; }, 1000)) << d.log() << d.tree();
    int x = 0, y = 0;
    d.settledCentreOf(icon, x, y);
    d.xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click " + std::to_string(button));
}

void endWithSignal(QuillonDesktop& d, TestProcess& quillon) {
    ASSERT_GT(d.quillonPid(), 0);
    ::kill(d.quillonPid(), SIGTERM);
    EXPECT_EQ(exitCodeWithin(quillon, 10), 128 + SIGTERM) << d.log();
}

TEST(WindowsDesktop, UseTrayWaitsForATrayThatComesLaterAndStaysInTheSettings) {
    QuillonDesktop d(QuillonDesktop::Options{.tray = false});
    d.writeSettings("[Misc]\nUse Tray=Yes\n");
    TestProcess quillon;
    d.start(quillon);
    // No tray yet: the window stands in for it.
    ASSERT_TRUE(eventually([&] { return d.mainWindowShown(); }, 1000)) << d.log();
    d.startTray();
    ASSERT_NE(d.trayOwner(), 0u);
    EXPECT_TRUE(eventually([&] { return d.trayIcon() != 0; }, 1000)) << d.log() << d.tree();
    EXPECT_TRUE(eventually([&] { return !d.mainWindowShown(); }, 1000));
    // The icon brings the window back as in any tray start.
    clickTrayIcon(d);
    EXPECT_TRUE(eventually([&] { return d.mainWindowShown(); }, 1000)) << d.log();
    endWithSignal(d, quillon);
    EXPECT_NE(d.readSettings().find("Use Tray=Yes"), std::string::npos) << d.readSettings();
}

// Every window of a process mapped on the screen, and every change of the active window, as they happen.
class Watch {
public:
    explicit Watch(const std::string& display) : x_(XOpenDisplay(display.c_str())) {
        XSelectInput(x_, DefaultRootWindow(x_), SubstructureNotifyMask | PropertyChangeMask);
        XSync(x_, False);
    }
    ~Watch() { XCloseDisplay(x_); }
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;

    Window active() {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        Window w = 0;
        if (XGetWindowProperty(x_, DefaultRootWindow(x_), XInternAtom(x_, "_NET_ACTIVE_WINDOW", False), 0, 1, False,
                               XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
            data != nullptr && count == 1)
            w = *reinterpret_cast<const Window*>(data);
        if (data != nullptr) XFree(data);
        return w;
    }
    // Reads what happened meanwhile: the windows mapped (a managed one is reparented into its frame when it is
    // mapped) with the process that made them, and the active windows.
    void read(QuillonDesktop& d) {
        while (XPending(x_) > 0) {
            XEvent e;
            XNextEvent(x_, &e);
            if (e.type == ReparentNotify) mapped.insert(d.pidOf(e.xreparent.window));
            if (e.type == MapNotify) mapped.insert(d.pidOf(e.xmap.window));
            if (e.type == PropertyNotify && e.xproperty.atom == XInternAtom(x_, "_NET_ACTIVE_WINDOW", False))
                actives.insert(active());
        }
    }
    std::set<pid_t> mapped;
    std::set<Window> actives;

private:
    Display* x_;
};

TEST(WindowsDesktop, AStartInTheBackgroundNeverShowsAWindowNorTakesTheFocus) {
    QuillonDesktop d;
    TestProcess xterm;
    const std::string display = d.display();
    xterm.start({"xterm", "-T", "Typing here"}, [display] { ::setenv("DISPLAY", display.c_str(), 1); });
    ASSERT_TRUE(eventually([&] { return !d.windowsNamed("Typing here").empty(); }, 1000));
    const Window typing = d.windowsNamed("Typing here").front();
    d.xdotool("windowactivate --sync " + std::to_string(typing));
    Watch watch(display);
    const Window before = watch.active();
    TestProcess quillon;
    d.start(quillon, {"/HIDE"});
    ASSERT_TRUE(eventually([&] { return d.quillonPid() > 0; }, 1000)) << d.log();
    // A couple of seconds of its start-up, looked at as it goes.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < end) {
        watch.read(d);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    watch.read(d);
    EXPECT_EQ(watch.mapped.count(d.quillonPid()), 0u);
    EXPECT_EQ(d.mainWindow(), 0u);  // never managed: never mapped
    EXPECT_EQ(watch.active(), before);
    for (const Window w : watch.actives) EXPECT_EQ(w, before);
    EXPECT_FALSE(quillon.ended());
}

bool frameInside(QuillonDesktop& d, int width, int height) {
    const Window w = d.mainWindow();
    if (w == 0 || !d.viewable(w)) return false;
    int x = 0, y = 0, fw = 0, fh = 0;
    d.frameOf(w, x, y, fw, fh);
    return x >= 0 && y >= 0 && x + fw <= width && y + fh <= height;
}

TEST(WindowsDesktop, ASavedPlaceTooBigForTheScreenComesBackInsideAtTwiceTheScale) {
    QuillonDesktop d(QuillonDesktop::Options{.screen = "1280x800x24"});
    d.writeSettings("[Main Window]\nWidth=1676\nHeight=848\nLeft=443\nTop=696\n");
    TestProcess quillon;
    d.start(quillon, {}, "2");
    ASSERT_TRUE(eventually([&] { return d.mainWindowShown(); }, 1000)) << d.log();
    EXPECT_TRUE(eventually([&] { return frameInside(d, 1280, 800); }, 200)) << d.tree();
}

TEST(WindowsDesktop, TheMainWindowKeepsItsPlaceAcrossHidingIntoTheTray) {
    QuillonDesktop d;
    d.writeSettings("[Misc]\nUse Tray=Yes\n");
    TestProcess quillon;
    d.start(quillon);
    clickTrayIcon(d);
    ASSERT_TRUE(eventually([&] { return d.mainWindowShown(); }, 1000)) << d.log();
    const Window w = d.mainWindow();
    d.xdotool("windowmove --sync " + std::to_string(w) + " 300 200");
    int x = 0, y = 0, width = 0, height = 0;
    ASSERT_TRUE(eventually(
        [&] {
            d.placeOf(w, x, y, width, height);
            return x != 0 || y != 0;
        },
        200));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    d.placeOf(w, x, y, width, height);
    TestProcess other;
    const std::string display = d.display();
    other.start({"xterm", "-T", "Another program"}, [display] { ::setenv("DISPLAY", display.c_str(), 1); });
    ASSERT_TRUE(eventually([&] { return !d.windowsNamed("Another program").empty(); }, 1000));
    d.xdotool("windowactivate --sync " + std::to_string(d.windowsNamed("Another program").front()));
    ASSERT_TRUE(eventually([&] { return !d.mainWindowShown(); }, 1000));
    clickTrayIcon(d);
    ASSERT_TRUE(eventually([&] { return d.mainWindowShown(); }, 1000)) << d.log();
    int x2 = 0, y2 = 0, width2 = 0, height2 = 0;
    EXPECT_TRUE(eventually(
        [&] {
            d.placeOf(w, x2, y2, width2, height2);
            return x2 == x && y2 == y;
        },
        100))
        << x << "," << y << " came back at " << x2 << "," << y2;
    EXPECT_EQ(width2, width);
    endWithSignal(d, quillon);
    const std::string settings = d.readSettings();
    EXPECT_NE(settings.find("Left=" + std::to_string(x)), std::string::npos) << settings;
    EXPECT_NE(settings.find("Top=" + std::to_string(y)), std::string::npos) << settings;
}

}  // namespace
}  // namespace qln::test
