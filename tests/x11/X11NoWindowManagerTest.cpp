// Window control on a real X server that no window manager looks after (Xvfb alone, started here).
#include <gtest/gtest.h>
// X11 after GoogleTest: its macros (None, Bool) clash with GoogleTest's names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "DesktopSession.h"
#include "platform/sim/SimDesktop.h"
#include "platform/x11/X11Desktop.h"
#include "PlayOnX11.h"

namespace qln::test {
namespace {

void play(x11::X11Desktop& xd, const std::string& text) { playOnX11(xd, text); }

// How a test window wants the keyboard focus: handed to it, taken by itself when asked (WM_TAKE_FOCUS), or never
// (its WM_HINTS say it takes no input).
enum class Input { Handed, TakenWhenAsked, Refused };

// A 400 × 300 window at (100, 100) in a process of its own, so it answers while a macro waits for it.
class ChildWindow {
public:
    ChildWindow(const std::string& display, const std::string& title, Input input = Input::Handed) {
        int fds[2];
        if (::pipe(fds) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            run(display, title, input, fds[1]);
        }
        ::close(fds[1]);
        pollfd p{fds[0], POLLIN, 0};
        char line[32] = {};
        if (::poll(&p, 1, 10000) > 0 && ::read(fds[0], line, sizeof line - 1) > 0)
            id_ = std::strtoul(line, nullptr, 10);
        ::close(fds[0]);
    }
    ~ChildWindow() {
        if (pid_ <= 0) return;  // never kill(-1)
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    ChildWindow(const ChildWindow&) = delete;
    ChildWindow& operator=(const ChildWindow&) = delete;

    Window id() const { return id_; }

private:
    [[noreturn]] static void run(const std::string& name, const std::string& title, Input input, int fd) {
        XSetIOErrorHandler([](Display*) -> int { ::_exit(0); });
        Display* d = XOpenDisplay(name.c_str());
        if (d == nullptr) ::_exit(2);
        const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 100, 100, 400, 300, 0, 0, 0xFFFFFF);
        XStoreName(d, w, title.c_str());
        Atom protocols[] = {XInternAtom(d, "WM_DELETE_WINDOW", False), XInternAtom(d, "WM_TAKE_FOCUS", False)};
        XSetWMProtocols(d, w, protocols, input == Input::TakenWhenAsked ? 2 : 1);
        if (input != Input::Handed) {
            XWMHints hints{};
            hints.flags = InputHint;
            hints.input = False;
            XSetWMHints(d, w, &hints);
        }
        XSelectInput(d, w, StructureNotifyMask);
        XMapWindow(d, w);
        for (XEvent e; XNextEvent(d, &e), e.type != MapNotify;) {
        }
        ::dprintf(fd, "%lu\n", w);
        for (;;) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type != ClientMessage) continue;
            if (static_cast<Atom>(e.xclient.data.l[0]) == protocols[0]) ::_exit(0);
            if (static_cast<Atom>(e.xclient.data.l[0]) == protocols[1]) {
                XSetInputFocus(d, w, RevertToPointerRoot, CurrentTime);
                XFlush(d);
            }
        }
    }

    pid_t pid_ = -1;
    Window id_ = 0;
};

// What the server says about a window, asked on a connection of the test's own.
struct Seen {
    int x = 0, y = 0, width = 0, height = 0;
    bool viewable = false;
    bool operator==(const Seen&) const = default;
};

void PrintTo(const Seen& s, std::ostream* out) {
    *out << s.width << "x" << s.height << "+" << s.x << "+" << s.y << (s.viewable ? " viewable" : " unmapped");
}

class Observer {
public:
    explicit Observer(const std::string& display) : d_(XOpenDisplay(display.c_str())) {}
    ~Observer() {
        if (d_ != nullptr) XCloseDisplay(d_);
    }
    Observer(const Observer&) = delete;
    Observer& operator=(const Observer&) = delete;

    Seen seen(Window w) const {
        XWindowAttributes a{};
        if (!XGetWindowAttributes(d_, w, &a)) return {};
        return {a.x, a.y, a.width, a.height, a.map_state == IsViewable};
    }
    Window focus() const {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(d_, &focus, &revert);
        return focus;
    }
    // A child of the root with this title, or 0.
    Window byTitle(const std::string& title) const {
        Window root = 0, parent = 0, *children = nullptr, found = 0;
        unsigned count = 0;
        if (!XQueryTree(d_, DefaultRootWindow(d_), &root, &parent, &children, &count)) return 0;
        for (unsigned i = 0; i < count && found == 0; ++i) {
            char* name = nullptr;
            if (XFetchName(d_, children[i], &name) && name != nullptr) {
                if (title == name) found = children[i];
                XFree(name);
            }
        }
        if (children != nullptr) XFree(children);
        return found;
    }

private:
    Display* d_;
};

// Titles carry the process id, as several copies of this program may run side by side; one word each, so that a
// launched program gets its title as one argument.
std::string unique(const std::string& title) {
    return title + "-" + std::to_string(::getpid());
}

// Replaces each '%' of the macro with the title.
std::string withTitle(std::string macro, const std::string& title) {
    for (std::size_t at; (at = macro.find('%')) != std::string::npos;) macro.replace(at, 1, title);
    return macro;
}

TEST(X11NoWindowManager, ActivationHandsTheFocusOverOrSkipsTheRestOfTheMacro) {
    struct Case {
        const char* name;
        Input input;
        bool focused;
    };
    const Case cases[] = {
        {"Handed", Input::Handed, true}, {"Taken", Input::TakenWhenAsked, true}, {"Refused", Input::Refused, false}};
    XvfbSession x;
    x11::X11Desktop xd(x.display());
    Observer o(x.display());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string title = unique(c.name);
        ChildWindow w(x.display(), title, c.input);
        ASSERT_NE(w.id(), 0u);
        play(xd, withTitle("<ACTIVATE:%><WPOS:0010,0020%>", title));
        EXPECT_EQ(o.focus() == w.id(), c.focused);
        // The move after the activation happens only when the activation succeeded.
        EXPECT_EQ(o.seen(w.id()).x, c.focused ? 10 : 100);
    }
}

TEST(X11NoWindowManager, WindowTagsSizeMoveMaximiseMinimiseAndRestore) {
    struct Case {
        const char* macro;
        Seen expected;
    };
    const Case cases[] = {
        {"<WSIZE:0300,0200%>", {100, 100, 300, 200, true}},
        {"<WPOS:-010,0020%>", {-10, 20, 400, 300, true}},
        {"<ACTIVATE:%><WSIZE:0250,0150\"CURRENT\">", {100, 100, 250, 150, true}},
        {"<WMAX:%>", {0, 0, 1024, 768, true}},
        {"<WMAX:%><WMAX:%><WRES:%>", {100, 100, 400, 300, true}},
        {"<WMIN:%>", {100, 100, 400, 300, false}},
        {"<WMAX:%><WMIN:%><WRES:%>", {0, 0, 1024, 768, true}},
        {"<WMIN:%><ACTIVATE:%>", {100, 100, 400, 300, true}},
        {"<WHIDE:%><WSHOW:%><WSIZE:0300,0200%>", {100, 100, 300, 200, true}},
    };
    XvfbSession x;
    x11::X11Desktop xd(x.display());
    Observer o(x.display());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.macro);
        const std::string title = unique("Tags");
        ChildWindow w(x.display(), title);
        ASSERT_NE(w.id(), 0u);
        play(xd, withTitle(c.macro, title));
        EXPECT_EQ(o.seen(w.id()), c.expected);
    }
}

TEST(X11NoWindowManager, LaunchFindsTheLaunchedWindowAtOnceAndCloseAsksItToLeave) {
    XvfbSession x;
    ::setenv("DISPLAY", x.display().c_str(), 1);  // for the launched program
    x11::X11Desktop xd(x.display());
    Observer o(x.display());
    const std::string title = unique("Launched");
    const auto start = std::chrono::steady_clock::now();
    play(xd, withTitle("<LAUNCHNO:00%<LAUNCH:" QLN_X11_WINDOW "<PARAM>%><WPOS:0030,0040%>", title));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));  // the wait gives up after 30
    const Window w = o.byTitle(title);
    ASSERT_NE(w, 0u);
    EXPECT_EQ(o.seen(w).x, 30);
    EXPECT_EQ(o.seen(w).y, 40);
    play(xd, withTitle("<WCLS:%>", title));
    EXPECT_TRUE(eventually([&] { return o.byTitle(title) == 0; }, 250));
}

TEST(X11NoWindowManager, WarnsOnceAndFollowsAWindowManagerThatComesAndGoes) {
    XvfbSession x;
    x11::X11Desktop xd(x.display());
    std::vector<std::string> warnings;
    xd.windows().setWarningHandler([&](const std::string& m) { warnings.push_back(m); });
    const std::string title = unique("Warned");
    ChildWindow w(x.display(), title);
    ASSERT_NE(w.id(), 0u);
    EXPECT_FALSE(xd.windows().windowManagerRuns());
    play(xd, withTitle("<ACTIVATE:%><WSIZE:0300,0200%><WMAX:%>", title));
    EXPECT_EQ(xd.windows().foregroundWindow(), w.id());
    {
        WindowManager wm(x);
        EXPECT_TRUE(eventually([&] { return xd.windows().windowManagerRuns(); }, 250));
    }
    EXPECT_TRUE(eventually([&] { return !xd.windows().windowManagerRuns(); }, 250));
    EXPECT_FALSE(xd.windows().topLevelWindows().empty());
    const std::string warning =
        "no window manager runs on display " + x.display() + "; windows are controlled directly";
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], warning);

    // qlntool says it once on stderr, however many window tags the macro has.
    const std::string command = "DISPLAY=" + x.display() + " " QLN_QLNTOOL " play --x11 --text '" +
                                withTitle("<ACTIVATE:%><WMAX:%><WMIN:%><WRES:%>", title) + "' 2>&1 >/dev/null";
    FILE* tool = ::popen(command.c_str(), "r");
    ASSERT_NE(tool, nullptr);
    std::string said;
    char buffer[256];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, tool)) said.append(buffer, n);
    EXPECT_EQ(::pclose(tool), 0);
    EXPECT_EQ(said, "qlntool: " + warning + "\n");
}

}  // namespace
}  // namespace qln::test
