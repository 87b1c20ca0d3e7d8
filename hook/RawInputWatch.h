#pragma once

#include <optional>
#include <set>

#include "platform/x11/X11Display.h"

namespace qln::hook {

// One key or button going down or up on some device, seen before any grab or focus decides who gets it.
struct RawInput {
    enum class Kind { KeyDown, KeyUp, ButtonDown, ButtonUp };
    Kind kind = Kind::KeyDown;
    unsigned detail = 0;     // keycode or button
    bool fromXTest = false;  // synthetic: from an XTest device (our own macros, xdotool, ...)
    bool held = false;       // a key of a keyboard we hold back (grabbed as a device), not a raw event
    bool press() const { return kind == Kind::KeyDown || kind == Kind::ButtonDown; }
    bool key() const { return kind == Kind::KeyDown || kind == Kind::KeyUp; }
};

// XInput 2 raw events of every keyboard and mouse, selected on the root window.  They reach us whatever window
// has the focus and whoever grabs the keyboard, without taking anything from anyone.
class RawInputWatch {
public:
    // Needs XInput 2.2 (raw events for every client while others grab); without it available() is false.
    explicit RawInputWatch(x11::X11Display& display);
    bool available() const { return opcode_ >= 0; }

    // The raw input an event carries, or a key of a keyboard grabbed as a device (HeldBackKeys); nothing for other
    // events.  Notices of added or removed devices are taken here too.
    std::optional<RawInput> read(void* event);

private:
    void readDevices();

    x11::X11Display& display_;
    int opcode_ = -1;
    std::set<int> xtestDevices_;
};

}  // namespace qln::hook
