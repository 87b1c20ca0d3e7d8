// Macros typed on a real X server (Xvfb) into a client that records what it receives.
#include <gtest/gtest.h>
// X11 after GoogleTest: its macros (None, Bool) clash with GoogleTest's names.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "Recorder.h"
#include "XvfbSession.h"

namespace qln::test {
namespace {

bool capsLock(const XvfbSession& x, bool set, bool on) {
    Display* d = XOpenDisplay(x.display().c_str());
    if (set) XkbLockModifiers(d, XkbUseCoreKbd, LockMask, on ? LockMask : 0);
    XSync(d, False);
    XkbStateRec state{};
    XkbGetState(d, XkbUseCoreKbd, &state);
    const bool locked = (state.locked_mods & LockMask) != 0;
    XCloseDisplay(d);
    return locked;
}

TEST(X11Typing, TextWithPunctuationAndAnAccentArrivesAsTyped) {
    XvfbSession x;
    EXPECT_EQ(typeInto(x, "Hello, World! \xC3\xA9<ENTER>"), "Hello, World! \xC3\xA9\n");
}

TEST(X11Typing, CapsLockOnStillTypesTheRightCaseAndStaysOn) {
    XvfbSession x;
    ASSERT_TRUE(capsLock(x, true, true));
    EXPECT_EQ(typeInto(x, "Hello, World! \xC3\xA9<ENTER>"), "Hello, World! \xC3\xA9\n");
    EXPECT_TRUE(capsLock(x, false, false));
}

TEST(X11Typing, UpperAndLowerCaseOutsideTheKeymapStayApart) {
    // Each goes through a spare keycode of its own holding the one symbol on both levels.
    XvfbSession x;
    const std::string text = "\xC3\x89\xC3\xA9 \xC3\xA9\xC3\x89 \xC3\x91\xC3\xB1 \xC5\x92\xC5\x93";  // É é, Ñ ñ, Œ œ
    EXPECT_EQ(typeInto(x, text), text);
}

TEST(X11Typing, EveryPrintableCharacterAndSomeOutsideTheKeymap) {
    XvfbSession x;
    std::string ascii;
    for (char c = 0x20; c < 0x7F; ++c)
        if (c != '<') ascii += c;
    const std::string extra = "\xE2\x82\xAC \xC3\xB1 \xC3\x9F \xC5\x93";  // euro, n tilde, sharp s, oe
    EXPECT_EQ(typeInto(x, ascii + "<" + extra), ascii + "<" + extra);
}

TEST(X11Typing, MouseButtonsAndWheelReachTheWindowUnderThePointer) {
    // The recorder's window is at the top left of the screen.
    XvfbSession x;
    EXPECT_EQ(typeInto(x, "<MMS:00050,00040><LCLK><RCLK><MCLK><WFW:002><WBW:001><RIGHT MOUSE>x"),
              "{1}{3}{2}{4}{4}{5}{3}x");
}

TEST(X11Typing, PointerMovesLandOnTheExactPixel) {
    XvfbSession x;
    for (const char* macro : {"<MMS:00100,00200>", "<MMS:01023,00767>", "<MMS:00000,00000>", "<MMS:00517,00003>"}) {
        const std::string text = macro;
        ASSERT_EQ(std::system(("DISPLAY=" + x.display() + " " + QLN_QLNTOOL + " play --x11 --text '" + text + "'").c_str()), 0);
        Display* d = XOpenDisplay(x.display().c_str());
        Window root = 0, child = 0;
        int rx = -1, ry = -1, wx = 0, wy = 0;
        unsigned mask = 0;
        XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rx, &ry, &wx, &wy, &mask);
        XCloseDisplay(d);
        EXPECT_EQ(std::to_string(rx) + "," + std::to_string(ry),
                  std::to_string(std::stoi(text.substr(5, 5))) + "," + std::to_string(std::stoi(text.substr(11, 5))))
            << macro;
    }
}

TEST(X11Typing, TextPutOnTheClipboardIsPastedByTheFocusedProgram) {
    // The paste request reaches qlntool while the macro waits after Ctrl+V: its event loop answers it.
    XvfbSession x;
    EXPECT_EQ(typeInto(x, "<BEGCLIP>pasted \xC3\xA9 \xE2\x82\xAC<ENDCLIP>a<CLIPP>b"), "a[pasted \xC3\xA9 \xE2\x82\xAC]b");
}

}  // namespace
}  // namespace qln::test
