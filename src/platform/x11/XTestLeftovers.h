#pragma once

#include <string>
#include <vector>

#include "platform/x11/SpareKeycodes.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/XInputDevices.h"

namespace qln::x11 {

// What this program holds on the display while it plays (the XTest devices may hold keys of ours, spare
// keycodes carry our characters), noted in a small file of the user's runtime folder.  A start looks for the
// notes of programs that were killed on this display and undoes what they left: the keys and buttons held on
// the XTest devices while a macro played, and the characters on borrowed keycodes.
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

    // The folder the notes are kept in ($XDG_RUNTIME_DIR/quillon, else a private folder in /tmp).
    static std::string folder();

private:
    void cleanUp(const std::string& path);

    X11Display& display_;
    const XInputDevices& devices_;
    std::string prefix_;  // the notes of this display: prefix + pid
    std::string path_;    // our own note
    int cleanedUp_ = 0;
};

}  // namespace qln::x11
