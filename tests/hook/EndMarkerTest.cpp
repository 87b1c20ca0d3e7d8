#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "HookDesktop.h"
#include "hook/EndMarkerKey.h"
#include "platform/x11/X11Keymap.h"
#include "support/TempFolder.h"

namespace qln::test {
namespace {

// Xvfb's keymap has no Execute key: the library lends it a keycode, the program's keymap presses virtual key 43
// there, and the keycode is given back when the library goes.
TEST(EndMarker, ExecuteIsLentAKeycodeThatVirtualKey43PressesAndIsGivenBack) {
    Session session;
    SystemClock clock;
    x11::X11Display display;
    x11::X11Events events{display};
    x11::X11Pump pump{events, clock};
    x11::X11Keymap keymap{events};
    ASSERT_EQ(keymap.keycode(43), 0);
    {
        X11HookLibrary library(pump, pump, clock);
        ASSERT_NE(library.endMarkerKeycode(), 0);
        const std::uint64_t deadline = clock.tickCount() + 3000;
        while (keymap.keycode(43) == 0 && clock.tickCount() < deadline) {
            pump.waitUntil(deadline);
            keymap.refreshIfChanged();
        }
        EXPECT_EQ(keymap.keycode(43), library.endMarkerKeycode());
    }
    Display* fresh = XOpenDisplay(nullptr);
    EXPECT_EQ(XKeysymToKeycode(fresh, XK_Execute), 0);
    XCloseDisplay(fresh);
}

// Keycodes that carry Execute, as the server has them now.
int executeKeys(const std::string& displayName) {
    Display* d = XOpenDisplay(displayName.c_str());
    int min = 0, max = 0, per = 0, n = 0;
    XDisplayKeycodes(d, &min, &max);
    KeySym* map = XGetKeyboardMapping(d, static_cast<KeyCode>(min), max - min + 1, &per);
    for (int kc = 0; kc <= max - min; ++kc) n += map[kc * per] == XK_Execute;
    XFree(map);
    XCloseDisplay(d);
    return n;
}

// A program killed while Execute was on a keycode it lent: the next start takes that keycode over instead of
// keeping it for good, and gives it back at its end.
TEST(EndMarker, AKeycodeAKilledProgramLentIsTakenOverAndGivenBack) {
    TempFolder runtime;
    ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    XvfbSession x;
    ::setenv("DISPLAY", x.display().c_str(), 1);
    ASSERT_EQ(executeKeys(x.display()), 0);
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        x11::X11Display d;
        hook::EndMarkerKey key(d);
        const std::uint8_t lent = key.keycode();
        if (::write(fds[1], &lent, 1) != 1) ::_exit(1);
        for (;;) ::pause();
    }
    ::close(fds[1]);
    pollfd p{fds[0], POLLIN, 0};
    std::uint8_t lent = 0;
    const bool said = ::poll(&p, 1, 20000) == 1 && ::read(fds[0], &lent, 1) == 1;
    ::close(fds[0]);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ASSERT_TRUE(said);
    ASSERT_NE(lent, 0);
    ASSERT_EQ(executeKeys(x.display()), 1);
    {
        x11::X11Display d;
        hook::EndMarkerKey next(d);
        EXPECT_EQ(next.keycode(), lent);
        EXPECT_EQ(executeKeys(x.display()), 1);
    }
    EXPECT_EQ(executeKeys(x.display()), 0);
    EXPECT_TRUE(std::filesystem::is_empty(runtime.path() + "/quillon"));
}

}  // namespace
}  // namespace qln::test
