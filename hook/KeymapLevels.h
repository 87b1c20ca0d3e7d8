#pragma once

#include <compare>
#include <cstdint>
#include <optional>

struct _XDisplay;
struct _XkbDesc;

namespace qln::hook {

// One level of one key in one of its groups (layouts).
struct KeyLevel {
    std::uint8_t keycode = 0;
    std::uint8_t group = 0;
    std::uint8_t level = 0;
    auto operator<=>(const KeyLevel&) const = default;
};

// The server's keymap read once through the keyboard extension, changed symbol by symbol and sent back in one
// request.  Only symbols change: the keys keep their types (Caps Lock and AltGr behave as before), so putting the
// old symbols back gives the old keymap exactly.  Callers grab the server around read and send, so nobody's
// change in between is overwritten.
class KeymapLevels {
public:
    // Reads the keymap and the active group; invalid when the server has no keyboard extension.
    explicit KeymapLevels(_XDisplay* display);
    ~KeymapLevels();
    KeymapLevels(const KeymapLevels&) = delete;
    KeymapLevels& operator=(const KeymapLevels&) = delete;

    bool valid() const { return xkb_ != nullptr; }
    int minKeycode() const;
    int maxKeycode() const;
    // The layout group in use now.
    int activeGroup() const { return group_; }
    // The group a key shows while `group` is in use (a key with fewer groups wraps or clamps); -1 without any.
    int groupOf(int keycode, int group) const;
    // How many levels the key has in its group.
    int levels(int keycode, int group) const;
    // The symbol at that place; nothing when the key has no such level.
    std::optional<unsigned long> symbol(const KeyLevel& at) const;

    // Changes a symbol here; false when the key has no such level.
    bool set(const KeyLevel& at, unsigned long symbol);
    // Sends what was changed (nothing when nothing was); false when the request could not be made.
    bool send();

private:
    _XDisplay* display_;
    _XkbDesc* xkb_ = nullptr;
    int group_ = 0;
    int firstChanged_ = 256;
    int lastChanged_ = -1;
};

}  // namespace qln::hook
