#pragma once

#include <string>
#include <vector>

#include "platform/posix/RuntimeFolder.h"
#include "platform/x11/ProcessNotes.h"
#include "platform/x11/SpareKeycodes.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/XInputDevices.h"

namespace qln::x11 {

// What this program holds on the display while it plays (the XTest devices may hold keys of ours, spare
// keycodes carry our characters), noted in a small file of the user's runtime folder (xtest-<display>-<pid>: the
// writer's lines, "playing 0|1", and "keycode K first second" for each borrowed keycode).  A start looks for the
// notes of programs that were killed on this display's server and undoes what they left: the keys and buttons held
// on the XTest devices while a macro played, and the characters on borrowed keycodes.  Without a runtime folder
// we may trust, nothing is noted and nothing is undone.
class XTestLeftovers {
public:
    // Cleans up after killed predecessors on this display.
    XTestLeftovers(X11Display& display, const XInputDevices& devices);
    ~XTestLeftovers();
    XTestLeftovers(const XTestLeftovers&) = delete;
    XTestLeftovers& operator=(const XTestLeftovers&) = delete;

    // Notes whether a macro plays and what is borrowed now; without either, the note is removed.
    void note(bool playing, const std::vector<SpareKeycodes::Borrowed>& borrowed);
    // How many predecessors' notes the start cleaned up.
    int cleanedUp() const { return cleanedUp_; }

private:
    void cleanUp(const std::string& name);

    X11Display& display_;
    const XInputDevices& devices_;
    posix::RuntimeFolder folder_;
    NoteWriter self_;
    std::string prefix_;  // the notes of this display: prefix + pid
    std::string name_;    // our own note
    int cleanedUp_ = 0;
};

}  // namespace qln::x11
