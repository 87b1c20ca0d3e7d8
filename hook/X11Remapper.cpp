#include "hook/X11Remapper.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <map>

#include "hook/RemapChanges.h"
#include "platform/x11/RemappedKeys.h"

namespace qln::hook {

namespace {

// Reads, changes and sends the keymap with the server grabbed: no other program's change slips in between.
template <typename F>
void withKeymap(Display* d, F change) {
    XGrabServer(d);
    {
        KeymapLevels keys(d);
        if (keys.valid()) change(keys);
    }
    XUngrabServer(d);
    XSync(d, False);
}

}  // namespace

X11Remapper::X11Remapper(x11::X11Events& events) : events_(events), note_(events.display()) {
    Display* d = events_.display().get();
    restoreAfterCrash(events_.display());
    x11::publishRemappedKeys(events_.display(), {});  // a killed predecessor's list is gone with its remapping
    int opcode = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (XkbQueryExtension(d, &opcode, &xkbEventBase_, &error, &major, &minor)) {
        XkbSelectEvents(d, XkbUseCoreKbd, XkbNewKeyboardNotifyMask, XkbNewKeyboardNotifyMask);
        XkbSelectEventDetails(d, XkbUseCoreKbd, XkbStateNotify, XkbGroupStateMask, XkbGroupStateMask);
    } else {
        xkbEventBase_ = -1;
    }
    filter_ = events_.addFilter([this](XEvent& e) { return handleEvent(&e); });
}

X11Remapper::~X11Remapper() {
    events_.removeFilter(filter_);
    restore();
}

void X11Remapper::apply(std::span<const std::uint8_t, 93> tables) {
    std::copy(tables.begin(), tables.end(), tables_.begin());
    active_ = !remapChanges(tables_).empty();
    update();
}

void X11Remapper::restore() {
    active_ = false;
    if (held_.empty()) {
        note_.remove();
        publishRemappedKeys(held_);
        return;
    }
    update();
}

void X11Remapper::update() {
    std::vector<RemappedLevel> wanted;
    bool sent = true;
    withKeymap(events_.display().get(), [&](KeymapLevels& keys) {
        // A level that no longer holds what we put there was changed by someone else (a new keymap, usually):
        // it is theirs now, and what it had before us is gone with our change.
        std::erase_if(held_, [&](const RemappedLevel& h) { return keys.symbol(h.at) != h.ours; });
        auto originalAt = [&](const KeyLevel& at) {
            const auto held = std::find_if(held_.begin(), held_.end(), [&](const auto& h) { return h.at == at; });
            return held != held_.end() ? held->original : keys.symbol(at).value_or(0);
        };
        group_ = keys.activeGroup();
        // Keycodes our typing borrows carry the characters a macro types: they are not the user's keys.
        const std::bitset<256> spare = x11::readSpareKeycodes(events_.display());
        if (active_) {
            // Keysyms of the characters 32..126 are their codes.
            std::map<unsigned long, unsigned long> replaced;
            for (const RemapChange& c : remapChanges(tables_)) replaced[c.from] = remapKeysym(c.to);
            for (int kc = std::max(keys.minKeycode(), 8); kc <= keys.maxKeycode(); ++kc) {
                if (spare[static_cast<std::size_t>(kc)]) continue;
                const int g = keys.groupOf(kc, group_);
                for (int level = 0; g >= 0 && level < keys.levels(kc, g); ++level) {
                    const KeyLevel at{static_cast<std::uint8_t>(kc), static_cast<std::uint8_t>(g),
                                      static_cast<std::uint8_t>(level)};
                    const unsigned long original = originalAt(at);
                    const auto to = replaced.find(original);
                    if (to != replaced.end()) wanted.push_back({at, original, to->second});
                }
            }
        }
        // Noted before the server sees it: a crash in between leaves levels holding either value.
        std::vector<RemappedLevel> noted = held_;
        for (const auto& w : wanted)
            if (std::find(noted.begin(), noted.end(), w) == noted.end()) noted.push_back(w);
        note_.write(noted);
        publishRemappedKeys(noted);
        for (const auto& h : held_)
            if (std::none_of(wanted.begin(), wanted.end(), [&](const auto& w) { return w.at == h.at; }))
                keys.set(h.at, h.original);
        for (const auto& w : wanted) keys.set(w.at, w.ours);
        sent = keys.send();
    });
    if (sent) held_ = std::move(wanted);
    note_.write(held_);
    publishRemappedKeys(held_);
}

void X11Remapper::publishRemappedKeys(const std::vector<RemappedLevel>& levels) {
    std::vector<std::uint8_t> keycodes;
    for (const auto& l : levels)
        if (std::find(keycodes.begin(), keycodes.end(), l.at.keycode) == keycodes.end()) keycodes.push_back(l.at.keycode);
    x11::publishRemappedKeys(events_.display(), keycodes);
}

bool X11Remapper::handleEvent(void* event) {
    if (xkbEventBase_ < 0 || (held_.empty() && !active_)) return false;
    const auto& e = *static_cast<XEvent*>(event);
    if (e.type != xkbEventBase_) return false;
    const auto& x = reinterpret_cast<const XkbEvent&>(e);
    // A new keymap has lost our changes; another group needs them on its own levels.
    if (x.any.xkb_type == XkbNewKeyboardNotify || (x.any.xkb_type == XkbStateNotify && x.state.group != group_))
        update();
    return false;  // the keymap's other readers want these too
}

int X11Remapper::restoreAfterCrash(x11::X11Display& display) {
    Display* d = display.get();
    return RemapNote::takeLeftovers(display, [&](const std::vector<RemappedLevel>& left) {
        withKeymap(d, [&](KeymapLevels& keys) {
            // Only what still holds their change: the keymap may have been replaced since.
            for (const auto& l : left)
                if (keys.symbol(l.at) == l.ours) keys.set(l.at, l.original);
            keys.send();
        });
    });
}

}  // namespace qln::hook
