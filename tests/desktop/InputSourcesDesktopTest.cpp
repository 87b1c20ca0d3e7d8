// Triggers from every source of input: keys of the server's own keyboard, and keys that come through XTest
// (xdotool here; on-screen keyboards, remote desktops and other tools alike).  Each text arrives exact, no key
// stays held, typing on while a macro plays lands after it, and a trigger while a macro plays never starts a
// second one inside it.
#include "DesktopMacros.h"

namespace qln::test {
namespace {

// Macro text is Windows-1252 (ë is EB, ü FC, € 80); the terminal hands UTF-8 to cat.

// Ctrl+Alt+letter.
constexpr std::uint16_t ctrlAlt(char letter) { return static_cast<std::uint16_t>(144 + (letter - 'A')); }

class InputSourcesDesktopTest : public TriggerDesktopFixture {
protected:
    void expectNothingHeld() {
        EXPECT_TRUE(eventually([&] { return keysDown().empty(); }, 100)) << "held: " << keysDown() << d.log();
    }
    std::string keysDown() { return qln::test::keysDown(x_); }
};

TEST_F(InputSourcesDesktopTest, HotKeysTypeExactlyFromXdotoolAndFromTheKeyboard) {
    writeMacros(macroFile(), {macro("Hello", ctrlAlt('J'), ScopeGlobal, "Hello World<ENTER>"),
                              macro("Ready", ctrlAlt('R'), ScopeGlobal, "ready<ENTER>"),
                              macro("Signature", ctrlAlt('S'), ScopeGlobal,
                                    "Best regards,<ENTER>Zo\xEB M\xFCller \x80<ENTER>")});
    Cat cat(d.display(), "the cat", d.folder().file("cat.txt"));
    ASSERT_NE(windowOf("the cat"), 0u);
    startQuillon();
    front("the cat");
    std::string want;
    for (const char letter : {'J', 'R', 'S'}) {
        const std::string name(1, static_cast<char>(letter + 32));
        ASSERT_EQ(d.xdotool("key ctrl+alt+" + name), 0);
        want += letter == 'J' ? "Hello World\n" : letter == 'R' ? "ready\n" : "Best regards,\nZoë Müller €\n";
        EXPECT_EQ(cat.text(static_cast<std::size_t>(std::count(want.begin(), want.end(), '\n'))), want) << d.log();
        expectNothingHeld();
        UserKeyboard user(x_);
        user.chord({XK_Control_L, XK_Alt_L, static_cast<KeySym>(XK_a + (letter - 'A'))});
        want += letter == 'J' ? "Hello World\n" : letter == 'R' ? "ready\n" : "Best regards,\nZoë Müller €\n";
        EXPECT_EQ(cat.text(static_cast<std::size_t>(std::count(want.begin(), want.end(), '\n'))), want) << d.log();
        expectNothingHeld();
    }
}

TEST_F(InputSourcesDesktopTest, PrefixSnipwordsWithCapitalsFromXdotoolAndFromTheKeyboard) {
    d.writeSettings("[Snipwords]\nUse Suffix=No\nPrefix Keys=//\n");
    MacroRecord sig = macro("Sig", HotKeySnipword, ScopeGlobal, "Kind regards<ENTER>");
    sig.snipword = "SIG";
    writeMacros(macroFile(), {sig});
    Cat cat(d.display(), "the cat", d.folder().file("cat.txt"));
    ASSERT_NE(windowOf("the cat"), 0u);
    startQuillon();
    front("the cat");
    ASSERT_EQ(d.xdotool("type --delay 40 'xy//SIG'"), 0);
    EXPECT_EQ(cat.text(1), "xyKind regards\n") << d.log();
    expectNothingHeld();
    UserKeyboard user(x_);
    user.type("ab//SIG", 20);
    EXPECT_EQ(cat.text(2), "xyKind regards\nabKind regards\n") << d.log();
    expectNothingHeld();
}

// Typing on through a Snipword's expansion: what comes after the Snipword lands after its text, and a word that
// merely ends in the Snipword ("xsig") is no Snipword.
TEST_F(InputSourcesDesktopTest, TypingOnThroughAnExpansionLandsAfterItInOrder) {
    d.writeSettings("[Snipwords]\nUse Suffix=Yes\n");
    MacroRecord sig = macro("Sig", HotKeySnipword, ScopeGlobal, "Kind regards, Zo\xEB \x80");
    sig.snipword = "sig";
    writeMacros(macroFile(), {sig});
    Cat cat(d.display(), "the cat", d.folder().file("cat.txt"));
    ASSERT_NE(windowOf("the cat"), 0u);
    startQuillon();
    front("the cat");
    UserKeyboard user(x_);
    user.type("a sig b xsig c\n", 20);
    EXPECT_EQ(cat.text(1), "a Kind regards, Zoë €b xsig c\n") << d.log();
    user.type("a sig b xsig c\n", 40);
    EXPECT_EQ(cat.text(2), "a Kind regards, Zoë €b xsig c\na Kind regards, Zoë €b xsig c\n") << d.log();
    expectNothingHeld();
}

TEST_F(InputSourcesDesktopTest, AHotKeyDuringAMacroNeverStartsAnotherInsideIt) {
    writeMacros(macroFile(), {macro("Slow", ctrlAlt('L'), ScopeGlobal, "ab<DELAY:01.00>cd<ENTER>"),
                              macro("Other", ctrlAlt('H'), ScopeGlobal, "xx<ENTER>")});
    Cat cat(d.display(), "the cat", d.folder().file("cat.txt"));
    ASSERT_NE(windowOf("the cat"), 0u);
    startQuillon();
    front("the cat");
    UserKeyboard user(x_);
    // From the keyboard: held back, it plays once the first macro is done.
    user.chord({XK_Control_L, XK_Alt_L, XK_l});
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    user.chord({XK_Control_L, XK_Alt_L, XK_h});
    EXPECT_EQ(cat.text(2), "abcd\nxx\n") << d.log();
    // Through XTest it cannot be held back (our own typing comes that way): it does nothing.
    user.chord({XK_Control_L, XK_Alt_L, XK_l});
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    ASSERT_EQ(d.xdotool("key ctrl+alt+h"), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    user.chord({XK_Control_L, XK_Alt_L, XK_h});
    EXPECT_EQ(cat.text(4), "abcd\nxx\nabcd\nxx\n") << d.log();
    expectNothingHeld();
}

TEST_F(InputSourcesDesktopTest, AShiftTheUserReleasesAfterAHeldShiftLeavesLaterMacrosRight) {
    writeMacros(macroFile(), {macro("Hold", ctrlAlt('Y'), ScopeGlobal, "<SHFD>"),
                              macro("Hello", ctrlAlt('J'), ScopeGlobal, "Hello World<ENTER>")});
    Cat cat(d.display(), "the cat", d.folder().file("cat.txt"));
    ASSERT_NE(windowOf("the cat"), 0u);
    startQuillon();
    front("the cat");
    UserKeyboard user(x_);
    user.chord({XK_Control_L, XK_Alt_L, XK_y});
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    user.chord({XK_Shift_L});
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    user.chord({XK_Control_L, XK_Alt_L, XK_j});
    EXPECT_EQ(cat.text(1), "Hello World\n") << d.log();
    // Another program's XTest keys cannot be held back: the test waits for the first macro before it sends them.
    ASSERT_EQ(d.xdotool("key ctrl+alt+j"), 0);
    EXPECT_EQ(cat.text(2), "Hello World\nHello World\n") << d.log();
    expectNothingHeld();
}

TEST_F(InputSourcesDesktopTest, BurstsOfHotKeysLeaveNoKeyHeld) {
    writeMacros(macroFile(), {macro("Dot", ctrlAlt('K'), ScopeGlobal, "."),
                              macro("Done", ctrlAlt('J'), ScopeGlobal, "<ENTER>done<ENTER>")});
    Cat cat(d.display(), "the cat", d.folder().file("cat.txt"));
    ASSERT_NE(windowOf("the cat"), 0u);
    startQuillon();
    front("the cat");
    ASSERT_EQ(d.xdotool("key --delay 0 --repeat 1000 ctrl+alt+k"), 0);
    expectNothingHeld();
    UserKeyboard user(x_);
    for (int i = 0; i < 100; ++i) {
        user.chord({XK_Control_L, XK_Alt_L, XK_k});
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    user.chord({XK_Control_L, XK_Alt_L, XK_j});
    const std::string text = cat.text(2, 60);
    ASSERT_GE(text.size(), 6u) << d.log();
    EXPECT_EQ(text.substr(text.size() - 6), "\ndone\n") << text;
    // Every press of the keyboard's came out as a macro: they were held back, not lost.
    EXPECT_GE(std::count(text.begin(), text.end(), '.'), 100) << text << d.log();
    expectNothingHeld();
}

}  // namespace
}  // namespace qln::test
