#include "hook/HookInput.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include "hook/TypedCharacters.h"
#include "platform/x11/XInputDevices.h"

namespace qln::hook {

namespace {
constexpr std::uint8_t kPauseVk = 19;
}  // namespace

bool HookInput::handle(void* event) {
    auto& e = *static_cast<XEvent*>(event);
    if (const auto r = p_.raw.read(&e)) {
        handleRaw(*r);
        return false;
    }
    switch (p_.keyboard.handle(&e)) {
        case KeyboardState::Change::State: return false;
        case KeyboardState::Change::Keymap: return true;
        case KeyboardState::Change::Nothing: break;
    }
    if (const auto w = p_.activeWindow.read(&e)) {
        activated(*w);
        return false;
    }
    switch (e.type) {
        case KeyPress: handleKeyPress(static_cast<std::uint8_t>(e.xkey.keycode), e.xkey.state); return false;
        case KeyRelease:
            grabbedDown_.reset(e.xkey.keycode & 0xFF);
            // While a grab of ours is active the server sends us no raw events: what the XTest devices hold may
            // have changed unseen (asked of the server when next needed, not on the way of a hot key).
            xtestStale_ = true;
            return false;
        default: return false;
    }
}

void HookInput::handleRaw(const RawInput& r) {
    if (r.held) {
        p_.held.handle(r);
        return;
    }
    const std::size_t n = r.detail;
    if (r.fromXTest) {
        // What XTest devices hold, so that a physical release can let go of a leftover there, and which of it is
        // our own macros'.
        if (r.key() && n < xtestKeys_.size()) {
            xtestKeys_[n] = r.press();
            ourKeys_[n] = r.press() && macroTyping();
        }
        if (!r.key() && n < xtestButtons_.size()) {
            xtestButtons_[n] = r.press();
            ourButtons_[n] = r.press() && macroTyping();
        }
    } else if (!r.press()) {
        if (xtestStale_) readXTestState();
        releaseLeftover(r);
    }
    // While our macro plays, synthetic input is its typing, not the user's.
    if (macroTyping() && r.fromXTest) return;
    if (r.key()) note(r);
    if (!r.press()) return;
    if (!p_.activeWindow.managed()) {
        if (const auto w = p_.activeWindow.checkFocus()) activated(*w);
    }
    if (r.key()) {
        if (p_.switches.keyboard && p_.switches.inUse && n == p_.keymap.keycode(kPauseVk))
            pump_.post(hook::AbortRequest{});
        if (p_.switches.keyboard && p_.switches.captureWindow) {
            if (const auto code = p_.all.keyCode(static_cast<std::uint8_t>(n), p_.keyboard.modifiers()))
                pump_.post(hook::HotKeyToCapture{static_cast<std::uint16_t>(*code)});
        }
        typed(r);
        return;
    }
    if (p_.switches.snipwords && (p_.switches.mouse || p_.switches.keyboard))
        pump_.post(hook::TypedCharacter{hook::TypedCharacter::State::Reset, 0});
    if (!p_.switches.mouse) return;
    // Mouse hot keys come from the raw events: the bare buttons are not grabbed (every click would be lost), and
    // the grabs of the others only keep their clicks from the program under the pointer.
    const HotKeyIndex& index = p_.switches.captureWindow ? p_.all : p_.used;
    if (const auto code = index.buttonCode(r.detail, p_.keyboard.modifiers())) hotKey(*code);
}

void HookInput::handleKeyPress(std::uint8_t keycode, unsigned state) {
    if (keycode == p_.endMarker.keycode()) {
        // The program's end marker behind a played macro: triggers count again.
        if (p_.switches.inUse && onEndMarker_) onEndMarker_();
        return;
    }
    // A grab stays active while its key is down; the server's auto-repeat is no new press.
    if (grabbedDown_[keycode]) return;
    grabbedDown_.set(keycode);
    if (!p_.switches.keyboard || p_.switches.captureWindow) return;  // the raw events report to the dialog
    if (const auto code = p_.used.keyCode(keycode, state)) hotKey(*code);
}

void HookInput::hotKey(int code) {
    // While a macro plays, its own keys are no trigger, and the user's wait until it is done (HeldBackKeys): a
    // hot key then is one the user's keyboards could not be held back for, or a click, and does nothing.  While
    // the macro waits for the user (a pause), hot keys count: one of them resumes it.
    if (p_.switches.inUse && !p_.switches.userTurn) return;
    const auto c = static_cast<std::uint16_t>(code);
    if (p_.switches.captureWindow) {
        pump_.post(hook::HotKeyToCapture{c});
        return;
    }
    pump_.post(hook::HotKeyPressed{c, p_.keyboard.capsLock(), p_.activeWindow.current()});
}

void HookInput::typed(const RawInput& r) {
    if (!p_.switches.keyboard || !p_.switches.snipwords || r.detail == p_.endMarker.keycode()) return;
    const ModifierMasks& m = p_.keyboard.masks();
    const bool command = (p_.keyboard.modifiers() & (m.control | m.alt | m.win)) != 0;
    const auto byte = typedByte(p_.keyboard.keysymOf(static_cast<std::uint8_t>(r.detail)), command);
    if (!byte) return;
    const auto state = p_.keyboard.capsLock() ? hook::TypedCharacter::State::CapsLock
                                              : hook::TypedCharacter::State::Plain;
    pump_.post(hook::TypedCharacter{state, *byte, presses_});
}

void HookInput::note(const RawInput& r) {
    constexpr std::size_t kRecent = 32;
    Recent k{presses_, {static_cast<std::uint8_t>(r.detail), r.press()}, Recent::Typed::Other, r.fromXTest};
    if (r.press()) {
        k.press = ++presses_;
        const unsigned long sym = p_.keyboard.keysymOf(static_cast<std::uint8_t>(r.detail));
        const ModifierMasks& m = p_.keyboard.masks();
        const bool command = (p_.keyboard.modifiers() & (m.control | m.alt | m.win)) != 0;
        const auto byte = typedByte(sym, command);
        k.typed = !byte ? Recent::Typed::Modifier : *byte >= 0x20 && *byte != 0x7F ? Recent::Typed::Character
                                                                                   : Recent::Typed::Other;
    }
    recent_.push_back(k);
    if (recent_.size() > kRecent) recent_.pop_front();
}

std::optional<HookInput::LateKeys> HookInput::keysAfter(std::uint32_t press) const {
    LateKeys late;
    if (press == 0 || press > presses_) return late;
    if (!recent_.empty() && recent_.front().press > press) return std::nullopt;  // pushed out already
    std::bitset<256> pressed;
    for (const Recent& r : recent_) {
        if (r.key.press) {
            if (r.press <= press) continue;
            if (r.typed == Recent::Typed::Other || r.fromXTest) return std::nullopt;
            if (r.typed == Recent::Typed::Character) ++late.characters;
            pressed.set(r.key.keycode);
        } else if (pressed[r.key.keycode]) {
            pressed.reset(r.key.keycode);
        } else {
            continue;  // a key that was down before: not ours to take
        }
        late.keys.push_back(r.key);
    }
    // Keys still down go up again at the end of what is taken back.
    for (std::size_t kc = 0; kc < pressed.size(); ++kc)
        if (pressed[kc]) late.keys.push_back({static_cast<std::uint8_t>(kc), false});
    return late;
}

void HookInput::activated(WindowHandle w) {
    if (!p_.switches.activation) return;
    if (p_.switches.snipwords) pump_.post(hook::TypedCharacter{hook::TypedCharacter::State::Reset, 0});
    if (w != 0) pump_.post(hook::WindowActivated{w});
}

void HookInput::releaseLeftover(const RawInput& r) {
    Display* d = p_.display.get();
    if (r.key() && xtestKeys_[r.detail]) {
        XTestFakeKeyEvent(d, r.detail, False, CurrentTime);
        xtestKeys_.reset(r.detail);
        XFlush(d);
    } else if (!r.key() && r.detail < xtestButtons_.size() && xtestButtons_[r.detail]) {
        XTestFakeButtonEvent(d, r.detail, False, CurrentTime);
        xtestButtons_.reset(r.detail);
        XFlush(d);
    }
}

void HookInput::readXTestState() {
    xtestStale_ = false;
    const x11::XInputDevices devices(p_.display);
    if (!devices.available()) return;
    xtestKeys_ = devices.xtestKeys();
    xtestButtons_ = devices.xtestButtons();
    ourKeys_ &= xtestKeys_;
    ourButtons_ &= xtestButtons_;
}

void HookInput::noteTriggerKeys() {
    readXTestState();
    Display* d = p_.display.get();
    char keys[32] = {};
    XQueryKeymap(d, keys);
    for (std::size_t kc = 0; kc < 256; ++kc) triggerKeys_[kc] = (keys[kc / 8] & (1 << (kc % 8))) != 0;
    triggerKeys_ &= ~ourKeys_;
    triggerKeys_.reset(p_.endMarker.keycode());
    Window root = None, child = None;
    int rx = 0, ry = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    triggerButtons_.reset();
    if (XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rx, &ry, &wx, &wy, &mask)) {
        for (unsigned b = 1; b <= 5; ++b)
            if ((mask & (Button1Mask << (b - 1))) != 0) triggerButtons_.set(b);
    }
    triggerButtons_ &= ~ourButtons_;
}

bool HookInput::triggerHeld() {
    if (triggerKeys_.none() && triggerButtons_.none()) return false;
    Display* d = p_.display.get();
    char keys[32] = {};
    XQueryKeymap(d, keys);
    for (std::size_t kc = 0; kc < 256; ++kc)
        if ((keys[kc / 8] & (1 << (kc % 8))) == 0) triggerKeys_.reset(kc);
    Window root = None, child = None;
    int rx = 0, ry = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    if (triggerButtons_.any() && XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rx, &ry, &wx, &wy, &mask)) {
        for (unsigned b = 1; b <= 5; ++b)
            if ((mask & (Button1Mask << (b - 1))) == 0) triggerButtons_.reset(b);
    }
    return triggerKeys_.any() || triggerButtons_.any();
}

}  // namespace qln::hook
