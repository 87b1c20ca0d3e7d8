#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "hook/RemapNote.h"
#include "platform/KeyRemapper.h"
#include "platform/x11/X11Events.h"

namespace qln::hook {

// The keyboard remapper on X11: while remapping is in use, the levels of the keymap that type a remapped
// character in the active layout type its new character instead (VoidSymbol for none).  Every change is computed
// from the keyboard as it was before our first change, and what we change is noted (RemapNote) before the server
// sees it, so a later start can undo what a killed program left.
//
// Follows the layout: a switch to another group moves the remapping to that group, and a new keymap (setxkbmap,
// another keyboard) is remapped afresh.  Other changes of single keys (a program borrowing a keycode) are left
// alone; a level that no longer holds what we put there is no longer ours, and is never "restored".
class X11Remapper : public IKeyRemapper {
public:
    // Works on the connection of `events` (whose event loop must run for it to follow the layout), after putting
    // back what killed predecessors left remapped on that display.
    explicit X11Remapper(x11::X11Events& events);
    // Restores the keyboard.
    ~X11Remapper() override;
    X11Remapper(const X11Remapper&) = delete;
    X11Remapper& operator=(const X11Remapper&) = delete;

    void apply(std::span<const std::uint8_t, 93> tables) override;
    // Safe at any time, again and again (the orderly quit after SIGTERM or SIGINT calls it).
    void restore() override;
    // Whether remapping tables are in use (applied and not restored since).
    bool applied() const override { return active_; }

    // Puts back the levels that programs no longer running left remapped on this display (those still holding
    // what they put there).  Returns how many of their notes were found.
    static int restoreAfterCrash(x11::X11Display& display);

    // The levels changed now.
    const std::vector<RemappedLevel>& remapped() const { return held_; }
    std::string notePath() const { return note_.path(); }

private:
    // Brings the keymap in line with the tables (or with no remapping at all when not in use).
    void update();
    bool handleEvent(void* event);
    // Tells the typing side which keys are remapped now.
    void publishRemappedKeys(const std::vector<RemappedLevel>& levels);

    x11::X11Events& events_;
    RemapNote note_;
    std::array<std::uint8_t, 93> tables_{};
    bool active_ = false;
    std::vector<RemappedLevel> held_;
    int xkbEventBase_ = -1;
    int group_ = 0;
    int filter_ = 0;
};

}  // namespace qln::hook
