#pragma once

#include <cstdint>
#include <string>

#include "platform/posix/RuntimeFolder.h"
#include "platform/x11/ProcessNotes.h"
#include "platform/x11/X11Display.h"

namespace qln::hook {

// The key the program presses behind every triggered macro (virtual key 43, Execute).  Few keyboards have it, so
// a keycode without symbols is given Execute when no key carries it, and the key is grabbed with any modifiers:
// the focused program never sees it.  The borrowed keycode is given back at the end, and noted meanwhile
// (endmarker-<display>-<pid> in the runtime folder: the writer's lines and "keycode K"), so that a start after a
// kill takes over the keycode its predecessor left carrying Execute, or gives it back when a key has Execute.
class EndMarkerKey {
public:
    explicit EndMarkerKey(x11::X11Display& display);
    ~EndMarkerKey();
    EndMarkerKey(const EndMarkerKey&) = delete;
    EndMarkerKey& operator=(const EndMarkerKey&) = delete;

    // 0 when the keymap has neither Execute nor a free keycode.
    std::uint8_t keycode() const { return keycode_; }
    // After a change of the keymap: puts Execute back (someone loaded a new keymap) and grabs its key anew.
    void keymapChanged();

private:
    void takeLeftovers();
    void ensure();
    void grab(bool on);
    void noteBorrowed();

    x11::X11Display& display_;
    posix::RuntimeFolder folder_;
    x11::NoteWriter self_;
    std::string prefix_;  // the notes of this display
    std::string name_;    // our own
    std::uint8_t keycode_ = 0;
    std::uint8_t borrowed_ = 0;  // the keycode we gave Execute to
};

}  // namespace qln::hook
