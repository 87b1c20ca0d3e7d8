#pragma once

#include <cstdint>

#include "hook/HotKeyIndex.h"
#include "platform/x11/X11Display.h"

struct _XkbDesc;

namespace qln::hook {

// The keyboard's modifiers, locks and layout group as the server reports them (raw input events carry none of
// these), and what symbol a keycode produces with them.
class KeyboardState {
public:
    explicit KeyboardState(x11::X11Display& display);
    ~KeyboardState();
    KeyboardState(const KeyboardState&) = delete;
    KeyboardState& operator=(const KeyboardState&) = delete;

    // What an event of the keyboard extension changed: the state (taken here), or the keymap (the owner reads it
    // again with refresh() once the queue is drained).
    enum class Change { Nothing, State, Keymap };
    Change handle(void* event);
    // Reads the keymap, the modifier map and the state again (after the server announced a change).
    void refresh();

    unsigned modifiers() const { return modifiers_; }
    bool capsLock() const { return (locked_ & masks_.lock) != 0; }
    const ModifierMasks& masks() const { return masks_; }
    // The symbol a keycode types with the present modifiers and group (Caps Lock's capitals included).
    unsigned long keysymOf(std::uint8_t keycode) const;

private:
    void readMasks();

    x11::X11Display& display_;
    int eventBase_ = -1;
    _XkbDesc* xkb_ = nullptr;
    unsigned modifiers_ = 0;
    unsigned locked_ = 0;
    int group_ = 0;
    ModifierMasks masks_;
};

}  // namespace qln::hook
