#include <gtest/gtest.h>

#include "HookDesktop.h"
#include "store/HotKeyNames.h"

namespace qln::test {
namespace {

constexpr int kAltA = 48, kCtrlAltH = 151, kLMouse = 699, kCtrlLMouse = 701;

TEST(HotKeyGrab, ReportedWithTheWindowInFrontAndKeptFromTheFocusedProgram) {
    HookDesktop h;
    h.useCodes({kAltA});
    HookDesktop::xdotool("key alt+a");
    HookDesktop::xdotool("key b");
    ASSERT_TRUE(h.windowGot(h.keycode(XK_b)));
    ASSERT_TRUE(h.pumpUntil([&] { return !h.posted.all<hook::HotKeyPressed>().empty(); }));
    const auto pressed = h.posted.all<hook::HotKeyPressed>();
    ASSERT_EQ(pressed.size(), 1U);
    EXPECT_EQ(pressed[0].code, kAltA);
    EXPECT_FALSE(pressed[0].capsLock);
    EXPECT_EQ(pressed[0].window, h.window);
    EXPECT_EQ(std::count(h.windowKeys.begin(), h.windowKeys.end(), h.keycode(XK_a)), 0);
}

TEST(HotKeyGrab, ModifiersMatchExactlyWhateverTheLocks) {
    HookDesktop h;
    h.useCodes({kCtrlAltH});
    HookDesktop::xdotool("key ctrl+alt+shift+h ctrl+h alt+h");
    HookDesktop::xdotool("key ctrl+alt+h Caps_Lock ctrl+alt+h Num_Lock ctrl+alt+h Caps_Lock ctrl+alt+h Num_Lock");
    ASSERT_TRUE(h.pumpUntil([&] { return h.posted.all<hook::HotKeyPressed>().size() >= 4; }));
    h.pumpUntil([] { return false; }, 200);
    const auto pressed = h.posted.all<hook::HotKeyPressed>();
    ASSERT_EQ(pressed.size(), 4U);
    const bool caps[] = {false, true, true, false};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(pressed[i].code, kCtrlAltH);
        EXPECT_EQ(pressed[i].capsLock, caps[i]) << i;
    }
}

TEST(HotKeyGrab, AKeyAnotherProgramHoldsIsReportedByName) {
    HookDesktop h;
    Display* other = XOpenDisplay(nullptr);
    XGrabKey(other, h.keycode(XK_a), Mod1Mask, DefaultRootWindow(other), False, GrabModeAsync, GrabModeAsync);
    XSync(other, False);
    h.useCodes({kAltA, kCtrlAltH});
    ASSERT_EQ(h.warnings.size(), 1U);
    EXPECT_NE(h.warnings[0].find("Alt+A"), std::string::npos) << h.warnings[0];
    h.useCodes({kAltA, kCtrlAltH});  // still refused: not told again
    EXPECT_EQ(h.warnings.size(), 1U);
    XCloseDisplay(other);
}

// Many taken at once (a window manager's own bindings): one message names them all.
TEST(HotKeyGrab, KeysOtherProgramsHoldAreNamedInOneMessage) {
    HookDesktop h;
    Display* other = XOpenDisplay(nullptr);
    for (const KeySym sym : {XK_b, XK_c, XK_d})
        XGrabKey(other, h.keycode(sym), Mod1Mask, DefaultRootWindow(other), False, GrabModeAsync, GrabModeAsync);
    XSync(other, False);
    h.useCodes({kAltA + 1, kAltA + 2, kAltA + 3, kCtrlAltH});
    ASSERT_EQ(h.warnings.size(), 1U);
    EXPECT_EQ(h.warnings[0], "The hot keys Alt+B, Alt+C and Alt+D cannot be used: other programs have taken them.  "
                             "Please close those programs or choose other hot keys.");
    XCloseDisplay(other);
}

TEST(HotKeyGrab, MouseHotKeysBareClicksPassModifiedOnesAreKept) {
    HookDesktop h;
    h.useCodes({kLMouse, kCtrlLMouse});
    HookDesktop::xdotool("mousemove --window " + std::to_string(h.window) + " 20 20");
    HookDesktop::xdotool("click 1 keydown ctrl click 1 keyup ctrl key b");
    ASSERT_TRUE(h.windowGot(h.keycode(XK_b)));
    ASSERT_TRUE(h.pumpUntil([&] { return h.posted.all<hook::HotKeyPressed>().size() >= 2; }));
    const auto pressed = h.posted.all<hook::HotKeyPressed>();
    ASSERT_EQ(pressed.size(), 2U);
    EXPECT_EQ(pressed[0].code, kLMouse);
    EXPECT_EQ(pressed[1].code, kCtrlLMouse);
    EXPECT_EQ(h.windowButtons, std::vector<unsigned>{1});
}

TEST(HotKeyGrab, UnhookingTheKeyboardGivesTheKeysBack) {
    HookDesktop h;
    h.useCodes({kAltA});
    const std::uint32_t second = h.library.QlnHookKeyboard();
    EXPECT_NE(second, 0U);
    EXPECT_TRUE(h.library.QlnUnHook(second));
    EXPECT_FALSE(h.library.QlnUnHook(second));
    HookDesktop::xdotool("key alt+a b");
    ASSERT_TRUE(h.windowGot(h.keycode(XK_b)));
    EXPECT_EQ(std::count(h.windowKeys.begin(), h.windowKeys.end(), h.keycode(XK_a)), 1);
    EXPECT_TRUE(h.posted.all<hook::HotKeyPressed>().empty());
}

TEST(HotKeyGrab, ADialogWaitingForAHotKeyGetsAnyCombination) {
    HookDesktop h;
    h.useCodes({kAltA});
    h.table[hooktable::SecondWindowFlag] = 1;
    h.library.QlnUpWindow2(h.table);
    HookDesktop::xdotool("key ctrl+alt+shift+h alt+a");
    ASSERT_TRUE(h.pumpUntil([&] { return h.posted.all<hook::HotKeyToCapture>().size() >= 2; }));
    const auto captured = h.posted.all<hook::HotKeyToCapture>();
    EXPECT_EQ(captured[0].code, 240 + 7);
    EXPECT_EQ(captured[1].code, kAltA);
    EXPECT_TRUE(h.posted.all<hook::HotKeyPressed>().empty());
}

}  // namespace
}  // namespace qln::test
