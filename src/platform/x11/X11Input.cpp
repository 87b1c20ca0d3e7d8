#include "platform/x11/X11Input.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cstdlib>

#include "core/Win1252.h"

namespace qln::x11 {

namespace {
constexpr std::uint8_t kAlt = 18, kShift = 16, kKeypad0 = 96, kKeypad9 = 105;
}

void X11Input::sendKeycode(std::uint8_t keycode, bool up) {
    if (keycode == 0) return;
    XTestFakeKeyEvent(display_.get(), keycode, up ? False : True, CurrentTime);
    XSync(display_.get(), False);
}

void X11Input::sendKey(std::uint8_t vk, bool up) { sendKeycode(keymap_.keycode(vk), up); }

void X11Input::flushAlt() {
    if (!altHeld_) return;
    altHeld_ = false;
    sendKey(kAlt, false);
    for (const char d : altDigits_) {
        const auto vk = static_cast<std::uint8_t>(kKeypad0 + (d - '0'));
        sendKey(vk, false);
        sendKey(vk, true);
    }
    altDigits_.clear();
}

void X11Input::typeCharacter(char32_t ch) {
    const X11Keymap::Stroke s = keymap_.strokeFor(ch);
    if (s.keycode == 0) return;
    if (s.shift) sendKey(kShift, false);
    sendKeycode(s.keycode, false);
    sendKeycode(s.keycode, true);
    if (s.shift) sendKey(kShift, true);
}

void X11Input::keyEvent(std::uint8_t vk, std::uint8_t, bool up) {
    if (vk == kAlt && !up && !altHeld_) {
        altHeld_ = true;
        altDigits_.clear();
        return;
    }
    if (altHeld_) {
        if (vk >= kKeypad0 && vk <= kKeypad9) {
            if (!up) altDigits_ += static_cast<char>('0' + (vk - kKeypad0));
            return;
        }
        if (vk == kAlt && up && !altDigits_.empty()) {
            // An Alt code: "0" then the Windows-1252 value; without the leading zero the old console code page
            // would be meant, which X cannot know, so the same table is used.
            altHeld_ = false;
            const int code = std::atoi(altDigits_.c_str()) & 0xFF;
            altDigits_.clear();
            if (code != 0) typeCharacter(win1252ToCodePoint(static_cast<unsigned char>(code)));
            return;
        }
        flushAlt();
    }
    if (vk == 2 || vk == 4) {  // mouse buttons sent as keys
        XTestFakeButtonEvent(display_.get(), vk == 2 ? 3 : 2, up ? False : True, CurrentTime);
        XSync(display_.get(), False);
        return;
    }
    sendKey(vk, up);
}

void X11Input::mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t wheel) {
    flushAlt();
    Display* d = display_.get();
    auto button = [d](unsigned b, bool down) { XTestFakeButtonEvent(d, b, down ? True : False, CurrentTime); };
    switch (flags) {
        case mouse::LeftDown: button(1, true); break;
        case mouse::LeftUp: button(1, false); break;
        case mouse::RightDown: button(3, true); break;
        case mouse::RightUp: button(3, false); break;
        case mouse::MiddleDown: button(2, true); break;
        case mouse::MiddleUp: button(2, false); break;
        case mouse::Wheel: {
            // 120 per notch; forward is button 4, backward 5.
            const unsigned b = wheel >= 0 ? 4 : 5;
            for (int n = std::abs(wheel) / 120; n > 0; --n) {
                button(b, true);
                button(b, false);
            }
            break;
        }
        case mouse::AbsoluteMove: {
            const ScreenSize s = primaryScreenSize();
            // To the nearest pixel: a position scaled down to 0..65535 and truncated must come back to itself
            // (100 on a 640-pixel screen is sent as 10239, which is 99.99 pixels).
            auto pixel = [](std::int32_t v, int size) {
                const long long p = (static_cast<long long>(v) * size + 32768) / 65536;
                return static_cast<int>(std::clamp<long long>(p, 0, std::max(size - 1, 0)));
            };
            const int x = pixel(dx, s.width), y = pixel(dy, s.height);
            XTestFakeMotionEvent(d, DefaultScreen(d), x, y, CurrentTime);
            break;
        }
        default:
            break;
    }
    XSync(d, False);
}

ScreenSize X11Input::primaryScreenSize() const {
    Display* d = display_.get();
    return {DisplayWidth(d, DefaultScreen(d)), DisplayHeight(d, DefaultScreen(d))};
}

}  // namespace qln::x11
