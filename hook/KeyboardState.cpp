#include "hook/KeyboardState.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace qln::hook {

KeyboardState::KeyboardState(x11::X11Display& display) : display_(display) {
    Display* d = display_.get();
    int opcode = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (XkbQueryExtension(d, &opcode, &eventBase_, &error, &major, &minor)) {
        XkbSelectEvents(d, XkbUseCoreKbd, XkbNewKeyboardNotifyMask, XkbNewKeyboardNotifyMask);
        // A held key then repeats as presses alone, so a hot key held down fires once.
        XkbSetDetectableAutoRepeat(d, True, nullptr);
        XkbSelectEventDetails(d, XkbUseCoreKbd, XkbStateNotify, XkbAllStateComponentsMask,
                              XkbModifierStateMask | XkbModifierLockMask | XkbGroupStateMask);
    } else {
        eventBase_ = -1;
    }
    refresh();
}

KeyboardState::~KeyboardState() {
    if (xkb_ != nullptr) XkbFreeKeyboard(xkb_, 0, True);
}

KeyboardState::Change KeyboardState::handle(void* event) {
    const auto& e = *static_cast<XEvent*>(event);
    if (e.type == MappingNotify) return e.xmapping.request != MappingPointer ? Change::Keymap : Change::Nothing;
    if (eventBase_ < 0 || e.type != eventBase_) return Change::Nothing;
    const auto& x = reinterpret_cast<const XkbEvent&>(e);
    if (x.any.xkb_type == XkbNewKeyboardNotify) return Change::Keymap;
    if (x.any.xkb_type != XkbStateNotify) return Change::Nothing;
    modifiers_ = x.state.mods;
    locked_ = x.state.locked_mods;
    group_ = x.state.group;
    return Change::State;
}

void KeyboardState::refresh() {
    Display* d = display_.get();
    if (xkb_ != nullptr) XkbFreeKeyboard(xkb_, 0, True);
    xkb_ = XkbGetMap(d, XkbKeyTypesMask | XkbKeySymsMask | XkbModifierMapMask, XkbUseCoreKbd);
    XkbStateRec state{};
    if (XkbGetState(d, XkbUseCoreKbd, &state) == Success) {
        modifiers_ = state.mods;
        locked_ = state.locked_mods;
        group_ = state.group;
    }
    readMasks();
}

void KeyboardState::readMasks() {
    // Alt, Super and Num Lock sit on whichever of Mod1..Mod5 the modifier map gives them.
    masks_ = ModifierMasks{ShiftMask, LockMask, ControlMask, 0, 0, 0};
    XModifierKeymap* map = XGetModifierMapping(display_.get());
    if (map != nullptr) {
        for (int mod = Mod1MapIndex; mod <= Mod5MapIndex; ++mod) {
            for (int i = 0; i < map->max_keypermod; ++i) {
                const KeyCode kc = map->modifiermap[mod * map->max_keypermod + i];
                if (kc == 0) continue;
                const KeySym sym = XkbKeycodeToKeysym(display_.get(), kc, 0, 0);
                const unsigned mask = 1U << mod;
                if ((sym == XK_Alt_L || sym == XK_Alt_R) && masks_.alt == 0) masks_.alt = mask;
                if ((sym == XK_Super_L || sym == XK_Super_R) && masks_.win == 0) masks_.win = mask;
                if (sym == XK_Num_Lock && masks_.numLock == 0) masks_.numLock = mask;
            }
        }
        XFreeModifiermap(map);
    }
    if (masks_.alt == 0) masks_.alt = Mod1Mask;
    if (masks_.win == 0) masks_.win = Mod4Mask;
}

unsigned long KeyboardState::keysymOf(std::uint8_t keycode) const {
    if (xkb_ == nullptr) return NoSymbol;
    unsigned consumed = 0;
    KeySym sym = NoSymbol;
    const unsigned state = XkbBuildCoreState(modifiers_, group_);
    if (!XkbTranslateKeyCode(xkb_, keycode, state, &consumed, &sym)) return NoSymbol;
    // Caps Lock gives capitals where the key's type leaves Lock to the program (as toolkits do).
    if ((modifiers_ & LockMask & ~consumed) != 0) {
        KeySym lower = NoSymbol, upper = NoSymbol;
        XConvertCase(sym, &lower, &upper);
        sym = upper;
    }
    return sym;
}

}  // namespace qln::hook
