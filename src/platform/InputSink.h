#pragma once

#include <cstdint>

namespace qln {

// Flags of one mouse event, as the system's mouse input takes them.
namespace mouse {
constexpr std::uint32_t LeftDown = 2;
constexpr std::uint32_t LeftUp = 4;
constexpr std::uint32_t RightDown = 8;
constexpr std::uint32_t RightUp = 16;
constexpr std::uint32_t MiddleDown = 32;
constexpr std::uint32_t MiddleUp = 64;
constexpr std::uint32_t Wheel = 2048;
// Move plus absolute: coordinates span 0..65535 over the whole primary screen.
constexpr std::uint32_t AbsoluteMove = 32769;
}  // namespace mouse

// Where synthetic input leaves the program: one call is one key or mouse event.
class IInputSink {
public:
    virtual ~IInputSink() = default;
    // vk: Windows virtual key; scan: its hardware scan code; up: a release instead of a press.
    virtual void keyEvent(std::uint8_t vk, std::uint8_t scan, bool up) = 0;
    // wheel: the wheel amount, 120 per notch, negative backwards.
    virtual void mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t wheel) = 0;
};

}  // namespace qln
