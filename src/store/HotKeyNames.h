#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qln {

// The 720 fixed hot key combinations, by hot key code.
constexpr int HotKeyCount = 720;

// The display name of a hot key code (at most 24 characters); empty outside 0..719.
const std::string& hotKeyName(int code);

// The name table as stored: 720 length-prefixed slots of 25 bytes.
std::vector<std::uint8_t> hotKeyNameSlots();

// The keys of a hot key code.
struct DecipheredKey {
    std::uint16_t vk = 0;
    std::uint16_t mouseButton = 0;  // 0 none, 1 left, 2 right, 3 middle
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
    bool win = false;
    bool operator==(const DecipheredKey&) const = default;
};
DecipheredKey DecipherKey(int code);

}  // namespace qln
