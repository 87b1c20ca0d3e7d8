#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/KeyboardLayout.h"
#include "platform/x11/X11Events.h"

struct _XkbDesc;

namespace qln::x11 {

// The live keymap of the X server, seen the way playback needs it: which keycode a Windows virtual key presses,
// and which keycode and level type a character in the active layout (XKB group), with Shift and AltGr as its
// levels need.  Follows the server: a new keymap, a changed mapping and a switch of the layout are picked up as
// their events arrive.
class X11Keymap : public IKeyboardLayout {
public:
    explicit X11Keymap(X11Events& events);
    ~X11Keymap() override;
    X11Keymap(const X11Keymap&) = delete;
    X11Keymap& operator=(const X11Keymap&) = delete;

    std::int16_t vkKeyScan(std::uint8_t ch) const override { return scan_[ch]; }
    std::uint8_t mapVirtualKey(std::uint8_t vk) const override { return keycodes_[vk]; }
    bool capsLockOn() const override;

    // The keycode of a virtual key; 0 when the keymap has none.
    std::uint8_t keycode(std::uint8_t vk) const { return keycodes_[vk]; }

    // A keycode and the modifiers its level needs.
    struct Stroke {
        std::uint8_t keycode = 0;
        bool shift = false;
        bool level3 = false;
        bool operator==(const Stroke&) const = default;
    };
    // How the active layout types a Unicode character; nothing when none of its levels does (reserved keycodes
    // are never used for this).
    std::optional<Stroke> find(char32_t ch) const;

    // Keycodes kept out of find(): the spare keycodes we remap ourselves.
    void reserve(const std::vector<std::uint8_t>& keycodes);
    // Keycodes without any symbol, in the order they are best borrowed (the lowest keycodes are not delivered by
    // every server, so from the top).
    std::vector<std::uint8_t> emptyKeycodes() const;

    // The keys that press Shift and AltGr (0 when the keymap has none) and the modifier masks of Num Lock and
    // AltGr.
    std::uint8_t shiftKeycode() const { return shiftKeycode_; }
    std::uint8_t level3Keycode() const { return level3Keycode_; }
    unsigned numLockMask() const { return numLockMask_; }
    // Keys bound to a modifier a user may hold down (Shift, Control, Alt, Super, AltGr and the like; not Caps
    // Lock nor Num Lock).
    bool isModifierKey(std::uint8_t keycode) const { return modifierKeys_[keycode]; }
    const std::bitset<256>& modifierKeys() const { return modifierKeys_; }

    // Reads the keymap and layout state again.
    void refresh();
    // Reads them again if the server announced a change since they were read (its users call this before a
    // key: changes come in bursts).
    void refreshIfChanged() {
        if (stale_) refresh();
    }
    // Asks the server which keys our remapper has changed and reads the keymap again when that list changed: at
    // the start of a macro, whose first keys must not wait for the notice of the change to come in.
    void followRemapping();

private:
    bool handleEvent(void* event);
    // The character index and the key scans for the active group, from the keymap already read.
    void index();

    X11Events& events_;
    int filter_ = 0;
    int xkbEventBase_ = -1;
    _XkbDesc* xkb_ = nullptr;
    int group_ = 0;
    bool stale_ = false;
    std::bitset<256> reserved_;
    std::bitset<256> remapped_;  // keys our remapper changed (RemappedKeys)
    unsigned long remappedAtom_ = 0;
    std::unordered_map<char32_t, Stroke> chars_;
    std::array<std::int16_t, 256> scan_{};
    std::array<std::uint8_t, 256> keycodes_{};
    std::bitset<256> modifierKeys_;
    std::uint8_t shiftKeycode_ = 0;
    std::uint8_t level3Keycode_ = 0;
    unsigned numLockMask_ = 0;
    unsigned level3Mask_ = 0;
};

}  // namespace qln::x11
