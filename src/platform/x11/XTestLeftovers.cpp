#include "platform/x11/XTestLeftovers.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <unistd.h>

#include <sstream>

namespace qln::x11 {

XTestLeftovers::XTestLeftovers(X11Display& display, const XInputDevices& devices)
    : display_(display), devices_(devices), self_(NoteWriter::self(display)) {
    prefix_ = "xtest-" + noteName(self_.display) + "-";
    name_ = prefix_ + std::to_string(::getpid());
    for (const std::string& name : folder_.names(prefix_))
        if (name != name_) cleanUp(name);
}

XTestLeftovers::~XTestLeftovers() {
    folder_.remove(name_);
}

void XTestLeftovers::note(bool playing, const std::vector<SpareKeycodes::Borrowed>& borrowed) {
    if (!playing && borrowed.empty()) {
        folder_.remove(name_);
        return;
    }
    std::ostringstream text;
    text << self_.lines() << "playing " << (playing ? 1 : 0) << '\n';
    for (const auto& b : borrowed) text << "keycode " << int(b.keycode) << ' ' << b.symbols[0] << ' ' << b.symbols[1] << '\n';
    // A note we cannot write only costs the clean-up after a crash.
    folder_.write(name_, text.str());
}

void XTestLeftovers::cleanUp(const std::string& name) {
    const auto content = folder_.read(name);
    if (!content) return;  // not a file of ours: never acted on
    std::istringstream in(*content);
    const NoteFate fate = fateOf(NoteWriter::read(in), self_);
    if (fate == NoteFate::Keep) return;
    if (fate == NoteFate::Remove) {
        folder_.remove(name);
        return;
    }
    Display* d = display_.get();
    std::string word;
    int playing = 0;
    in >> word >> playing;
    if (word == "playing" && playing != 0) {
        // It was killed while a macro played: what the XTest devices hold now, it held.
        const auto keys = devices_.xtestKeys();
        for (std::size_t kc = 8; kc < keys.size(); ++kc)
            if (keys[kc]) XTestFakeKeyEvent(d, static_cast<unsigned>(kc), False, CurrentTime);
        const auto buttons = devices_.xtestButtons();
        for (std::size_t b = 1; b < buttons.size(); ++b)
            if (buttons[b]) XTestFakeButtonEvent(d, static_cast<unsigned>(b), False, CurrentTime);
    }
    int keycode = 0;
    unsigned long first = 0, second = 0;
    while (in >> word >> keycode >> first >> second) {
        if (word != "keycode" || keycode < 8 || keycode > 255) continue;
        int perKeycode = 0;
        KeySym* now = XGetKeyboardMapping(d, static_cast<KeyCode>(keycode), 1, &perKeycode);
        // Only what is still ours: someone may have mapped the keycode since.
        const bool ours = now != nullptr && perKeycode >= 1 && now[0] == first &&
                          (perKeycode < 2 || now[1] == second);
        if (now != nullptr) XFree(now);
        if (!ours) continue;
        KeySym none[2] = {NoSymbol, NoSymbol};
        XChangeKeyboardMapping(d, keycode, 2, none, 1);
    }
    XSync(d, False);
    folder_.remove(name);
    ++cleanedUp_;
}

}  // namespace qln::x11
