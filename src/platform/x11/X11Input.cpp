#include "platform/x11/X11Input.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cstdlib>

#include "core/Win1252.h"

namespace qln::x11 {

namespace {
constexpr std::uint8_t kShift = 16, kCtrl = 17;
constexpr int kSyncEvery = 4;

// Keypad digits and the decimal key: what they type depends on Num Lock; Windows' virtual keys always mean the
// digits.
bool isKeypadNumber(std::uint8_t vk) { return (vk >= 96 && vk <= 105) || vk == 110; }
}  // namespace

X11Input::X11Input(X11Display& display, X11Keymap& keymap, SpareKeycodes& spares, XInputDevices& devices,
                   XTestLeftovers& leftovers)
    : display_(display), keymap_(keymap), spares_(spares), devices_(devices), leftovers_(leftovers) {
    spares_.setOnChange([this] { noteLeftovers(); });
}

X11Input::~X11Input() { spares_.setOnChange({}); }

void X11Input::sendKeycode(std::uint8_t keycode, bool down) {
    if (keycode == 0) return;
    XTestFakeKeyEvent(display_.get(), keycode, down ? True : False, CurrentTime);
    ours_[keycode] = down;
}

void X11Input::sendButton(unsigned button, bool down) {
    XTestFakeButtonEvent(display_.get(), button, down ? True : False, CurrentTime);
    if (button < buttons_.size()) buttons_[button] = down;
}

void X11Input::sync() {
    // One round trip per character: the server keeps pace with us, and tells which keys are down meanwhile.
    charsSinceSync_ = 0;
    char keys[32] = {};
    XQueryKeymap(display_.get(), keys);
    for (std::size_t kc = 0; kc < 256; ++kc) serverDown_[kc] = (keys[kc / 8] & (1 << (kc % 8))) != 0;
}

void X11Input::clearUserModifiers() {
    const std::bitset<256> userHeld = serverDown_ & keymap_.modifierKeys() & ~ours_;
    if (userHeld.none()) return;
    const std::bitset<256> physical = devices_.available() ? devices_.physicalKeys() : userHeld;
    for (std::size_t kc = 0; kc < 256; ++kc) {
        if (!userHeld[kc]) continue;
        XTestFakeKeyEvent(display_.get(), static_cast<unsigned>(kc), False, CurrentTime);
        serverDown_[kc] = false;
        auto& list = physical[kc] ? clearedPhysical_ : clearedSynthetic_;
        if (std::find(list.begin(), list.end(), kc) == list.end()) list.push_back(static_cast<std::uint8_t>(kc));
    }
}

void X11Input::restoreUserModifiers() {
    // Modifiers another program held through XTest (an on-screen keyboard, xdotool) are never pressed again: that
    // program may let go of them at any moment, and then nobody would let go of our copy.
    clearedSynthetic_.clear();
    if (clearedPhysical_.empty()) return;
    // A key the user let go of meanwhile must not come back pressed: their keyboards tell.
    const bool known = devices_.available();
    std::vector<std::uint8_t> pressed;
    if (known) {
        const std::bitset<256> physical = devices_.physicalKeys();
        for (const std::uint8_t kc : clearedPhysical_)
            if (physical[kc] && !ours_[kc]) {
                XTestFakeKeyEvent(display_.get(), kc, True, CurrentTime);
                pressed.push_back(kc);
            }
    }
    clearedPhysical_.clear();
    if (pressed.empty()) return;
    // The user may have let go between our look and our press: look again once the press is in.
    XSync(display_.get(), False);
    const std::bitset<256> physical = devices_.physicalKeys();
    for (const std::uint8_t kc : pressed)
        if (!physical[kc]) XTestFakeKeyEvent(display_.get(), kc, False, CurrentTime);
}

void X11Input::followServer() {
    // Keys we hold may have been let go by others since: the user pressing and releasing Shift after "<SHFD>"
    // lets it go on the core keyboard, another XTest client may release it outright.  What the server says
    // counts, and a key still down on the XTest device but up for everyone else is let go there too.
    sync();
    const std::bitset<256> xtest = devices_.available() ? devices_.xtestKeys() : ours_;
    bool released = false;
    for (std::size_t kc = 0; kc < 256; ++kc) {
        if (!ours_[kc]) continue;
        if (!xtest[kc]) {
            ours_[kc] = false;
        } else if (!serverDown_[kc]) {
            XTestFakeKeyEvent(display_.get(), static_cast<unsigned>(kc), False, CurrentTime);
            ours_[kc] = false;
            released = true;
        }
    }
    if (released) sync();
}

void X11Input::typeExactly(const X11Keymap::Stroke& s, bool keepCommands) {
    std::vector<std::uint8_t> held;
    for (std::size_t kc = 0; kc < 256; ++kc) {
        if (!ours_[kc] || !keymap_.isModifierKey(static_cast<std::uint8_t>(kc))) continue;
        // Ctrl, Alt and Super the macro holds stay for a command ("<CTLD>a" is Ctrl+A on whatever key types a).
        if (keepCommands && kc != keymap_.shiftKeycode() && kc != keymap_.level3Keycode()) continue;
        held.push_back(static_cast<std::uint8_t>(kc));
        sendKeycode(static_cast<std::uint8_t>(kc), false);
    }
    if (s.shift) sendKeycode(keymap_.shiftKeycode(), true);
    if (s.level3) sendKeycode(keymap_.level3Keycode(), true);
    sendKeycode(s.keycode, true);
    sendKeycode(s.keycode, false);
    if (s.level3) sendKeycode(keymap_.level3Keycode(), false);
    if (s.shift) sendKeycode(keymap_.shiftKeycode(), false);
    for (const std::uint8_t kc : held) sendKeycode(kc, true);
}

void X11Input::typeUnicode(char32_t ch, bool exact) {
    clearUserModifiers();
    if (const auto s = keymap_.find(ch)) {
        if (exact || s->level3) {
            typeExactly(*s);
        } else {
            // As Windows types it: the layout's Shift if the character needs it; a Shift or Ctrl the macro holds
            // stays (so "<CTLD>c" is Ctrl+C).
            const std::uint8_t shift = keymap_.shiftKeycode();
            const bool pressShift = s->shift && !ours_[shift];
            if (pressShift) sendKeycode(shift, true);
            sendKeycode(s->keycode, true);
            sendKeycode(s->keycode, false);
            if (pressShift) sendKeycode(shift, false);
        }
    } else {
        // Not on the layout (or on a key the user has remapped): a spare keycode, which knows no Shift of its own.
        // A letter under the macro's held Shift comes out as its capital, as a Shift and a letter key give it.
        const bool shifted = !exact && ours_[keymap_.shiftKeycode()] && ch >= 'a' && ch <= 'z';
        const char32_t typed = shifted ? ch - 'a' + 'A' : ch;
        if (const auto spare = spares_.use(typed, missing_)) typeExactly(*spare, !exact);
    }
    // Each character goes out at once; a round trip every few keeps us at the server's pace (a round trip per
    // character halves the speed) and reads the keys the user holds meanwhile.
    if (++charsSinceSync_ >= kSyncEvery) {
        sync();
    } else {
        XFlush(display_.get());
    }
}

void X11Input::typeControl(std::uint8_t ch) {
    const std::int16_t scan = keymap_.vkKeyScan(ch);
    if (scan == -1) return;
    const bool shift = (scan & 0x100) != 0, ctrl = (scan & 0x200) != 0;
    if (ctrl) keyEvent(kCtrl, 0, false);
    if (shift) keyEvent(kShift, 0, false);
    keyEvent(static_cast<std::uint8_t>(scan & 0xFF), 0, false);
    keyEvent(static_cast<std::uint8_t>(scan & 0xFF), 0, true);
    if (shift) keyEvent(kShift, 0, true);
    if (ctrl) keyEvent(kCtrl, 0, true);
}

bool X11Input::typeCharacter(std::uint8_t ch) {
    keymap_.refreshIfChanged();
    // Control characters are keys (Enter, Tab, Backspace, Ctrl with a letter): the layout's way is right.
    if (ch < 0x20 || ch == 0x7F) return false;
    const char32_t cp = win1252ToCodePoint(ch);
    if (cp >= 0x80 && cp < 0xA0) return true;  // a byte the code page leaves undefined: nothing to type
    typeUnicode(cp, ch >= 0x80);
    return true;
}

bool X11Input::typeAltCode(std::string_view digits) {
    keymap_.refreshIfChanged();
    std::string number;
    for (const char d : digits)
        if (d >= '0' && d <= '9') number += d;
    if (number.empty()) return true;
    // The code page's character whatever the number of digits: X knows no console code page.
    const auto code = static_cast<std::uint8_t>(std::atoi(number.c_str()) & 0xFF);
    if (code == 0) return true;
    if (code < 0x20 || code == 0x7F) {
        typeControl(code);
        return true;
    }
    const char32_t cp = win1252ToCodePoint(code);
    if (cp < 0x80 || cp >= 0xA0) typeUnicode(cp, true);
    return true;
}

void X11Input::pressKeypad(std::uint8_t keycode, bool down) {
    Display* d = display_.get();
    const unsigned numLock = keymap_.numLockMask();
    if (down && numLock != 0 && !numLockLocked_) {
        XkbStateRec state{};
        XkbGetState(d, XkbUseCoreKbd, &state);
        if ((state.locked_mods & numLock) == 0) {
            XkbLockModifiers(d, XkbUseCoreKbd, numLock, numLock);
            numLockLocked_ = true;
        }
    }
    sendKeycode(keycode, down);
    if (!down && numLockLocked_) {
        XkbLockModifiers(d, XkbUseCoreKbd, numLock, 0);
        numLockLocked_ = false;
    }
}

void X11Input::keyEvent(std::uint8_t vk, std::uint8_t, bool up) {
    keymap_.refreshIfChanged();
    if (vk == 2 || vk == 4) {  // mouse buttons sent as keys
        sendButton(vk == 2 ? 3 : 2, !up);
        sync();
        return;
    }
    const std::uint8_t kc = keymap_.keycode(vk);
    if (kc == 0) return;
    const bool modifier = keymap_.isModifierKey(kc);
    // The macro presses or releases this key itself now: it is no longer ours to give back at the end.
    std::erase(clearedPhysical_, kc);
    std::erase(clearedSynthetic_, kc);
    if (!up && !modifier) clearUserModifiers();
    if (isKeypadNumber(vk))
        pressKeypad(kc, !up);
    else
        sendKeycode(kc, !up);
    if (up && !modifier) sync();
}

void X11Input::mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t wheel) {
    Display* d = display_.get();
    switch (flags) {
        case mouse::LeftDown: sendButton(1, true); break;
        case mouse::LeftUp: sendButton(1, false); break;
        case mouse::RightDown: sendButton(3, true); break;
        case mouse::RightUp: sendButton(3, false); break;
        case mouse::MiddleDown: sendButton(2, true); break;
        case mouse::MiddleUp: sendButton(2, false); break;
        case mouse::Wheel: {
            // 120 per notch; forward is button 4, backward 5.
            const unsigned b = wheel >= 0 ? 4 : 5;
            for (int n = std::abs(wheel) / 120; n > 0; --n) {
                sendButton(b, true);
                sendButton(b, false);
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
            XTestFakeMotionEvent(d, DefaultScreen(d), pixel(dx, s.width), pixel(dy, s.height), CurrentTime);
            break;
        }
        default:
            break;
    }
    sync();
}

void X11Input::collectMissing(std::string_view text) {
    std::vector<bool> seen(256, false);
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || seen[b]) continue;
        seen[b] = true;
        const char32_t cp = win1252ToCodePoint(b);
        if ((cp >= 0x80 && cp < 0xA0) || keymap_.find(cp)) continue;
        if (std::find(missing_.begin(), missing_.end(), cp) == missing_.end()) missing_.push_back(cp);
    }
}

void X11Input::beginMacro(std::string_view text) {
    keymap_.refreshIfChanged();
    keymap_.followRemapping();
    playing_ = true;
    missing_.clear();
    noteLeftovers();
    followServer();
    collectMissing(text);
    spares_.prepare(missing_);
}

void X11Input::prepareText(std::string_view text) {
    keymap_.refreshIfChanged();
    const std::size_t known = missing_.size();
    collectMissing(text);
    spares_.prepare(std::vector<char32_t>(missing_.begin() + static_cast<std::ptrdiff_t>(known), missing_.end()));
}

void X11Input::endMacro() {
    restoreUserModifiers();
    if (numLockLocked_) {
        XkbLockModifiers(display_.get(), XkbUseCoreKbd, keymap_.numLockMask(), 0);
        numLockLocked_ = false;
    }
    XSync(display_.get(), False);
    playing_ = false;
    noteLeftovers();
}

void X11Input::releaseAll() {
    for (std::size_t kc = 0; kc < 256; ++kc)
        if (ours_[kc]) sendKeycode(static_cast<std::uint8_t>(kc), false);
    for (std::size_t b = 0; b < buttons_.size(); ++b)
        if (buttons_[b]) sendButton(static_cast<unsigned>(b), false);
    XSync(display_.get(), False);
}

void X11Input::noteLeftovers() { leftovers_.note(playing_, spares_.borrowed()); }

ScreenSize X11Input::primaryScreenSize() const {
    Display* d = display_.get();
    return {DisplayWidth(d, DefaultScreen(d)), DisplayHeight(d, DefaultScreen(d))};
}

}  // namespace qln::x11
