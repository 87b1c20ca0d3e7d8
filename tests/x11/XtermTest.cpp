// The whole way from the command line to a real terminal: qlntool types into a focused xterm running cat.
#include <gtest/gtest.h>
// X11 after GoogleTest: its macros (None, Bool) clash with GoogleTest's names.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

#include "DesktopSession.h"
#include "platform/x11/X11Desktop.h"
#include "support/TempFolder.h"

namespace qln::test {
namespace {

// xterm in a UTF-8 locale whose shell hands every line it reads to a file.
class CatTerminal {
public:
    CatTerminal(const XvfbSession& x, const std::string& title, const std::string& file) : file_(file) {
        pid_ = ::fork();
        if (pid_ == 0) {
            ::setenv("DISPLAY", x.display().c_str(), 1);
            ::setenv("LC_ALL", "C.UTF-8", 1);
            const std::string command = "exec cat > '" + file + "'";
            ::execlp("xterm", "xterm", "-u8", "-T", title.c_str(), "-e", "sh", "-c", command.c_str(),
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }
    ~CatTerminal() {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    CatTerminal(const CatTerminal&) = delete;
    CatTerminal& operator=(const CatTerminal&) = delete;

    // What cat has written so far, once it holds `lines` whole lines (at most five seconds).
    std::string linesWritten(int lines) const {
        std::string s;
        eventually([&] {
            std::ifstream in(file_, std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            s = text.str();
            return std::count(s.begin(), s.end(), '\n') >= lines;
        }, 250);
        return s;
    }

private:
    std::string file_;
    pid_t pid_ = -1;
};

void setCapsLock(const XvfbSession& x, bool on) {
    Display* d = XOpenDisplay(x.display().c_str());
    ASSERT_NE(d, nullptr);
    XkbLockModifiers(d, XkbUseCoreKbd, LockMask, on ? LockMask : 0);
    XSync(d, False);
    XCloseDisplay(d);
}

int play(const XvfbSession& x, const std::string& macro) {
    return std::system(("DISPLAY=" + x.display() + " " + QLN_QLNTOOL + " play --x11 --text '" + macro + "'").c_str());
}

TEST(Xterm, HelloWorldArrivesInCatWithCapsLockOffAndOn) {
    Session s;
    ASSERT_TRUE(s.wmReady()) << "openbox did not start";
    TempFolder folder;
    const std::string file = folder.path() + "/typed.txt";
    CatTerminal term(s.x, "Quillon cat", file);
    x11::X11Desktop xd;
    WindowHandle w = 0;
    ASSERT_TRUE(eventually([&] { return (w = xd.windows().findWindow("Quillon cat")) != 0; }, 250));
    xd.windows().setForegroundWindow(w);
    ASSERT_TRUE(eventually([&] { return xd.windows().foregroundWindow() == w; }));

    ASSERT_EQ(play(s.x, "Hello, World! \xC3\xA9<ENTER>"), 0);
    EXPECT_EQ(term.linesWritten(1), "Hello, World! \xC3\xA9\n");

    setCapsLock(s.x, true);
    ASSERT_EQ(play(s.x, "Hello, World! \xC3\xA9<ENTER>"), 0);
    EXPECT_EQ(term.linesWritten(2), "Hello, World! \xC3\xA9\nHello, World! \xC3\xA9\n");
    setCapsLock(s.x, false);
}

}  // namespace
}  // namespace qln::test
