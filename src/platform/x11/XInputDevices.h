#pragma once

#include <bitset>
#include <vector>

#include "platform/x11/X11Display.h"

namespace qln::x11 {

// The server's input devices behind the core keyboard and pointer: the keyboards and mice the user has, and the
// XTest devices every synthetic event comes from (ours and any other program's).  Their own key and button
// states tell what the user physically holds apart from what synthetic input holds.
class XInputDevices {
public:
    explicit XInputDevices(X11Display& display);
    bool available() const { return available_; }

    // Keys held (one bit per keycode) and buttons held (bit n: button n) on the XTest devices.
    std::bitset<256> xtestKeys() const;
    std::bitset<32> xtestButtons() const;
    // Keys held on the user's own keyboards.
    std::bitset<256> physicalKeys() const;

private:
    struct Device {
        unsigned long id = 0;
        bool keyboard = false;
        bool xtest = false;
    };
    void keysOf(const Device& device, std::bitset<256>* keys, std::bitset<32>* buttons) const;

    X11Display& display_;
    bool available_ = false;
    std::vector<Device> devices_;
};

}  // namespace qln::x11
