// The user's keys while a triggered macro plays wait until it is done, in order; a hot key among them plays
// before the keys that follow it; a pause gives the keyboard back.
#include <gtest/gtest.h>

#include "HookDesktop.h"
// After our headers: X11 defines macros (None, Bool) that clash with their names.
#include <X11/XKBlib.h>

namespace qln::test {
namespace {

constexpr int kAltA = 48;

// What the window received, as characters (keycodes of the letters a..z).
std::string letters(const HookDesktop& h) {
    std::string out;
    for (const unsigned kc : h.windowKeys) {
        const KeySym sym = XkbKeycodeToKeysym(h.d, static_cast<KeyCode>(kc), 0, 0);
        if (sym >= XK_a && sym <= XK_z) out += static_cast<char>('a' + (sym - XK_a));
    }
    return out;
}

void tap(ServerDevices& user, unsigned kc) {
    user.key(kc, true);
    user.key(kc, false);
}

TEST(HeldBackKeys, TheUsersKeysWaitForTheMacrosEndAndComeInOrder) {
    HookDesktop h;
    h.useCodes({});
    ServerDevices user(h.d);
    h.setInUse(true);
    for (const KeySym s : {XK_k, XK_e, XK_y}) tap(user, h.keycode(s));
    XTestFakeKeyEvent(h.d, h.keycode(XK_m), True, CurrentTime);  // the macro's own typing goes through
    XTestFakeKeyEvent(h.d, h.keycode(XK_m), False, CurrentTime);
    ASSERT_TRUE(h.windowGot(h.keycode(XK_m)));
    h.pumpUntil([] { return false; }, 200);
    h.readWindow();
    EXPECT_EQ(letters(h), "m");
    ASSERT_TRUE(h.endMarker());
    ASSERT_TRUE(h.windowGot(h.keycode(XK_y)));
    EXPECT_EQ(letters(h), "mkey");
    EXPECT_TRUE(h.pumpUntil([&] { return h.keysDown().empty(); })) << h.keysDown();
    // Given back: the next key goes straight to the window.
    tap(user, h.keycode(XK_z));
    ASSERT_TRUE(h.windowGot(h.keycode(XK_z)));
}

TEST(HeldBackKeys, AHotKeyAmongThemPlaysBeforeTheKeysThatFollowIt) {
    HookDesktop h;
    h.useCodes({kAltA});
    ServerDevices user(h.d);
    // The program starts a macro for each hot key, as it would.
    int hotKeys = 0;
    h.posted.onReplay = [&] {
        const int now = static_cast<int>(h.posted.all<hook::HotKeyPressed>().size());
        if (now > hotKeys) {
            hotKeys = now;
            h.setInUse(true);
        }
        h.library.deliverHeldKeys();
    };
    h.setInUse(true);
    tap(user, h.keycode(XK_b));
    user.key(h.keycode(XK_Alt_L), true);
    tap(user, h.keycode(XK_a));
    user.key(h.keycode(XK_Alt_L), false);
    tap(user, h.keycode(XK_c));
    ASSERT_TRUE(h.endMarker());
    ASSERT_TRUE(h.pumpUntil([&] { return hotKeys == 1; }));
    h.pumpUntil([] { return false; }, 300);
    h.readWindow();
    EXPECT_EQ(letters(h), "b");  // c waits for the hot key's macro
    ASSERT_TRUE(h.endMarker());
    ASSERT_TRUE(h.windowGot(h.keycode(XK_c)));
    EXPECT_EQ(letters(h), "bc");
    EXPECT_TRUE(h.pumpUntil([&] { return h.keysDown().empty(); })) << h.keysDown();
}

TEST(HeldBackKeys, APauseGivesTheKeyboardBackAndThePauseKeyAborts) {
    HookDesktop h;
    h.useCodes({});
    ServerDevices user(h.d);
    h.setInUse(true);
    tap(user, h.keycode(XK_q));
    h.library.userTurn(true);
    tap(user, h.keycode(XK_w));
    ASSERT_TRUE(h.windowGot(h.keycode(XK_w)));
    h.library.userTurn(false);
    tap(user, h.keycode(XK_Pause));
    ASSERT_TRUE(h.pumpUntil([&] { return !h.posted.all<hook::AbortRequest>().empty(); }));
    ASSERT_TRUE(h.endMarker());
    ASSERT_TRUE(h.windowGot(h.keycode(XK_q)));
    EXPECT_EQ(letters(h), "wq");
    EXPECT_EQ(std::count(h.windowKeys.begin(), h.windowKeys.end(), h.keycode(XK_Pause)), 0);
    EXPECT_EQ(h.posted.all<hook::AbortRequest>().size(), 1U);
}

}  // namespace
}  // namespace qln::test
