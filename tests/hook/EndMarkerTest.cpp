#include <gtest/gtest.h>

#include "HookDesktop.h"
#include "platform/x11/X11Keymap.h"

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

}  // namespace
}  // namespace qln::test
