#pragma once

#include <cstdint>
#include <variant>

#include "platform/Types.h"

namespace qln {

// What the hook library tells the main window.  Each notice keeps the message number it has always had
// (WM_USER + n), which the hook library's tests and the documentation use to name it.
namespace hook {

// A hot key pressed while a dialog waits for one to be chosen, instead of being played.
struct HotKeyToCapture {
    static constexpr std::uint32_t Number = 0x401;
    std::uint16_t code = 0;
};

// A hot key pressed in some program.
struct HotKeyPressed {
    static constexpr std::uint32_t Number = 0x402;
    std::uint16_t code = 0;
    bool capsLock = false;  // Caps Lock was on
    WindowHandle window = 0;  // the window in front
};

// One character of a running capture, for the macro being captured.
struct CaptureCharacter {
    static constexpr std::uint32_t Number = 0x403;
    std::uint16_t macro = 0;
    std::uint8_t character = 0;
};

// The user ended the capture with a stop key.
struct CaptureComplete {
    static constexpr std::uint32_t Number = 0x404;
    std::uint16_t macro = 0;
};

// Stop the playing macro at its next step.
struct AbortRequest {
    static constexpr std::uint32_t Number = 0x405;
};

// A character typed in some program, for Snipword matching.  Reset: the typing so far no longer counts
// (a click, a focus change); CapsLock: Caps Lock is on for this character.
struct TypedCharacter {
    static constexpr std::uint32_t Number = 0x406;
    enum class State : std::uint8_t { Plain, Reset, CapsLock };
    State state = State::Plain;
    std::uint8_t character = 0;
    // Counts the user's key presses: tells which keys came after this one (IPhysicalKeys::takeBackAfter).
    std::uint32_t press = 0;
};

// Another window came to the front.
struct WindowActivated {
    static constexpr std::uint32_t Number = 0x407;
    WindowHandle window = 0;
};

// The Caps Lock state at the moment a trigger fired.
struct CapsLockState {
    static constexpr std::uint32_t Number = 0x409;
    bool on = false;
};

// The end marker behind a played macro has arrived: the library accepts triggers again.
struct InUseCleared {
    static constexpr std::uint32_t Number = 0x40C;
};

// Keys the user pressed while a macro played are waiting: the next of them is to be sent
// (IPhysicalKeys::deliverHeldKeys).  Our own, with no number of the old library.
struct ReplayHeldKeys {
    static constexpr std::uint32_t Number = 0x40D;
};

}  // namespace hook

// One message of the program's own queue.
using Message = std::variant<hook::HotKeyToCapture, hook::HotKeyPressed, hook::CaptureCharacter, hook::CaptureComplete,
                             hook::AbortRequest, hook::TypedCharacter, hook::WindowActivated, hook::CapsLockState,
                             hook::InUseCleared, hook::ReplayHeldKeys>;

// The message's number, for traces and logs.
inline std::uint32_t messageNumber(const Message& m) {
    return std::visit([](const auto& v) { return std::decay_t<decltype(v)>::Number; }, m);
}

}  // namespace qln
