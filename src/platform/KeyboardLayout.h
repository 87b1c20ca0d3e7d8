#pragma once

#include <cstdint>

namespace qln {

// Shift-state bits in the high byte of a key scan answer.
namespace shiftstate {
constexpr std::uint8_t Shift = 1;
constexpr std::uint8_t Ctrl = 2;
constexpr std::uint8_t Alt = 4;
}  // namespace shiftstate

// The active keyboard layout, answering as the Windows layout functions do.
class IKeyboardLayout {
public:
    virtual ~IKeyboardLayout() = default;
    // The key that types character ch: virtual key in the low byte, shift state in the high byte;
    // -1 when no key of the layout produces it.
    virtual std::int16_t vkKeyScan(std::uint8_t ch) const = 0;
    // The hardware scan code of a virtual key (map type 0); 0 when the layout has none.
    virtual std::uint8_t mapVirtualKey(std::uint8_t vk) const = 0;
    virtual bool capsLockOn() const = 0;
};

}  // namespace qln
