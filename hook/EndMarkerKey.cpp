#include "hook/EndMarkerKey.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>

namespace qln::hook {

namespace {
// A keycode without any symbol and outside the modifier map; the lowest, since spare keycodes for typing are
// taken from the top.
std::uint8_t freeKeycode(Display* d) {
    int first = 0, last = 0;
    XDisplayKeycodes(d, &first, &last);
    int perKeycode = 0;
    KeySym* syms = XGetKeyboardMapping(d, static_cast<KeyCode>(first), last - first + 1, &perKeycode);
    XModifierKeymap* mods = XGetModifierMapping(d);
    std::uint8_t found = 0;
    for (int kc = std::max(first, 9); kc <= last && found == 0 && syms != nullptr; ++kc) {
        bool empty = true;
        for (int i = 0; i < perKeycode && empty; ++i) empty = syms[(kc - first) * perKeycode + i] == NoSymbol;
        for (int i = 0; mods != nullptr && i < 8 * mods->max_keypermod && empty; ++i)
            empty = mods->modifiermap[i] != kc;
        if (empty) found = static_cast<std::uint8_t>(kc);
    }
    if (syms != nullptr) XFree(syms);
    if (mods != nullptr) XFreeModifiermap(mods);
    return found;
}
}  // namespace

EndMarkerKey::EndMarkerKey(x11::X11Display& display) : display_(display) {
    ensure();
    grab(true);
}

EndMarkerKey::~EndMarkerKey() {
    grab(false);
    if (borrowed_ != 0) {
        KeySym none = NoSymbol;
        XChangeKeyboardMapping(display_.get(), borrowed_, 1, &none, 1);
    }
    XSync(display_.get(), False);
}

void EndMarkerKey::ensure() {
    Display* d = display_.get();
    keycode_ = static_cast<std::uint8_t>(XKeysymToKeycode(d, XK_Execute));
    if (keycode_ != 0) return;
    const std::uint8_t kc = freeKeycode(d);
    if (kc == 0) return;
    KeySym execute = XK_Execute;
    XChangeKeyboardMapping(d, kc, 1, &execute, 1);
    XSync(d, False);
    keycode_ = borrowed_ = kc;
}

void EndMarkerKey::grab(bool on) {
    if (keycode_ == 0) return;
    Display* d = display_.get();
    if (on)
        XGrabKey(d, keycode_, AnyModifier, DefaultRootWindow(d), False, GrabModeAsync, GrabModeAsync);
    else
        XUngrabKey(d, keycode_, AnyModifier, DefaultRootWindow(d));
}

void EndMarkerKey::keymapChanged() {
    const std::uint8_t before = keycode_;
    // Xlib's copy of the keymap is refreshed by the event loop before we get here.
    if (XKeysymToKeycode(display_.get(), XK_Execute) == before && before != 0) return;
    grab(false);
    if (borrowed_ != 0 && XKeysymToKeycode(display_.get(), XK_Execute) != borrowed_) borrowed_ = 0;  // taken over
    ensure();
    grab(true);
}

}  // namespace qln::hook
