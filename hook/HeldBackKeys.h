#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "hook/KeyHoldBack.h"
#include "hook/RawInputWatch.h"
#include "platform/MessagePump.h"
#include "platform/x11/X11Display.h"

namespace qln::hook {

// Holds back the user's keyboards while a triggered macro plays, on the X server: each keyboard of the user (not
// the XTest devices, which carry our own typing) is grabbed as a device, which takes it off the core keyboard, so
// its keys reach us alone.  They are replayed through XTest once the macro is done, one press at a time as the
// program handles them, so a hot key or Snipword among them plays its macro before the keys that follow it.
//
// While the macro waits for the user (a pause, a prompt), the keyboards are let go; what was held back stays
// queued.  A keyboard another program holds grabbed (a screen lock) cannot be taken: its keys go through as
// they come, as they did before.
class HeldBackKeys {
public:
    HeldBackKeys(x11::X11Display& display, IMessagePump& pump);
    ~HeldBackKeys();
    HeldBackKeys(const HeldBackKeys&) = delete;
    HeldBackKeys& operator=(const HeldBackKeys&) = delete;

    // A triggered macro starts: the user's keyboards are taken (they may be already, while earlier keys are
    // replayed).  `abortKeycode` is the key that stops the macro.
    void start(std::uint8_t abortKeycode);
    // The macro waits for the user (true) or goes on (false).
    void userTurn(bool on);
    // The macro is done: the replay may begin.
    void macroEnded();
    // Sends the held-back keys up to the next press, when no macro plays and the user's turn is not on; true when
    // that press went out (the program is to handle what it did before the next one: ReplayHeldKeys is posted).
    // Once the queue is empty the keyboards are let go.
    bool replayNext();

    // Keys that reached the program in front after the trigger, before the keyboards were taken: they go first
    // when the held-back keys are replayed.
    void takeBack(const std::vector<HeldKey>& keys);

    // A key of a keyboard we hold.  Returns true when `r` was one.
    bool handle(const RawInput& r);
    // Keyboards are held or keys wait to be replayed.
    bool holding() const { return !grabbed_.empty() || !queue_.empty(); }
    // Keys wait to be replayed.
    bool waiting() const { return !queue_.empty(); }
    // Runs when a key arrives that waits while no macro plays (the program is to ask for the replay).
    void setOnPending(std::function<void()> onPending) { onPending_ = std::move(onPending); }
    bool playing() const { return playing_; }

private:
    void grab();
    void ungrab();
    void releaseNow(const std::vector<std::uint8_t>& keycodes);
    std::bitset<256> keysDownOnGrabbed() const;
    std::bitset<256> coreKeysDown() const;

    x11::X11Display& display_;
    IMessagePump& pump_;
    KeyHoldBack queue_;
    std::vector<int> grabbed_;    // device ids
    std::vector<void*> opened_;   // the same devices, opened to read their keys
    std::uint8_t abortKeycode_ = 0;
    bool playing_ = false;
    bool userTurn_ = false;
    bool replayAsked_ = false;
    std::function<void()> onPending_;
};

}  // namespace qln::hook
