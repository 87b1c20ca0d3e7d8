#pragma once

#include <chrono>

namespace qln {

// The keys of a trigger and of the user while a triggered macro plays.
class IPhysicalKeys {
public:
    virtual ~IPhysicalKeys() = default;
    // Blocks in the event loop (never spinning) until the keys and buttons that were down when the macro was
    // marked in use are up, whatever device holds them (a keyboard, an on-screen keyboard, a remote desktop,
    // another program's synthetic input), or `limit` has passed.  True when they were released in time.  A
    // triggered macro waits here first, so its text never arrives with the trigger's keys still held.
    virtual bool waitUntilReleased(std::chrono::milliseconds limit) = 0;
    // The playing macro waits for the user (a pause, a prompt: true) or goes on (false).  Meanwhile the user's
    // keys go where they always go.
    virtual void userTurn(bool /*on*/) {}
    // Keys the user pressed while the macro played reach the program in front, the next of them now
    // (hook::ReplayHeldKeys asks for it).
    virtual void deliverHeldKeys() {}
    // Keys the user pressed after the typed character numbered `press` (hook::TypedCharacter::press) that reached
    // the program in front before the macro began to hold keys back: when each of them typed a character, they
    // are taken back to come again after the macro, and their number is returned (the macro erases that many
    // more characters).  0 when none came, or one of them was a key whose effect Backspace cannot undo.
    virtual int takeBackAfter(std::uint32_t /*press*/) { return 0; }
};

}  // namespace qln
