#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace qln::hook {

// One key going down or up.
struct HeldKey {
    std::uint8_t keycode = 0;
    bool press = false;
    bool operator==(const HeldKey&) const = default;
};

// What becomes of the keys the user presses while a triggered macro plays: they wait, in order, and reach the
// program in front once the macro is done, so they are never typed into the middle of its text nor erased by a
// Snipword's Backspaces.  Keys that were already down when the wait began (the trigger's own) are let go at once
// when the user releases them, so the trigger ends.  The abort key is the exception: it stops the macro.
//
// Nothing here is kept beyond the replay, and the queue is bounded: keys beyond it are dropped, press and release
// alike.
class KeyHoldBack {
public:
    static constexpr std::size_t MaxQueued = 4096;

    enum class Action {
        Pass,   // let it through now (the release of a key that was down before)
        Hold,   // queued for later
        Abort,  // the abort key: the macro stops
        Drop,   // nothing at all (the abort key's release, a key beyond the bound)
    };

    // Holding back begins, or begins again after the user's turn: `held` are the keys the user's keyboards hold
    // now, `coreDown` the keys down on the core keyboard (pressed before the keyboards were taken, whatever held
    // them): their releases pass.  Keys the replay of an earlier macro's keys pressed and has not released yet
    // are the new trigger's: they are returned, to be released now, unless the user still holds them (then their
    // release passes when it comes).  A queued press whose key was let go while we did not look gets its release.
    std::vector<std::uint8_t> begin(const std::bitset<256>& held, const std::bitset<256>& coreDown);
    // Keys that reached the program in front after the trigger but before holding back began: they are taken
    // back (the caller erases what they typed) and go first when the queue is replayed.
    void takeBack(const std::vector<HeldKey>& keys);
    // The replay is over: the keys it pressed that the user no longer holds, to be released now.
    std::vector<std::uint8_t> finish(const std::bitset<256>& down);
    // A key of the user's keyboard while holding back.
    Action key(std::uint8_t keycode, bool press, bool abortKey);

    // The queued keys up to and including the next press, which count as sent.
    std::vector<HeldKey> nextBatch();
    bool empty() const { return queue_.empty(); }
    // Keys the replay pressed and has not released yet.
    const std::bitset<256>& replayedDown() const { return replayedDown_; }
    // Forget everything (the keyboards were let go for good).
    void clear();

private:
    // The last queued event of a key: nothing, a release or a press.
    enum class Last { Nothing, Release, Press };
    Last lastQueued(std::uint8_t keycode) const;

    std::deque<HeldKey> queue_;
    std::bitset<256> passRelease_;  // down before: their release passes at once
    std::bitset<256> dropRelease_;  // their press was dropped (or was the abort key)
    std::bitset<256> replayedDown_;
};

}  // namespace qln::hook
