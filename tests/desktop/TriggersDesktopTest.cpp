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

#include "QuillonSession.h"

namespace qln::test {
namespace {

class Quiet : public INotices {
public:
    void notice(std::string_view, std::string_view) override {}
};

MacroRecord macro(const std::string& nickname, std::uint16_t code, std::int16_t scope, const std::string& text) {
    MacroRecord r;
    r.nickname = nickname;
    r.hotKeyCode = code;
    r.scope = scope;
    r.active = 1;
    r.setText(text);
    return r;
}

// Macros 5.. of the default file (1..4 are the system macros).
void writeMacros(const std::string& path, std::vector<MacroRecord> records) {
    Quiet quiet;
    sim::SimDesktop scratch{{}};
    TriggerTable table;
    MacroNames names;
    MacroTable macros(table, names, scratch.hook());
    MacroFile file(macros, scratch.clock(), quiet);
    file.load(path);
    int n = 5;
    for (const MacroRecord& r : records) file.store(n++, r);
}

// xterm whose cat hands every line to a file.
class Cat {
public:
    Cat(const std::string& display, const std::string& title, std::string file) : file_(std::move(file)) {
        const std::string command = "exec cat > '" + file_ + "'";
        p_.start({"xterm", "-T", title, "-e", "sh", "-c", command}, [display] { ::setenv("DISPLAY", display.c_str(), 1); });
    }
    std::string text(std::size_t lines, int seconds = 10) const {
        std::string s;
        eventually(
            [&] {
                std::ifstream in(file_, std::ios::binary);
                std::ostringstream all;
                all << in.rdbuf();
                s = all.str();
                return static_cast<std::size_t>(std::count(s.begin(), s.end(), '\n')) >= lines;
            },
            seconds * 50);
        return s;
    }

private:
    std::string file_;
    TestProcess p_;
};

class TriggersDesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(d.folder().path() + "/data/quillon");
        x_ = XOpenDisplay(d.display().c_str());
        ASSERT_NE(x_, nullptr);
    }
    void TearDown() override {
        if (x_ != nullptr) XCloseDisplay(x_);
    }
    std::string macroFile() { return d.folder().path() + "/data/quillon/QUILN.QLN"; }

    void startQuillon() {
        d.start(quillon_);
        // Up once its window is there: its hot keys were grabbed before.
        ASSERT_TRUE(eventually([&] { return !d.windowsNamed("Quillon (").empty(); }, 1000)) << d.log();
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    Window windowOf(const std::string& title) {
        Window w = 0;
        eventually([&] { return (w = d.windowsNamed(title).empty() ? 0 : d.windowsNamed(title).front()) != 0; }, 500);
        return w;
    }
    void front(const std::string& title) {
        d.xdotool("windowactivate --sync " + std::to_string(windowOf(title)));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    // No key of the keyboard is down, modifiers included.
    std::string keysDown() {
        char keys[32] = {};
        XQueryKeymap(x_, keys);
        std::string down;
        for (int k = 8; k < 256; ++k)
            if ((keys[k / 8] & (1 << (k % 8))) != 0) down += std::to_string(k) + " ";
        return down;
    }
    // A key of the server's own keyboard: what the hook library takes for the user's hand, not for XTest.
    void physicalKey(KeySym sym) { physicalKeys({sym}); }
    // Pressed in this order, released in the opposite one, as a hand does.
    void physicalKeys(const std::vector<KeySym>& syms) {
        int count = 0;
        XIDeviceInfo* info = XIQueryDevice(x_, XIAllDevices, &count);
        XDevice* keyboard = nullptr;
        for (int i = 0; i < count && keyboard == nullptr; ++i)
            if ((info[i].use == XISlaveKeyboard || info[i].use == XIFloatingSlave) &&
                std::strstr(info[i].name, "XTEST") == nullptr && std::strstr(info[i].name, "keyboard") != nullptr)
                keyboard = XOpenDevice(x_, static_cast<XID>(info[i].deviceid));
        XIFreeDeviceInfo(info);
        ASSERT_NE(keyboard, nullptr);
        for (const KeySym sym : syms)
            XTestFakeDeviceKeyEvent(x_, keyboard, XKeysymToKeycode(x_, sym), True, nullptr, 0, CurrentTime);
        XSync(x_, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        for (auto sym = syms.rbegin(); sym != syms.rend(); ++sym)
            XTestFakeDeviceKeyEvent(x_, keyboard, XKeysymToKeycode(x_, *sym), False, nullptr, 0, CurrentTime);
        XSync(x_, False);
        XCloseDevice(x_, keyboard);
    }

    QuillonDesktop d;
    Display* x_ = nullptr;
    TestProcess quillon_;
};

constexpr std::uint16_t kCtrlAltH = 151, kCtrlAltJ = 153, kCtrlAltK = 154, kCtrlAltL = 155;

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
    EXPECT_EQ(first.text(2), "hello\n\xC2\x88window\n");
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
