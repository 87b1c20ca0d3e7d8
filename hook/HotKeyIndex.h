#pragma once

#include <compare>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace qln::hook {

// The X modifier masks the hot keys are made of, as the server's modifier map assigns them.
struct ModifierMasks {
    unsigned shift = 1;
    unsigned lock = 2;
    unsigned control = 4;
    unsigned alt = 8;
    unsigned win = 64;
    unsigned numLock = 16;
    // The modifiers that tell hot keys apart (the locks do not).
    unsigned relevant() const { return shift | control | alt | win; }
};

// One passive grab on the root window: a keycode, or a mouse button (keycode 0), with exact modifiers.
struct Grab {
    std::uint8_t keycode = 0;
    unsigned button = 0;
    unsigned modifiers = 0;
    auto operator<=>(const Grab&) const = default;
};

// Which hot key code a key or button with given modifiers is, for the codes in use, and the grabs that keep
// those keys from the focused program.
class HotKeyIndex {
public:
    using KeycodeOf = std::function<std::uint8_t(std::uint16_t vk)>;

    // `inUse`: one byte per hot key code, nonzero = report it.
    void rebuild(std::span<const std::uint8_t> inUse, const KeycodeOf& keycodeOf, const ModifierMasks& masks);

    // `modifiers` may include the locks; they are ignored.
    std::optional<int> keyCode(std::uint8_t keycode, unsigned modifiers) const;
    std::optional<int> buttonCode(unsigned button, unsigned modifiers) const;

    // Every grab, with the hot key code it serves: each key once per lock combination (none, Caps Lock, Num Lock,
    // both) since grabs match modifiers exactly.  Bare mouse buttons are not grabbed (every click would be lost);
    // they are watched instead.  Ctrl+Alt+F1..F12 are left to the server, which keeps them.
    const std::vector<std::pair<int, Grab>>& grabs() const { return grabs_; }

private:
    ModifierMasks masks_;
    std::map<std::pair<std::uint8_t, unsigned>, int> keys_;
    std::map<std::pair<unsigned, unsigned>, int> buttons_;
    std::vector<std::pair<int, Grab>> grabs_;
};

// The lock combinations one grab is repeated for.
std::vector<unsigned> lockCombinations(const ModifierMasks& masks);

}  // namespace qln::hook
