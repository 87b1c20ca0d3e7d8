#include <gtest/gtest.h>

#include <thread>

#include "HookDesktop.h"
#include "platform/x11/XInputDevices.h"

namespace qln::test {
namespace {

using State = hook::TypedCharacter::State;
constexpr int kAltA = 48;

std::vector<std::pair<State, char>> typed(const Posted& p) {
    std::vector<std::pair<State, char>> out;
    for (const auto& t : p.all<hook::TypedCharacter>()) out.emplace_back(t.state, static_cast<char>(t.character));
    return out;
}

TEST(TypedCharacters, InOrderWithShiftCapsLockAndTheEditingKeys) {
    HookDesktop h;
    h.useCodes({}, true);
    HookDesktop::xdotool("type 'aB1!'");
    HookDesktop::xdotool("key Caps_Lock c Caps_Lock BackSpace Return Left ctrl+a");
    ASSERT_TRUE(h.pumpUntil([&] { return typed(h.posted).size() >= 9; }));
    h.pumpUntil([] { return false; }, 200);
    const std::vector<std::pair<State, char>> want = {
        {State::Plain, 'a'},    {State::Plain, 'B'}, {State::Plain, '1'}, {State::Plain, '!'},
        {State::CapsLock, 'C'}, {State::Plain, 8},   {State::Plain, 13},  {State::Plain, 0},
        {State::Plain, 0},  // Ctrl+A is a command, not typing
    };
    EXPECT_EQ(typed(h.posted), want);
}

TEST(TypedCharacters, NoneWithoutSnipwordsAndAResetOnAClick) {
    HookDesktop h;
    h.useCodes({}, false);
    HookDesktop::xdotool("type ab");
    h.useCodes({}, true);
    HookDesktop::xdotool("click 1");
    ASSERT_TRUE(h.pumpUntil([&] { return !typed(h.posted).empty(); }));
    EXPECT_EQ(typed(h.posted), (std::vector<std::pair<State, char>>{{State::Reset, 0}}));
}

TEST(InUse, SyntheticInputIsIgnoredUntilTheEndMarkerWhichNoProgramSees) {
    HookDesktop h;
    h.useCodes({kAltA}, true);
    ASSERT_NE(h.library.endMarkerKeycode(), 0);
    h.setInUse(true);
    HookDesktop::xdotool("key alt+a type xy");
    ASSERT_TRUE(h.endMarker());
    HookDesktop::xdotool("key alt+a z");
    ASSERT_TRUE(h.windowGot(h.keycode(XK_z)));
    ASSERT_TRUE(h.pumpUntil([&] { return !h.posted.all<hook::HotKeyPressed>().empty(); }));
    EXPECT_EQ(h.posted.all<hook::HotKeyPressed>().size(), 1U);
    EXPECT_EQ(h.posted.all<hook::InUseCleared>().size(), 1U);
    EXPECT_EQ(h.library.table()[hooktable::InUse], 0);
    // x and y were the macro's; after the marker z counts again.
    EXPECT_EQ(typed(h.posted), (std::vector<std::pair<State, char>>{{State::Plain, 0}, {State::Plain, 'z'}}));
    EXPECT_EQ(std::count(h.windowKeys.begin(), h.windowKeys.end(), h.library.endMarkerKeycode()), 0);
}

TEST(InUse, APhysicalPauseAbortsASyntheticOneDoesNot) {
    HookDesktop h;
    h.useCodes({});
    h.setInUse(true);
    HookDesktop::xdotool("key Pause");
    ServerDevices user(h.d);
    user.key(h.keycode(XK_Pause), true);
    user.key(h.keycode(XK_Pause), false);
    ASSERT_TRUE(h.pumpUntil([&] { return !h.posted.all<hook::AbortRequest>().empty(); }));
    h.pumpUntil([] { return false; }, 200);
    EXPECT_EQ(h.posted.all<hook::AbortRequest>().size(), 1U);
    EXPECT_EQ(X11HookLibrary::abortKeyName(), "Pause");
}

TEST(TriggerKeys, TheWaitEndsWhenTheTriggersKeysAreUpWhateverDeviceHoldsThem) {
    HookDesktop h;
    h.useCodes({});
    // Held through XTest (an on-screen keyboard, xdotool, a remote desktop): the trigger's key as much as a
    // hand's.
    HookDesktop::xdotool("keydown shift");
    h.setInUse(true);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(h.library.waitUntilReleased(std::chrono::milliseconds(300)));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(290));
    std::thread later([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_EQ(std::system("xdotool keyup shift"), 0);
    });
    EXPECT_TRUE(h.library.waitUntilReleased(std::chrono::milliseconds(5000)));
    later.join();
    ASSERT_TRUE(h.endMarker());

    // The user's keyboard: held when the macro starts, let go after.
    ServerDevices user(h.d);
    user.key(h.keycode(XK_Control_L), true);
    h.setInUse(true);
    EXPECT_FALSE(h.library.waitUntilReleased(std::chrono::milliseconds(200)));
    std::thread hand([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        Display* d = XOpenDisplay(nullptr);
        ServerDevices(d).key(XKeysymToKeycode(d, XK_Control_L), false);
        XCloseDisplay(d);
    });
    EXPECT_TRUE(h.library.waitUntilReleased(std::chrono::milliseconds(5000)));
    hand.join();
    EXPECT_EQ(h.keysDown(), "");
    ASSERT_TRUE(h.endMarker());
}

TEST(PhysicalKeys, AKeyAMacroLeftHeldIsLetGoWhenTheUserPressesAndReleasesIt) {
    HookDesktop h;
    x11::X11Display own;
    const x11::XInputDevices devices(own);
    const unsigned shift = h.keycode(XK_Shift_L);
    HookDesktop::xdotool("keydown shift");
    ASSERT_TRUE(devices.xtestKeys()[shift]);
    ServerDevices user(h.d);
    user.key(shift, true);
    user.key(shift, false);
    EXPECT_TRUE(h.pumpUntil([&] { return !devices.xtestKeys()[shift]; }));
}

TEST(WindowActivation, ANewWindowInFrontIsReportedAndEndsTheTypedWord) {
    HookDesktop h;
    h.useCodes({}, true);
    TestProcess window;
    window.start({QLN_X11_WINDOW, "another window"});
    ASSERT_TRUE(h.pumpUntil([&] {
        for (const auto& a : h.posted.all<hook::WindowActivated>())
            if (a.window != h.window && a.window != 0) return true;
        return false;
    }));
    EXPECT_EQ(typed(h.posted).front().first, State::Reset);
}

// Remembers what it was asked to do.
struct NotedRemapper : IKeyRemapper {
    void apply(std::span<const std::uint8_t, 93> t) override { tables.assign(t.begin(), t.end()); }
    void restore() override { restored = true; }
    bool applied() const override { return !tables.empty() && !restored; }
    std::vector<std::uint8_t> tables;
    bool restored = false;
};

TEST(Remapping, SwapAppliesTheBlocksTablesAndUnhookingRestores) {
    HookDesktop h;
    EXPECT_EQ(h.library.QlnHookSwap(), 0U);  // nothing to remap with
    std::array<std::uint8_t, 104> remap{};
    std::array<std::uint8_t, 17> window{};
    for (std::size_t i = 0; i < 93; ++i) remap[8 + i] = static_cast<std::uint8_t>(33 + i);
    NotedRemapper remapper;
    h.library.setRemapper(&remapper);
    h.library.attachBlocks(remap, window);
    const std::uint32_t swap = h.library.QlnHookSwap();
    ASSERT_NE(swap, 0U);
    ASSERT_EQ(remapper.tables.size(), 93U);
    EXPECT_EQ(remapper.tables.front(), 33);
    EXPECT_EQ(remapper.tables.back(), 33 + 92);
    EXPECT_TRUE(h.library.QlnUnHook(swap));
    EXPECT_TRUE(remapper.restored);
}

}  // namespace
}  // namespace qln::test
