#pragma once

#include <string>

namespace qln::x11 {

// The notes a program keeps of what it holds on a display, so that a later start can undo what a killed one left:
// who wrote a note and whether that program still runs.

// When the process started (clock ticks after boot), empty when it does not exist: a pid that was reused by
// another program does not match.
std::string processStartTime(long pid);
// The process `pid` that started at `started` is still running.
bool processRunning(long pid, const std::string& started);
// A display name as part of a file name.
std::string noteName(std::string displayName);

}  // namespace qln::x11
