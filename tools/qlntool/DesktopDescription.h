#pragma once

#include <string>

#include "platform/sim/SimDesktop.h"

namespace qln::tool {

// Sets up the simulated desktop from a JSON description (format in docs/trace-format.md).  Returns an error
// message naming the file and the problem, or an empty string.
std::string loadDesktopDescription(const std::string& path, sim::SimDesktop& desktop);
// The screen size a description asks for, if any (the desktop is built with it).
std::string readDesktopScreen(const std::string& path, ScreenSize& screen);

// The desktop's final state: screen, foreground, windows front to back, running programs, clipboard.
std::string dumpDesktop(sim::SimDesktop& desktop);

}  // namespace qln::tool
