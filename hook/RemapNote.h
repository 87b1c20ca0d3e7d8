#pragma once

#include <functional>
#include <string>
#include <vector>

#include "hook/KeymapLevels.h"
#include "platform/posix/RuntimeFolder.h"
#include "platform/x11/ProcessNotes.h"
#include "platform/x11/X11Display.h"

namespace qln::hook {

// A level of the keymap the remapper changed: what it typed before and what we put there.
struct RemappedLevel {
    KeyLevel at;
    unsigned long original = 0;
    unsigned long ours = 0;
    bool operator==(const RemappedLevel&) const = default;
};

// The remapper's note of what it changed on a display, in a small file of the user's runtime folder
// (remap-<display>-<pid> in $XDG_RUNTIME_DIR/quillon, else /tmp/quillon-<uid>).  It holds the writer's lines (pid
// with its start time, user, display, the server's token) and a line "level keycode group level original ours"
// for each changed level.  A program killed while keys are remapped leaves it, and the next start on that
// display's server puts back the levels that still hold what it put there; a note of another server is removed
// unused.
class RemapNote {
public:
    explicit RemapNote(x11::X11Display& display);
    RemapNote(const RemapNote&) = delete;
    RemapNote& operator=(const RemapNote&) = delete;

    // Notes the levels (written whole, then renamed into place); nothing noted removes the note.
    void write(const std::vector<RemappedLevel>& levels) const;
    void remove() const;
    std::string path() const;

    // Hands what each note of a program that no longer runs left on this display's server to `undo`, then
    // removes the note.  Returns how many notes there were.
    static int takeLeftovers(x11::X11Display& display,
                             const std::function<void(const std::vector<RemappedLevel>&)>& undo);

private:
    static std::string prefixOf(const std::string& displayName);
    posix::RuntimeFolder folder_;
    x11::NoteWriter self_;
    std::string name_;
};

}  // namespace qln::hook
