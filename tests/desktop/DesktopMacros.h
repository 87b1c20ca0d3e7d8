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
#include "x11/UserKeyboard.h"
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
