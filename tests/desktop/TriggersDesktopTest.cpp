// Quillon's triggers on a private desktop: hot keys pressed on the server's own keyboard (the user's hand, not
// XTest) and a Snipword typed by xdotool into an xterm running cat, a Window-scoped macro against a global one, a
// popup menu, the abort key, and the remapper put back after a kill.
#include <gtest/gtest.h>

#include "core/Notices.h"
#include "platform/sim/SimDesktop.h"
#include "store/MacroFile.h"
#include "store/PopupItems.h"
#include "store/Vexmap.h"
// X11 after GoogleTest and our own headers: its macros (None, Bool) clash with their names.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <signal.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "DesktopMacros.h"
#include "QuillonSession.h"

namespace qln::test {
namespace {

using TriggersDesktopTest = TriggerDesktopFixture;

constexpr std::uint16_t kCtrlAltB = 145, kCtrlAltH = 151, kCtrlAltJ = 153, kCtrlAltK = 154, kCtrlAltL = 155;

TEST_F(TriggersDesktopTest, HotKeysSnipwordAndMenuTypeIntoTheProgramInFront) {
    MacroRecord snip = macro("Snip", HotKeySnipword, ScopeGlobal, "Snip!<ENTER>");
    snip.snipword = "xyz";
    MacroRecord menu = macro("Menu", kCtrlAltK, ScopePopupMenu, "");
    writePopupItems(menu, {6});
    MacroRecord mine = macro("Mine", kCtrlAltJ, ScopeWindow, "window<ENTER>");
    mine.windowName = "first cat";
    mine.topMostOnly = 1;
    writeMacros(macroFile(), {macro("Hello", kCtrlAltH, ScopeGlobal, "hello<ENTER>"),
                              macro("Menu entry", 0, ScopeGlobal, "from the menu<ENTER>"), snip, menu,
                              macro("Everywhere", kCtrlAltJ, ScopeGlobal, "global<ENTER>"), mine});
    Cat first(d.display(), "first cat", d.folder().file("first.txt"));
    Cat second(d.display(), "second cat", d.folder().file("second.txt"));
    ASSERT_NE(windowOf("first cat"), 0u);
    ASSERT_NE(windowOf("second cat"), 0u);
    startQuillon();

    front("first cat");
    physicalKeys({XK_Control_L, XK_Alt_L, XK_h});
    EXPECT_EQ(first.text(1), "hello\n") << d.log();
    // Shift added is another hot key, which no macro uses: the terminal gets it (xterm turns it into U+0088).
    physicalKeys({XK_Control_L, XK_Alt_L, XK_Shift_L, XK_h});
    physicalKeys({XK_Control_L, XK_Alt_L, XK_j});
    EXPECT_EQ(first.text(2), "hello\n\xC2\x88window\n") << d.log();
    front("second cat");
    physicalKeys({XK_Control_L, XK_Alt_L, XK_j});
    EXPECT_EQ(second.text(1), "global\n");

    d.xdotool("type --delay 30 abxyz");
    EXPECT_EQ(second.text(2), "global\nabSnip!\n");

    physicalKeys({XK_Control_L, XK_Alt_L, XK_k});
    ASSERT_NE(windowOf("Choose A Macro"), 0u) << d.log();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    d.xdotool("key 0");
    EXPECT_EQ(second.text(3), "global\nabSnip!\nfrom the menu\n");
    EXPECT_EQ(keysDown(), "");

    // The system macros: the menu of the macros of the window in front, and Quillon brought up.
    front("first cat");
    physicalKeys({XK_Control_L, XK_Alt_L, XK_Shift_L, XK_z});
    ASSERT_NE(windowOf("Choose A Macro"), 0u) << d.log();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    d.xdotool("key 0");
    EXPECT_EQ(first.text(3), "hello\n\xC2\x88window\nwindow\n");
    physicalKeys({XK_Control_L, XK_Alt_L, XK_Shift_L, XK_w});
    EXPECT_TRUE(eventually([&] { return !d.windowsNamed("Quillon (").empty() && d.viewable(windowOf("Quillon ("));
    }, 500)) << d.log();
}

TEST_F(TriggersDesktopTest, ThePauseKeyStopsAMacroAndNothingStaysHeld) {
    writeMacros(macroFile(), {macro("Slow", kCtrlAltL, ScopeGlobal, "<SHFD><CTLD>ab<DELAY:04.00>c<ENTER>"),
                              macro("Hello", kCtrlAltH, ScopeGlobal, "hello<ENTER>")});
    Cat cat(d.display(), "the cat", d.folder().file("cat.txt"));
    ASSERT_NE(windowOf("the cat"), 0u);
    startQuillon();
    front("the cat");
    physicalKeys({XK_Control_L, XK_Alt_L, XK_l});
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    physicalKey(XK_Pause);
    // The wait ends, the macro stops before its next step, lets go of its keys and says it was aborted; once
    // that is read, the next hot key plays.
    ASSERT_NE(windowOf("Macro Abort"), 0u) << d.log() << d.tree();
    EXPECT_TRUE(eventually([&] { return keysDown().empty(); }, 250)) << keysDown();
    front("Macro Abort");
    d.xdotool("key Return");
    front("the cat");
    physicalKeys({XK_Control_L, XK_Alt_L, XK_h});
    const std::string text = cat.text(1);
    ASSERT_GE(text.size(), 6u) << text << d.log();
    EXPECT_EQ(text.substr(text.size() - 6), "hello\n") << text;
    EXPECT_EQ(text.find('c'), std::string::npos) << text;
    EXPECT_EQ(keysDown(), "");
}

TEST_F(TriggersDesktopTest, ARemappedKeyboardIsPutBackAfterAKill) {
    const KeyCode a = XKeysymToKeycode(x_, XK_a);
    // The symbols of the key that types a (a keycode lent to the end marker by the killed copy may stay lent).
    auto keymap = [&] {
        int per = 0;
        KeySym* syms = XGetKeyboardMapping(x_, a, 1, &per);
        std::vector<KeySym> all(syms, syms + per);
        XFree(syms);
        return all;
    };
    const std::vector<KeySym> original = keymap();
    Vexmap tables;
    tables.tables()[26] = 'z';  // a types z
    ASSERT_TRUE(tables.SaveVexmap(d.folder().path() + "/data/quillon/QUILN.QLS"));
    writeMacros(macroFile(), {});
    Cat cat(d.display(), "the cat", d.folder().file("cat.txt"));
    ASSERT_NE(windowOf("the cat"), 0u);
    startQuillon();
    front("the cat");
    XTestFakeKeyEvent(x_, a, True, CurrentTime);
    XTestFakeKeyEvent(x_, a, False, CurrentTime);
    XTestFakeKeyEvent(x_, XKeysymToKeycode(x_, XK_Return), True, CurrentTime);
    XTestFakeKeyEvent(x_, XKeysymToKeycode(x_, XK_Return), False, CurrentTime);
    XSync(x_, False);
    EXPECT_EQ(cat.text(1), "z\n") << d.log();

    const pid_t pid = [&] {
        std::ifstream in(d.folder().path() + "/run/quillon/instance.lock");
        pid_t p = 0;
        in >> p;
        return p;
    }();
    ASSERT_GT(pid, 0);
    ::kill(pid, SIGKILL);
    ASSERT_TRUE(eventually([&] { return quillon_.ended(); }, 500));
    EXPECT_NE(keymap(), original);

    // The next start, with the remapping switched off, finds what the killed one left and puts it back.
    tables.InitVexmap();
    ASSERT_TRUE(tables.SaveVexmap(d.folder().path() + "/data/quillon/QUILN.QLS"));
    TestProcess next;
    d.start(next, {"/HIDE"});
    EXPECT_TRUE(eventually([&] { return keymap() == original; }, 500));
}

}  // namespace
}  // namespace qln::test

namespace qln::test {
namespace {

// Remapping is for the user's keys: a macro types the characters its text says, also those on remapped keys and
// under its held Shift, while the user's own a types the remapped character.
TEST_F(TriggersDesktopTest, MacrosTypeTheirTextOnARemappedKeyboard) {
    Vexmap tables;
    tables.tables()[26] = 0xEA;  // a types ê
    ASSERT_TRUE(tables.SaveVexmap(d.folder().path() + "/data/quillon/QUILN.QLS"));
    writeMacros(macroFile(), {macro("Regards", kCtrlAltB, ScopeGlobal,
                                    "Best regards, caf\xE9<ENTER><SHFD>abc<SHFU>def<ENTER><CTLD>a<CTLU>")});
    Cat cat(d.display(), "the cat", d.folder().file("cat.txt"));
    ASSERT_NE(windowOf("the cat"), 0u);
    const unsigned aKey = XKeysymToKeycode(x_, XK_a);  // remapped soon: no key has a then
    startQuillon();
    front("the cat");
    physicalKeys({XK_Control_L, XK_Alt_L, XK_b});
    EXPECT_EQ(cat.text(2), "Best regards, caf\xC3\xA9\nABCdef\n") << d.log();
    UserKeyboard user(x_);
    user.keycode(aKey, true);
    user.keycode(aKey, false);
    physicalKeys({XK_Return});
    // Ctrl+A went to the terminal as ^A, which cat keeps: a command on the key, not the character ê.
    EXPECT_EQ(cat.text(3), "Best regards, caf\xC3\xA9\nABCdef\n\x01\xC3\xAA\n") << d.log();
    EXPECT_TRUE(eventually([&] { return keysDown().empty(); }, 100)) << keysDown();
}

}  // namespace
}  // namespace qln::test

namespace qln::test {
namespace {

// Hot keys another program took are named in one message, which does not hold up the hot keys that work.
TEST_F(TriggersDesktopTest, TakenHotKeysAreNamedInOneMessageThatDoesNotBlockTheOthers) {
    for (const KeySym sym : {XK_j, XK_k})
        XGrabKey(x_, XKeysymToKeycode(x_, sym), ControlMask | Mod1Mask, DefaultRootWindow(x_), False, GrabModeAsync,
                 GrabModeAsync);
    XSync(x_, False);
    writeMacros(macroFile(), {macro("Hello", kCtrlAltH, ScopeGlobal, "hello<ENTER>"),
                              macro("Taken", kCtrlAltJ, ScopeGlobal, "j<ENTER>"),
                              macro("Also taken", kCtrlAltK, ScopeGlobal, "k<ENTER>")});
    Cat cat(d.display(), "the cat", d.folder().file("cat.txt"));
    ASSERT_NE(windowOf("the cat"), 0u);
    startQuillon();
    ASSERT_NE(windowOf("Warning"), 0u) << d.log();
    EXPECT_EQ(d.windowsNamed("Warning").size(), 1u);
    front("the cat");
    physicalKeys({XK_Control_L, XK_Alt_L, XK_h});
    EXPECT_EQ(cat.text(1), "hello\n") << d.log();
    EXPECT_EQ(d.windowsNamed("Warning").size(), 1u);
}

}  // namespace
}  // namespace qln::test
