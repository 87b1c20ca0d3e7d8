#include "hook/EndMarkerKey.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <algorithm>
#include <sstream>

namespace qln::hook {

namespace {

// The server's keymap as it is now (Xlib's copy may lag behind our own changes).
struct Keymap {
    explicit Keymap(Display* d) {
        XDisplayKeycodes(d, &first, &last);
        syms = XGetKeyboardMapping(d, static_cast<KeyCode>(first), last - first + 1, &perKeycode);
    }
    ~Keymap() {
        if (syms != nullptr) XFree(syms);
    }
    Keymap(const Keymap&) = delete;
    Keymap& operator=(const Keymap&) = delete;

    KeySym at(int kc, int i) const { return syms[(kc - first) * perKeycode + i]; }
    // The core keymap repeats a key's one group in the columns of the second.
    bool holdsOnly(int kc, KeySym sym) const {
        if (syms == nullptr || kc < first || kc > last || at(kc, 0) != sym) return false;
        for (int i = 1; i < perKeycode; ++i)
            if (at(kc, i) != NoSymbol && at(kc, i) != sym) return false;
        return true;
    }
    bool empty(int kc) const {
        for (int i = 0; i < perKeycode; ++i)
            if (at(kc, i) != NoSymbol) return false;
        return true;
    }

    int first = 0, last = 0, perKeycode = 0;
    KeySym* syms = nullptr;
};

// The keycode whose first symbol is `sym`, leaving out `skipped`; 0 when there is none.
std::uint8_t keycodeOf(Display* d, KeySym sym, const std::vector<std::uint8_t>& skipped = {}) {
    const Keymap map(d);
    for (int kc = std::max(map.first, 8); kc <= map.last && map.syms != nullptr; ++kc)
        if (map.at(kc, 0) == sym && std::find(skipped.begin(), skipped.end(), kc) == skipped.end())
            return static_cast<std::uint8_t>(kc);
    return 0;
}

// A keycode without any symbol and outside the modifier map; the lowest, since spare keycodes for typing are
// taken from the top.
std::uint8_t freeKeycode(Display* d) {
    const Keymap map(d);
    XModifierKeymap* mods = XGetModifierMapping(d);
    std::uint8_t found = 0;
    for (int kc = std::max(map.first, 9); kc <= map.last && found == 0 && map.syms != nullptr; ++kc) {
        bool empty = map.empty(kc);
        for (int i = 0; mods != nullptr && i < 8 * mods->max_keypermod && empty; ++i)
            empty = mods->modifiermap[i] != kc;
        if (empty) found = static_cast<std::uint8_t>(kc);
    }
    if (mods != nullptr) XFreeModifiermap(mods);
    return found;
}

void giveBack(Display* d, std::uint8_t kc) {
    KeySym none = NoSymbol;
    XChangeKeyboardMapping(d, kc, 1, &none, 1);
}

}  // namespace

EndMarkerKey::EndMarkerKey(x11::X11Display& display)
    : display_(display),
      self_(x11::NoteWriter::self(display)),
      prefix_("endmarker-" + x11::noteName(self_.display) + "-"),
      name_(prefix_ + std::to_string(::getpid())) {
    takeLeftovers();
    ensure();
    grab(true);
}

EndMarkerKey::~EndMarkerKey() {
    grab(false);
    if (borrowed_ != 0) giveBack(display_.get(), borrowed_);
    XSync(display_.get(), False);
    folder_.remove(name_);
}

void EndMarkerKey::takeLeftovers() {
    Display* d = display_.get();
    std::vector<std::uint8_t> left;
    for (const std::string& name : folder_.names(prefix_)) {
        if (name == name_) continue;
        const auto content = folder_.read(name);
        if (!content) continue;  // not a file of ours: never acted on
        std::istringstream in(*content);
        const x11::NoteFate fate = x11::fateOf(x11::NoteWriter::read(in), self_);
        if (fate == x11::NoteFate::Keep) continue;
        std::string word;
        int kc = 0;
        // Only a keycode that still carries Execute alone is the one it lent: someone may have mapped it since.
        if (fate == x11::NoteFate::Undo && in >> word >> kc && word == "keycode" && kc >= 8 && kc <= 255 &&
            Keymap(d).holdsOnly(kc, XK_Execute))
            left.push_back(static_cast<std::uint8_t>(kc));
        folder_.remove(name);
    }
    if (left.empty()) return;
    // Reused when no other key carries Execute; given back otherwise.
    const bool elsewhere = keycodeOf(d, XK_Execute, left) != 0;
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (i == 0 && !elsewhere) {
            borrowed_ = keycode_ = left[0];
            noteBorrowed();
        } else {
            giveBack(d, left[i]);
        }
    }
    XSync(d, False);
}

void EndMarkerKey::noteBorrowed() {
    if (borrowed_ == 0)
        folder_.remove(name_);
    else
        folder_.write(name_, self_.lines() + "keycode " + std::to_string(borrowed_) + "\n");
}

void EndMarkerKey::ensure() {
    Display* d = display_.get();
    if (borrowed_ != 0 && Keymap(d).holdsOnly(borrowed_, XK_Execute)) {
        keycode_ = borrowed_;
        return;
    }
    borrowed_ = 0;
    keycode_ = keycodeOf(d, XK_Execute);
    const std::uint8_t kc = keycode_ == 0 ? freeKeycode(d) : 0;
    if (kc != 0) borrowed_ = kc;
    // Noted before the server sees it: a kill in between leaves a note of a keycode without Execute, which the
    // next start leaves alone.
    noteBorrowed();
    if (kc == 0) return;
    KeySym execute = XK_Execute;
    XChangeKeyboardMapping(d, kc, 1, &execute, 1);
    XSync(d, False);
    keycode_ = kc;
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
    // Asked of the server: Xlib's copy may still show keycodes a start gave back.
    if (borrowed_ != 0 && !Keymap(display_.get()).holdsOnly(borrowed_, XK_Execute)) borrowed_ = 0;  // taken over
    ensure();
    grab(true);
}

}  // namespace qln::hook
