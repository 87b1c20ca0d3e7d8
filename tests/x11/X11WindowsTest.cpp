// Window control on a real X server with a window manager (Xvfb and openbox, started here).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "DesktopSession.h"
#include "PrivateProgram.h"
#include "platform/sim/SimDesktop.h"
#include "platform/x11/X11Desktop.h"
#include "PlayOnX11.h"
#include "playback/WindowControl.h"

namespace qln::test {
namespace {

// A test window under a program name of its own; closed at the end if a macro has not closed it.
class TestWindow {
public:
    static constexpr int kWaitMs = 20000;

    TestWindow(const XvfbSession& x, const std::string& title) : program_(QLN_X11_WINDOW, "qln-window") {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) return;
        const std::string display = x.display();
        process_.start({program_.path(), title}, [&] {
            ::dup2(fds[1], 1);
            ::setenv("DISPLAY", display.c_str(), 1);
        });
        ::close(fds[1]);
        fd_ = fds[0];
        ready_ = readSome(kWaitMs).starts_with("ready");
    }
    ~TestWindow() {
        process_.stop();
        if (fd_ >= 0) ::close(fd_);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    bool ready() const { return ready_; }
    const std::string& program() const { return program_.name(); }
    // What the program said after "ready", until it ended (at most kWaitMs).
    std::string rest() {
        std::string s;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
        for (std::string chunk; std::chrono::steady_clock::now() < deadline;) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if ((chunk = readSome(static_cast<int>(left.count()))).empty()) break;
            s += chunk;
        }
        return s;
    }

private:
    // What the program wrote next; empty at its end or when it said nothing within `ms`.
    std::string readSome(int ms) {
        pollfd p{fd_, POLLIN, 0};
        if (fd_ < 0 || ::poll(&p, 1, std::max(ms, 1)) <= 0) return {};
        char buffer[64];
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
    }

    PrivateProgram program_;
    TestProcess process_;
    int fd_ = -1;
    bool ready_ = false;
};

std::string describe(const Rect& r) {
    return std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + " at " +
           std::to_string(r.left) + "," + std::to_string(r.top);
}

void play(x11::X11Desktop& xd, const std::string& text) { playOnX11(xd, text); }

TEST(X11Windows, ActivateByTitleAndByProgramSizeMoveMinimiseRestoreHideShowClose) {
    Session s;
    ASSERT_TRUE(s.wmReady()) << "openbox did not start";
    TestWindow alpha(s.x, "Alpha Window"), beta(s.x, "Beta Window");
    ASSERT_TRUE(alpha.ready() && beta.ready());
    x11::X11Desktop xd;
    WindowHandle a = 0, b = 0;
    ASSERT_TRUE(eventually([&] {
        a = xd.windows().findWindow("Alpha Window");
        b = xd.windows().findWindow("Beta Window");
        return a != 0 && b != 0;
    }));

    play(xd, "<ACTIVATE:alpha>");
    EXPECT_TRUE(eventually([&] { return xd.windows().foregroundWindow() == a; }));
    EXPECT_TRUE(eventually([&] { return xd.windows().topLevelWindows().front() == a; }));

    const WindowHandle current = xd.windows().foregroundWindow();
    play(xd, "<WSIZE:0300,0200\"CURRENT\"><WPOS:0050,0060\"CURRENT\">");
    EXPECT_TRUE(eventually([&] {
        const Rect r = xd.windows().windowRect(a);
        return r.left == 50 && r.top == 60 && r.right - r.left == 300 && r.bottom - r.top == 200;
    })) << "alpha " << describe(xd.windows().windowRect(a)) << ", beta " << describe(xd.windows().windowRect(b))
        << ", current " << (current == a ? "alpha" : current == b ? "beta" : std::to_string(current));

    play(xd, "<WMIN:Beta>");
    EXPECT_TRUE(eventually([&] { return xd.windows().isMinimised(b); }));
    play(xd, "<ACTIVATE:beta window>");
    EXPECT_TRUE(eventually([&] { return !xd.windows().isMinimised(b) && xd.windows().foregroundWindow() == b; }));

    play(xd, "<WHIDE:Alpha>");
    EXPECT_TRUE(xd.windows().isHidden(a));
    play(xd, "<WSHOW:Alpha>");
    EXPECT_FALSE(xd.windows().isHidden(a));
    EXPECT_TRUE(eventually([&] {
        const auto top = xd.windows().topLevelWindows();
        return std::count(top.begin(), top.end(), a) == 1;
    }));

    play(xd, "<WCLS:Beta>");
    EXPECT_EQ(beta.rest(), "closed\n");
    play(xd, "<WSHUT:Alpha>");
    EXPECT_EQ(alpha.rest(), "closed\n");
}

TEST(X11Windows, ActivateProgramFindsTheWindowOfARunningProgram) {
    Session s;
    ASSERT_TRUE(s.wmReady());
    TestWindow first(s.x, "First"), second(s.x, "Second");
    ASSERT_TRUE(first.ready() && second.ready());
    x11::X11Desktop xd;
    WindowHandle w1 = 0, w2 = 0;
    ASSERT_TRUE(eventually([&] {
        w1 = xd.windows().findWindow("First");
        w2 = xd.windows().findWindow("Second");
        return w1 != 0 && w2 != 0;
    }));
    X11Platform m(xd);
    WindowControl wc(m.platform);
    WindowHandle returned = 0;
    wc.setReturnWindow(&returned);
    for (const auto& [window, handle] : {std::pair{&second, w2}, std::pair{&first, w1}, std::pair{&second, w2}}) {
        ASSERT_TRUE(wc.ActivateProg(window->program())) << window->program();
        EXPECT_EQ(returned, handle) << window->program();
        EXPECT_TRUE(eventually([&] { return xd.windows().foregroundWindow() == handle; })) << window->program();
    }
    EXPECT_FALSE(wc.ActivateProg("no such program"));
    EXPECT_EQ(posix::LinuxProcesses::programOf(static_cast<std::uint32_t>(::getpid())), "x11_tests");
}

TEST(X11Windows, AWindowThatIsGoneIsHarmless) {
    // A window may close at any moment of a macro; X's errors about it must not end the program.
    Session s;
    x11::X11Desktop xd;
    TestWindow gone(s.x, "Gone Soon");
    ASSERT_TRUE(gone.ready());
    WindowHandle w = 0;
    ASSERT_TRUE(eventually([&] { return (w = xd.windows().findWindow("Gone Soon")) != 0; }));
    play(xd, "<WCLS:Gone Soon>");
    EXPECT_EQ(gone.rest(), "closed\n");
    for (const WindowHandle h : {w, WindowHandle{0x3FFFFF}}) {
        x11::X11Windows& x = xd.windows();
        EXPECT_EQ(x.windowTitle(h), "");
        EXPECT_EQ(x.windowProcess(h), 0u);
        EXPECT_EQ(x.parentWindow(h), 0u);
        EXPECT_FALSE(x.isMinimised(h));
        const Rect r = x.windowRect(h);
        EXPECT_EQ(r.right - r.left, 0);
        x.moveWindow(h, 10, 10);
        x.resizeWindow(h, 100, 100);
        x.showWindow(h, ShowCommand::Hide);
        x.showWindow(h, ShowCommand::Show);
        for (const SysCommand c : {SysCommand::Minimise, SysCommand::Maximise, SysCommand::Restore, SysCommand::Close})
            x.sysCommand(h, c);
        x.postQuit(h);
        x.setForegroundWindow(h);
    }
    play(xd, "<ACTIVATE:Gone Soon><WSIZE:0300,0200\"CURRENT\"><WMAX:Gone Soon>");
    EXPECT_TRUE(eventually([&] { return xd.windows().findWindow("Gone Soon") == 0; }));
}

}  // namespace
}  // namespace qln::test
