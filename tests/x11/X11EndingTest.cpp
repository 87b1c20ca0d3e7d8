// However qlntool ends on a real server (the macro's end, an abort, a termination signal, being killed), it leaves
// no key of ours held that the language does not hold, and no keycode remapped; a start cleans up after a
// predecessor that was killed.  And typing holds up when the keymap is busy.
#include <gtest/gtest.h>
// X11 after GoogleTest: its macros (None, Bool) clash with GoogleTest's names.
#include <X11/Xlib.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>

#include "DesktopSession.h"
#include "Recorder.h"
#include "TestProcess.h"
#include "XvfbSession.h"
#include "core/Win1252.h"
#include "support/TempFolder.h"

namespace qln::test {
namespace {

class X11Ending : public ::testing::Test {
protected:
    X11Ending() : d(XOpenDisplay(x.display().c_str())) {}
    ~X11Ending() override { XCloseDisplay(d); }

    // Starts qlntool play --x11 with the macro; the notes of what it holds go to a folder of this test.
    void start(TestProcess& p, const std::string& macro, const std::string& extra = {}) {
        const std::string display = x.display(), runtime = folder.path();
        std::vector<std::string> argv{QLN_QLNTOOL, "play", "--x11", "--text", macro};
        if (!extra.empty()) {
            argv.push_back("--abort-at");
            argv.push_back(extra);
        }
        p.start(argv, [display, runtime] {
            ::setenv("DISPLAY", display.c_str(), 1);
            ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        });
    }
    int run(const std::string& macro, const std::string& abortAt = {}) {
        TestProcess p;
        start(p, macro, abortAt);
        return waitEnd(p, 30);
    }
    static int waitEnd(TestProcess& p, int seconds) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (!p.ended() && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return p.ended() && WIFEXITED(p.status()) ? WEXITSTATUS(p.status()) : -1;
    }
    bool down(const char* keysym) {
        char keys[32] = {};
        XQueryKeymap(d, keys);
        const KeyCode kc = XKeysymToKeycode(d, XStringToKeysym(keysym));
        return (keys[kc / 8] & (1 << (kc % 8))) != 0;
    }
    bool button1Down() {
        Window root = 0, child = 0;
        int rx = 0, ry = 0, wx = 0, wy = 0;
        unsigned mask = 0;
        XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rx, &ry, &wx, &wy, &mask);
        return (mask & Button1Mask) != 0;
    }
    // Keycodes without any symbol: borrowed ones are missing from the count.
    int emptyKeycodes() {
        int min = 0, max = 0, per = 0, n = 0;
        XDisplayKeycodes(d, &min, &max);
        KeySym* map = XGetKeyboardMapping(d, static_cast<KeyCode>(min), max - min + 1, &per);
        for (int kc = 0; kc <= max - min; ++kc) {
            bool empty = true;
            for (int i = 0; i < per; ++i) empty = empty && map[kc * per + i] == NoSymbol;
            n += empty;
        }
        XFree(map);
        return n;
    }

    XvfbSession x;
    TempFolder folder;
    Display* d;
};

struct SignalCase {
    int signal;
    int exitCode;
};

class X11EndingBySignal : public X11Ending, public ::testing::WithParamInterface<SignalCase> {};

TEST_P(X11EndingBySignal, StopsAtOnceLettingGoOfKeysAndKeycodes) {
    const int empty = emptyKeycodes();
    TestProcess p;
    start(p, "<SHFD><CTLD>a\xC3\xA9<LDN><DELAY:20.00>b");
    ASSERT_TRUE(eventually([&] { return down("Shift_L") && down("Control_L") && emptyKeycodes() < empty; }));
    const auto sent = std::chrono::steady_clock::now();
    ::kill(p.pid(), GetParam().signal);
    EXPECT_EQ(waitEnd(p, 10), GetParam().exitCode);
    EXPECT_LT(std::chrono::steady_clock::now() - sent, std::chrono::seconds(3));
    EXPECT_FALSE(down("Shift_L"));
    EXPECT_FALSE(down("Control_L"));
    EXPECT_FALSE(button1Down());
    EXPECT_EQ(emptyKeycodes(), empty);
}

INSTANTIATE_TEST_SUITE_P(Signals, X11EndingBySignal,
                         ::testing::Values(SignalCase{SIGINT, 130}, SignalCase{SIGTERM, 143}, SignalCase{SIGHUP, 129}));

TEST_F(X11Ending, AStartUndoesWhatAKilledPredecessorLeft) {
    const int empty = emptyKeycodes();
    TestProcess p;
    start(p, "<SHFD><CTLD>a\xC3\xA9<LDN><DELAY:20.00>b");
    ASSERT_TRUE(eventually([&] { return down("Shift_L") && button1Down() && emptyKeycodes() < empty; }));
    ::kill(p.pid(), SIGKILL);
    waitEnd(p, 10);
    ASSERT_TRUE(down("Shift_L"));  // what a kill leaves ...
    ASSERT_LT(emptyKeycodes(), empty);
    ASSERT_EQ(run(""), 0);  // ... the next start undoes
    EXPECT_FALSE(down("Shift_L"));
    EXPECT_FALSE(down("Control_L"));
    EXPECT_FALSE(button1Down());
    EXPECT_EQ(emptyKeycodes(), empty);
}

TEST_F(X11Ending, HeldModifiersOfANormalEndStayDownAndAreNotUndoneByTheNextStart) {
    ASSERT_EQ(run("<SHFD>x"), 0);
    EXPECT_TRUE(down("Shift_L"));
    ASSERT_EQ(run("y<SHFU>"), 0);
    EXPECT_FALSE(down("Shift_L"));
}

TEST_F(X11Ending, OneShotModifiersAtTheEndAreReleased) {
    for (const char* macro : {"a<SHIFT>", "<CTRL>", "<ALT>", "b<SHIFT><CTRL><ALT>"}) {
        ASSERT_EQ(run(macro), 0) << macro;
        EXPECT_FALSE(down("Shift_L") || down("Control_L") || down("Alt_L")) << macro;
    }
}

TEST_F(X11Ending, AbortAtLetsGoOfWhatTheMacroHolds) {
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(run("<SHFD><LDN>a<DELAY:01.00>b<DELAY:20.00>", "300"), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_FALSE(down("Shift_L"));
    EXPECT_FALSE(button1Down());
}

TEST_F(X11Ending, ADisplayThatCannotBeOpenedIsNamed) {
    const std::string out = folder.file("out.txt");
    const std::string cmd = std::string(QLN_QLNTOOL) + " play --x11 --text a > " + out + " 2>&1";
    EXPECT_NE(std::system(("DISPLAY=:7999 " + cmd).c_str()), 0);
    EXPECT_EQ(folder.read("out.txt"), "qlntool play: cannot open the X display \":7999\"\n");
    EXPECT_NE(std::system(("env -u DISPLAY " + cmd).c_str()), 0);
    EXPECT_EQ(folder.read("out.txt"), "qlntool play: no X display to use: the DISPLAY variable is not set\n");
}

TEST_F(X11Ending, ManyCharactersOutsideTheKeymapReachAClientThatReadsTheKeymapLate) {
    // The recorder asks the server for a key's symbols only when it handles the key: a keycode remapped too
    // early shows at once.
    std::string all;
    for (int b = 0x80; b <= 0xFF; ++b)
        if (win1252ToCodePoint(static_cast<unsigned char>(b)) >= 0xA0) all += static_cast<char>(b);
    std::string text;
    std::mt19937 rng(5);
    for (int i = 0; i < 200; ++i) text += all[rng() % all.size()];
    EXPECT_EQ(typeInto(x, win1252ToUtf8(text)), win1252ToUtf8(text));
}

TEST_F(X11Ending, AnotherProgramChangingTheKeymapWhileWeTypeChangesNothing) {
    // Another program flips the symbols of a key of its own all the while.
    TestProcess flipper;
    const std::string display = x.display();
    flipper.start({"sh", "-c",
                   "while :; do xmodmap -e 'keycode 191 = F13' -e 'keycode 192 = F14'; "
                   "xmodmap -e 'keycode 191 = F14' -e 'keycode 192 = F13'; done"},
                  [display] { ::setenv("DISPLAY", display.c_str(), 1); });
    std::string text;
    std::mt19937 rng(9);
    const std::string plain = "abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ,.0123456789";
    const char* extra[] = {"\xC3\xA9", "\xC3\xB1", "\xC3\x9F", "\xC5\x93", "\xE2\x82\xAC"};
    for (int i = 0; i < 1000; ++i) text += i % 10 == 9 ? std::string(extra[rng() % 5]) : std::string(1, plain[rng() % plain.size()]);
    EXPECT_EQ(typeInto(x, text), text);
}

}  // namespace
}  // namespace qln::test
