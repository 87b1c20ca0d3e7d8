#pragma once

#include <functional>
#include <string>
#include <vector>

#include "hook/KeymapLevels.h"

namespace qln::hook {

// A level of the keymap the remapper changed: what it typed before and what we put there.
struct RemappedLevel {
    KeyLevel at;
    unsigned long original = 0;
    unsigned long ours = 0;
    bool operator==(const RemappedLevel&) const = default;
};

// The remapper's note of what it changed on a display, in a small file of the user's runtime folder
// (remap-<display>-<pid> in $XDG_RUNTIME_DIR/quillon, else a private folder in /tmp).  It holds the pid with
// its start time, the display's name, and a line "level keycode group level original ours" for each changed
// level.  A program killed while keys are remapped leaves it, and the next start on that display puts back the
// levels that still hold what it put there.
class RemapNote {
public:
    explicit RemapNote(const std::string& displayName);
    RemapNote(const RemapNote&) = delete;
    RemapNote& operator=(const RemapNote&) = delete;

    // Notes the levels (written whole, then renamed into place); nothing noted removes the note.
    void write(const std::vector<RemappedLevel>& levels) const;
    void remove() const;
    const std::string& path() const { return path_; }

    // Hands what each note of a program that no longer runs left on this display to `undo`, then removes the
    // note.  Returns how many notes there were.
    static int takeLeftovers(const std::string& displayName,
                             const std::function<void(const std::vector<RemappedLevel>&)>& undo);

private:
    static std::string prefixOf(const std::string& displayName);
    std::string display_;
    std::string path_;
};

}  // namespace qln::hook
