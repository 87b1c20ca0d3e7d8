// The whole way from the command line to a real terminal: qlntool types into a focused xterm running cat, with
// the keyboard set up the way users have it (Caps Lock, held keys, AltGr levels, a second layout, Num Lock off).
#include <gtest/gtest.h>
// X11 after GoogleTest: its macros (None, Bool) clash with GoogleTest's names.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "DesktopSession.h"
#include "core/Win1252.h"
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

    // What cat has written so far, once it holds `lines` whole lines (at most `seconds`).
    std::string linesWritten(int lines, int seconds = 10) const {
        std::string s;
        eventually(
            [&] {
                std::ifstream in(file_, std::ios::binary);
                std::ostringstream text;
                text << in.rdbuf();
                s = text.str();
                return std::count(s.begin(), s.end(), '\n') >= lines;
            },
            seconds * 50);
        return s;
    }

private:
    std::string file_;
    pid_t pid_ = -1;
};

std::string quoted(const std::string& s) {
    std::string q = "'";
    for (const char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// A focused xterm running cat on a private server with a window manager.
class XtermTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(s.wmReady()) << "openbox did not start";
        term = std::make_unique<CatTerminal>(s.x, "Quillon cat", folder.path() + "/typed.txt");
        WindowHandle w = 0;
        ASSERT_TRUE(eventually([&] { return (w = xd.windows().findWindow("Quillon cat")) != 0; }, 500));
        ASSERT_TRUE(eventually([&] { return xd.windows().setForegroundWindow(w); }));
    }

    int play(const std::string& macroUtf8) {
        return std::system(
            ("DISPLAY=" + s.x.display() + " " + QLN_QLNTOOL + " play --x11 --text " + quoted(macroUtf8)).c_str());
    }
    int shell(const std::string& command) { return std::system(("DISPLAY=" + s.x.display() + " " + command).c_str()); }
    bool keyDown(const char* keysym) {
        Display* d = xd.display().get();
        char keys[32] = {};
        XQueryKeymap(d, keys);
        const KeyCode kc = XKeysymToKeycode(d, XStringToKeysym(keysym));
        return (keys[kc / 8] & (1 << (kc % 8))) != 0;
    }
    unsigned lockedMods() {
        XkbStateRec state{};
        XkbGetState(xd.display().get(), XkbUseCoreKbd, &state);
        return state.locked_mods;
    }

    Session s;
    TempFolder folder;
    x11::X11Desktop xd{s.x.display()};
    std::unique_ptr<CatTerminal> term;
};

TEST_F(XtermTest, HelloWorldArrivesInCatWithCapsLockOffAndOn) {
    ASSERT_EQ(play("Hello, World! \xC3\xA9<ENTER>"), 0);
    EXPECT_EQ(term->linesWritten(1), "Hello, World! \xC3\xA9\n");

    XkbLockModifiers(xd.display().get(), XkbUseCoreKbd, LockMask, LockMask);
    xd.display().sync();
    ASSERT_EQ(play("Hello, World! \xC3\xA9<ENTER>"), 0);
    EXPECT_EQ(term->linesWritten(2), "Hello, World! \xC3\xA9\nHello, World! \xC3\xA9\n");
    EXPECT_EQ(lockedMods() & LockMask, unsigned(LockMask));
}

TEST_F(XtermTest, TwoHundredCharactersOutsideTheKeymapArriveAsTypedEveryTime) {
    // Every character of the code page the US keymap lacks, many more than there are spare keycodes, shuffled.
    std::vector<std::string> chars;
    for (int b = 0xA0; b <= 0xFF; ++b) chars.push_back(win1252ToUtf8(std::string(1, static_cast<char>(b))));
    for (int b = 0x80; b < 0xA0; ++b)
        if (win1252ToCodePoint(static_cast<unsigned char>(b)) >= 0x100)
            chars.push_back(win1252ToUtf8(std::string(1, static_cast<char>(b))));
    std::mt19937 rng(11);
    std::string expected;
    for (int run = 1; run <= 3; ++run) {
        std::shuffle(chars.begin(), chars.end(), rng);
        std::string text;
        for (int i = 0; i < 200; ++i) text += chars[static_cast<std::size_t>(i) % chars.size()];
        ASSERT_EQ(play(text + "<ENTER>"), 0);
        expected += text + "\n";
        EXPECT_EQ(term->linesWritten(run), expected) << "run " << run;
    }
}

TEST_F(XtermTest, KeypadTagsTypeDigitsWhateverNumLockAndLeaveItAsItWas) {
    const unsigned numLock = xd.keymap().numLockMask();
    ASSERT_NE(numLock, 0u);
    ASSERT_EQ(lockedMods() & numLock, 0u);
    ASSERT_EQ(play("<KEYP1><KEYP+><KEYP.><KEYP0><KEYP9><ENTER>"), 0);
    EXPECT_EQ(term->linesWritten(1), "1+.09\n");
    EXPECT_EQ(lockedMods() & numLock, 0u);

    XkbLockModifiers(xd.display().get(), XkbUseCoreKbd, numLock, numLock);
    xd.display().sync();
    ASSERT_EQ(play("<KEYP7><KEYP.><ENTER>"), 0);
    EXPECT_EQ(term->linesWritten(2), "1+.09\n7.\n");
    EXPECT_EQ(lockedMods() & numLock, numLock);
}

// Held through XTest (xdotool here, an on-screen keyboard or a remote desktop for a user): let go while the macro
// types and not pressed again, since that program may let go of it meanwhile and nobody would release our copy.
TEST_F(XtermTest, ModifiersAnotherProgramHoldsDoNotChangeTheTextAndAreNotPressedAgain) {
    for (const char* held : {"shift", "ctrl", "alt"}) {
        ASSERT_EQ(shell(std::string("xdotool keydown ") + held), 0);
        ASSERT_EQ(play("hello 123 \xC3\xA9<ENTER>"), 0);
        EXPECT_FALSE(keyDown(held == std::string("shift") ? "Shift_L" : held == std::string("ctrl") ? "Control_L" : "Alt_L"))
            << held;
        ASSERT_EQ(shell(std::string("xdotool keyup ") + held), 0);
    }
    EXPECT_EQ(term->linesWritten(3), "hello 123 \xC3\xA9\nhello 123 \xC3\xA9\nhello 123 \xC3\xA9\n");
}

TEST_F(XtermTest, HighCharactersUnderAMacrosAltAreTypedAsThemselves) {
    ASSERT_EQ(play("<ALTD>\xC3\xA9<ALTU>x<ALT>\xC3\xB1<ALT><ENTER>"), 0);
    EXPECT_EQ(term->linesWritten(1), "\xC3\xA9x\xC3\xB1\n");
}

// A watcher of the keymap: did anything remap a key while it watched?
class MappingWatch {
public:
    explicit MappingWatch(const std::string& display) : d_(XOpenDisplay(display.c_str())) { XSync(d_, True); }
    ~MappingWatch() { XCloseDisplay(d_); }
    int changes() {
        int n = 0;
        XSync(d_, False);
        while (XPending(d_) > 0) {
            XEvent e;
            XNextEvent(d_, &e);
            n += e.type == MappingNotify;
        }
        return n;
    }

private:
    Display* d_;
};

TEST_F(XtermTest, AltGrCharactersOfTheLayoutUseTheirLevelWithoutRemapping) {
    // A German-style layout: these characters exist only on the AltGr level of other keys.
    ASSERT_EQ(shell("xmodmap -e 'keycode 11 = 2 quotedbl 2 quotedbl twosuperior' -e 'keycode 24 = q Q q Q at'"
                    " -e 'keycode 16 = 7 slash 7 slash braceleft' -e 'keycode 17 = 8 parenleft 8 parenleft bracketleft'"
                    " -e 'keycode 18 = 9 parenright 9 parenright bracketright' -e 'keycode 19 = 0 equal 0 equal braceright'"
                    " -e 'keycode 34 = udiaeresis Udiaeresis' -e 'keycode 35 = plus asterisk plus asterisk asciitilde'"
                    " -e 'keycode 51 = numbersign apostrophe numbersign apostrophe' -e 'keycode 94 = less greater less greater bar'"
                    " -e 'keycode 20 = ssharp question ssharp question backslash'"),
              0);
    MappingWatch watch(s.x.display());
    ASSERT_EQ(play("a@b[c]d{e}f|g\\h~i\xC3\xBC<ENTER>"), 0);
    EXPECT_EQ(term->linesWritten(1), "a@b[c]d{e}f|g\\h~i\xC3\xBC\n");
    EXPECT_EQ(watch.changes(), 0) << "characters of the layout went through spare keycodes";
}

TEST_F(XtermTest, TypingFollowsTheActiveLayoutOfTwo) {
    // A second layout with Cyrillic letters on the keys of the text, and it is the active one: no Latin letter
    // of the text is on a level of the active layout.
    ASSERT_EQ(shell("xmodmap -e 'keycode 43 = h H Cyrillic_er Cyrillic_ER' -e 'keycode 26 = e E Cyrillic_ie Cyrillic_IE'"
                    " -e 'keycode 46 = l L Cyrillic_de Cyrillic_DE' -e 'keycode 32 = o O Cyrillic_shcha Cyrillic_SHCHA'"
                    " -e 'keycode 25 = w W Cyrillic_tse Cyrillic_TSE' -e 'keycode 27 = r R Cyrillic_ka Cyrillic_KA'"
                    " -e 'keycode 40 = d D Cyrillic_ve Cyrillic_VE'"),
              0);
    XkbLockGroup(xd.display().get(), XkbUseCoreKbd, 1);
    xd.display().sync();
    ASSERT_EQ(play("Hello, World!<ENTER>"), 0);
    EXPECT_EQ(term->linesWritten(1), "Hello, World!\n");
    XkbStateRec state{};
    XkbGetState(xd.display().get(), XkbUseCoreKbd, &state);
    EXPECT_EQ(state.locked_group, 1) << "the user's layout must stay the active one";
}

}  // namespace
}  // namespace qln::test
