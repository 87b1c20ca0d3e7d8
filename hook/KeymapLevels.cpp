#include "hook/KeymapLevels.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <algorithm>

#include "platform/x11/XkbGroups.h"

namespace qln::hook {

KeymapLevels::KeymapLevels(Display* display) : display_(display) {
    int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!XkbQueryExtension(display_, &opcode, &event, &error, &major, &minor)) return;
    xkb_ = XkbGetMap(display_, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    if (xkb_ != nullptr && xkb_->map == nullptr) {
        XkbFreeKeyboard(xkb_, 0, True);
        xkb_ = nullptr;
    }
    XkbStateRec state{};
    if (xkb_ != nullptr && XkbGetState(display_, XkbUseCoreKbd, &state) == Success) group_ = state.group;
}

KeymapLevels::~KeymapLevels() {
    if (xkb_ != nullptr) XkbFreeKeyboard(xkb_, 0, True);
}

int KeymapLevels::minKeycode() const {
    return xkb_ != nullptr ? xkb_->min_key_code : 0;
}
int KeymapLevels::maxKeycode() const {
    return xkb_ != nullptr ? xkb_->max_key_code : -1;
}

int KeymapLevels::groupOf(int keycode, int group) const {
    if (xkb_ == nullptr || keycode < xkb_->min_key_code || keycode > xkb_->max_key_code) return -1;
    return x11::effectiveGroup(xkb_, keycode, group);
}

int KeymapLevels::levels(int keycode, int group) const {
    if (xkb_ == nullptr || keycode < xkb_->min_key_code || keycode > xkb_->max_key_code) return 0;
    if (group < 0 || group >= XkbKeyNumGroups(xkb_, keycode)) return 0;
    // The type's levels, but never more than the symbols stored for each group.
    return std::min(XkbKeyGroupWidth(xkb_, keycode, group), XkbKeyGroupsWidth(xkb_, keycode));
}

std::optional<unsigned long> KeymapLevels::symbol(const KeyLevel& at) const {
    if (at.level >= levels(at.keycode, at.group)) return std::nullopt;
    return XkbKeySymEntry(xkb_, at.keycode, at.level, at.group);
}

bool KeymapLevels::set(const KeyLevel& at, unsigned long symbol) {
    if (at.level >= levels(at.keycode, at.group)) return false;
    KeySym& slot = XkbKeySymsPtr(xkb_, at.keycode)[XkbKeyGroupsWidth(xkb_, at.keycode) * at.group + at.level];
    if (slot == symbol) return true;
    slot = symbol;
    firstChanged_ = std::min<int>(firstChanged_, at.keycode);
    lastChanged_ = std::max<int>(lastChanged_, at.keycode);
    return true;
}

bool KeymapLevels::send() {
    if (xkb_ == nullptr || lastChanged_ < 0) return true;
    // The keys between the changed ones go along as they are: one request, one notice to every program.
    XkbMapChangesRec changes{};
    changes.changed = XkbKeySymsMask;
    changes.first_key_sym = static_cast<KeyCode>(firstChanged_);
    changes.num_key_syms = static_cast<unsigned char>(lastChanged_ - firstChanged_ + 1);
    const bool ok = XkbChangeMap(display_, xkb_, &changes) == True;
    if (ok) {
        firstChanged_ = 256;
        lastChanged_ = -1;
    }
    return ok;
}

}  // namespace qln::hook
