#pragma once

// The server's own keyboard, as a user's hand, for tests and benchmarks on a private X server.
#include <X11/Xlib.h>
#include <X11/extensions/XInput.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace qln::test {

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
    // Pressed in this order, released in the opposite one, as a hand does (held a moment unless `hold` is false).
    void chord(const std::vector<KeySym>& syms, bool hold = true) {
        for (const KeySym sym : syms) key(sym, true);
        if (hold) std::this_thread::sleep_for(std::chrono::milliseconds(30));
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

}  // namespace qln::test
