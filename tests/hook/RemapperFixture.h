#pragma once

#include <gtest/gtest.h>
// X11 after GoogleTest: its macros (None, Bool) clash with GoogleTest's names.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <stdlib.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "DesktopSession.h"
#include "hook/KeymapLevels.h"
#include "hook/X11Remapper.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11Events.h"
#include "store/Vexmap.h"
#include "support/TempFolder.h"

namespace qln::hook {

// A private server without a window manager (the recorder takes the focus itself) and a runtime folder of the
// test's own for the notes.
class RemapperTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
        ::setenv("DISPLAY", x.display().c_str(), 1);
        display = std::make_unique<x11::X11Display>(x.display());
        events = std::make_unique<x11::X11Events>(*display);
        original = keymap();
    }

    // The whole core keymap, as programs see it.
    std::vector<unsigned long> keymap() const {
        Display* d = display->get();
        int min = 0, max = 0, per = 0;
        XDisplayKeycodes(d, &min, &max);
        KeySym* syms = XGetKeyboardMapping(d, static_cast<KeyCode>(min), max - min + 1, &per);
        std::vector<unsigned long> out(syms, syms + (max - min + 1) * per);
        XFree(syms);
        out.push_back(static_cast<unsigned long>(per));
        return out;
    }

    // The key and level that type the keysym in the layout group now (found in the keymap of now).
    struct Key {
        int keycode = 0;
        bool shift = false;
    };
    Key keyOf(unsigned long keysym, int group = 0) const {
        KeymapLevels keys(display->get());
        for (int kc = keys.minKeycode(); kc <= keys.maxKeycode(); ++kc)
            for (int level = 0; level < 2; ++level)
                if (keys.symbol({std::uint8_t(kc), std::uint8_t(keys.groupOf(kc, group)), std::uint8_t(level)}) ==
                    keysym)
                    return {kc, level == 1};
        ADD_FAILURE() << "no key types keysym " << keysym;
        return {};
    }

    // What the recorder receives from the keys pressed, one after the other.
    std::string typed(const std::vector<Key>& keys) const {
        Display* d = display->get();
        FILE* recorder = nullptr;
        for (int attempt = 0; attempt < 5 && recorder == nullptr; ++attempt) {
            recorder = ::popen(QLN_X11_RECORDER, "r");
            char line[64] = {};
            if (recorder != nullptr &&
                (std::fgets(line, sizeof line, recorder) == nullptr || std::string(line) != "ready\n")) {
                ::pclose(recorder);
                recorder = nullptr;
            }
        }
        if (recorder == nullptr) return "(recorder not ready)";
        const unsigned shift = XKeysymToKeycode(d, XK_Shift_L);
        for (const Key& k : keys) {
            if (k.shift) XTestFakeKeyEvent(d, shift, True, CurrentTime);
            XTestFakeKeyEvent(d, static_cast<unsigned>(k.keycode), True, CurrentTime);
            XTestFakeKeyEvent(d, static_cast<unsigned>(k.keycode), False, CurrentTime);
            if (k.shift) XTestFakeKeyEvent(d, shift, False, CurrentTime);
        }
        const unsigned escape = XKeysymToKeycode(d, XK_Escape);
        XTestFakeKeyEvent(d, escape, True, CurrentTime);
        XTestFakeKeyEvent(d, escape, False, CurrentTime);
        XSync(d, False);
        std::string received;
        char buffer[256];
        while (std::size_t n = std::fread(buffer, 1, sizeof buffer, recorder)) received.append(buffer, n);
        ::pclose(recorder);
        return received;
    }

    // The default tables with some entries changed, by the character each entry stands for.
    static std::array<std::uint8_t, 93> tables(const std::vector<std::pair<char, std::uint8_t>>& changes) {
        const std::array<std::uint8_t, 93> defaults = Vexmap().tables();
        std::array<std::uint8_t, 93> t = defaults;
        for (const auto& [from, to] : changes)
            for (std::size_t i = 0; i < t.size(); ++i)
                if (defaults[i] == static_cast<std::uint8_t>(from)) t[i] = to;
        return t;
    }

    std::vector<std::string> notes() const {
        std::vector<std::string> out;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(runtime.path() + "/quillon", ec))
            out.push_back(e.path().filename().string());
        return out;
    }

    test::TempFolder runtime;
    test::XvfbSession x;
    std::unique_ptr<x11::X11Display> display;
    std::unique_ptr<x11::X11Events> events;
    std::vector<unsigned long> original;
};

}  // namespace qln::hook
