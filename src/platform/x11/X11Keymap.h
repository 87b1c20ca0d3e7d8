#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/KeyboardLayout.h"
#include "platform/x11/X11Display.h"

namespace qln::x11 {

// The live X keymap seen through Windows virtual keys: which keycode a virtual key presses, and which virtual key
// and shift state type a character.  Characters the keymap lacks are typed through spare keycodes that are
// remapped for them and kept, least recently used first to be reused.
class X11Keymap : public IKeyboardLayout {
public:
    explicit X11Keymap(X11Display& display);
    ~X11Keymap() override;

    std::int16_t vkKeyScan(std::uint8_t ch) const override { return scan_[ch]; }
    std::uint8_t mapVirtualKey(std::uint8_t vk) const override { return keycodes_[vk]; }
    bool capsLockOn() const override;

    // The keycode of a virtual key; 0 when the keymap has none.
    std::uint8_t keycode(std::uint8_t vk) const { return keycodes_[vk]; }
    // A keycode and whether Shift is needed to type the Unicode character; remaps a spare keycode if needed.
    struct Stroke {
        std::uint8_t keycode = 0;
        bool shift = false;
    };
    Stroke strokeFor(char32_t ch);
    // Reads the keymap again (after the server announced a change).
    void refresh();

private:
    X11Display& display_;
    std::array<std::int16_t, 256> scan_{};
    std::array<std::uint8_t, 256> keycodes_{};
    std::vector<std::uint8_t> spare_;         // keycodes without symbols, ours to remap
    std::vector<unsigned long> spareSymbol_;  // what each spare keycode now types (0: nothing)
    std::vector<std::uint64_t> spareUsed_;    // last use, for least-recently-used reuse
    std::vector<std::int64_t> spareTime_;     // when it was last used (steady clock, ms)
    std::uint64_t uses_ = 0;
    int minKeycode_ = 8;
    int maxKeycode_ = 255;
};

}  // namespace qln::x11
