#pragma once

#include <istream>
#include <optional>
#include <string>

#include "platform/x11/X11Display.h"

namespace qln::x11 {

// The notes a program keeps of what it holds on a display, so that a later start can undo what a killed one left:
// who wrote a note, for which display and server, and whether that program still runs.

// When the process started (clock ticks after boot), empty when it does not exist: a pid that was reused by
// another program does not match.
std::string processStartTime(long pid);
// The process `pid` that started at `started` is still running.
bool processRunning(long pid, const std::string& started);
// A display name as part of a file name.
std::string noteName(std::string displayName);

// The X server behind the connection, told apart from an earlier server of the same display name: a random token
// in the property _QUILLON_SERVER of the root window, put there by the first of our programs on that server.  A
// new server never has it, so a note of a server that died is never taken for one of this server.
std::string serverToken(X11Display& display);

// Who wrote a note: the program (pid and start time), its user, the display and its server.  A note begins with
//     pid 12345 987654
//     uid 1000
//     display :0
//     server 5a0c31f2e27d9b4c
struct NoteWriter {
    long pid = 0;
    std::string started;
    long uid = -1;
    std::string display;
    std::string server;

    // This program on the display.
    static NoteWriter self(X11Display& display);
    // The note's first lines.
    std::string lines() const;
    // The first lines of a note read back; nothing when they are missing or damaged.
    static std::optional<NoteWriter> read(std::istream& note);
};

// What a start does with a note it found.
enum class NoteFate {
    Keep,    // its writer still runs: it is that program's
    Undo,    // its writer is gone: undo what it left on this server, then remove the note
    Remove,  // damaged, or written for another user, display or server: removed without acting on it
};
NoteFate fateOf(const std::optional<NoteWriter>& writer, const NoteWriter& self);

}  // namespace qln::x11
