#pragma once

#include <cstdint>
#include <string_view>

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

    // A desktop that can type a character of the code page as itself, whatever its keyboard layout, does it here
    // and returns true.  The others return false, and playback presses the keys the layout names for it, with an
    // Alt code for characters from 128 up, as Windows types them.
    virtual bool typeCharacter(std::uint8_t /*ch*/) { return false; }
    // The same for an explicit Alt code ("0233", "065"): true when the desktop typed its character itself.
    virtual bool typeAltCode(std::string_view /*digits*/) { return false; }

    // A macro starts playing; `text` is what it will type (so that a desktop can prepare, such as mapping
    // characters its keyboard lacks all at once).
    virtual void beginMacro(std::string_view /*text*/) {}
    // More text the playing macro will type (a text file it plays).
    virtual void prepareText(std::string_view /*text*/) {}
    // The macro has sent its last event.
    virtual void endMacro() {}
};

}  // namespace qln
