#pragma once

#include <gtest/gtest.h>

// What the end-to-end tests of Quillon's triggers share: macro files made for them, an xterm whose cat keeps what
// it is typed, and the server's own keyboard as a user's hand.
#include "core/Notices.h"
#include "platform/sim/SimDesktop.h"
#include "store/MacroFile.h"
// X11 after our own headers: its macros (None, Bool) clash with their names.
#include <X11/Xlib.h>
#include <X11/extensions/XInput.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "QuillonSession.h"
#include "x11/DesktopSession.h"
#include "x11/TestProcess.h"

namespace qln::test {

inline namespace desktop {

class Quiet : public INotices {
public:
    void notice(std::string_view, std::string_view) override {}
};

inline MacroRecord macro(const std::string& nickname, std::uint16_t code, std::int16_t scope, const std::string& text) {
    MacroRecord r;
    r.nickname = nickname;
    r.hotKeyCode = code;
    r.scope = scope;
    r.active = 1;
    r.setText(text);
    return r;
}

// Macros 5.. of the default file (1..4 are the system macros).
inline void writeMacros(const std::string& path, std::vector<MacroRecord> records) {
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

// Keys down on the core keyboard, whatever device holds them: "" when none.
inline std::string keysDown(Display* d) {
    char keys[32] = {};
    XQueryKeymap(d, keys);
    std::string down;
    for (int k = 8; k < 256; ++k)
        if ((keys[k / 8] & (1 << (k % 8))) != 0) down += std::to_string(k) + " ";
    return down;
}

// The server's own keyboard: what Quillon takes for the user's hand, not for XTest.  While a macro plays Quillon
// holds it back, off the core keyboard (it floats then).
class UserKeyboard {
public:
    explicit UserKeyboard(Display* d) : d_(d) {
        int count = 0;
        XIDeviceInfo* info = XIQueryDevice(d, XIAllDevices, &count);
        for (int i = 0; i < count && device_ == nullptr; ++i)
            if ((info[i].use == XISlaveKeyboard || info[i].use == XIFloatingSlave) &&
                std::strstr(info[i].name, "XTEST") == nullptr && std::strstr(info[i].name, "keyboard") != nullptr)
                device_ = XOpenDevice(d, static_cast<XID>(info[i].deviceid));
        XIFreeDeviceInfo(info);
    }
    ~UserKeyboard() {
        if (device_ != nullptr) XCloseDevice(d_, device_);
    }
    UserKeyboard(const UserKeyboard&) = delete;
    UserKeyboard& operator=(const UserKeyboard&) = delete;
    bool found() const { return device_ != nullptr; }

    void key(KeySym sym, bool down) {
        XTestFakeDeviceKeyEvent(d_, device_, XKeysymToKeycode(d_, sym), down ? True : False, nullptr, 0, CurrentTime);
        XSync(d_, False);
    }
    void keycode(unsigned kc, bool down) {
        XTestFakeDeviceKeyEvent(d_, device_, kc, down ? True : False, nullptr, 0, CurrentTime);
        XSync(d_, False);
    }
    // Pressed in this order, released in the opposite one, as a hand does.
    void chord(const std::vector<KeySym>& syms) {
        for (const KeySym sym : syms) key(sym, true);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        for (auto sym = syms.rbegin(); sym != syms.rend(); ++sym) key(*sym, false);
    }
    // Types ASCII text at `perSecond` characters a second, capitals with Shift.
    void type(const std::string& text, int perSecond) {
        const auto gap = std::chrono::microseconds(1000000 / perSecond);
        auto next = std::chrono::steady_clock::now();
        for (const char c : text) {
            const bool upper = c >= 'A' && c <= 'Z';
            const KeySym sym = c == '\n' ? XK_Return : c == ' ' ? XK_space : upper ? KeySym(c + 32) : KeySym(c);
            if (upper) key(XK_Shift_L, true);
            key(sym, true);
            key(sym, false);
            if (upper) key(XK_Shift_L, false);
            next += gap;
            std::this_thread::sleep_until(next);
        }
    }

private:
    Display* d_;
    XDevice* device_ = nullptr;
};

// Quillon on a private desktop with its macro file in place, and a connection of the test's own.
class TriggerDesktopFixture : public ::testing::Test {
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
    std::string keysDown() { return qln::test::keysDown(x_); }
    void physicalKey(KeySym sym) { physicalKeys({sym}); }
    void physicalKeys(const std::vector<KeySym>& syms) {
        UserKeyboard keyboard(x_);
        ASSERT_TRUE(keyboard.found());
        keyboard.chord(syms);
    }

    QuillonDesktop d;
    Display* x_ = nullptr;
    TestProcess quillon_;
};

}  // namespace desktop
}  // namespace qln::test
