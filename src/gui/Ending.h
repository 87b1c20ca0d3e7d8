#pragma once

#include <functional>

namespace qln::gui {

// The program ends on a quit request (SIGTERM, SIGINT or SIGHUP, through the event loop) at once, whatever is
// open: a message box or dialog waiting for a person would otherwise hold the exit until someone clicks.
namespace ending {

// Closes every open message box, dialog and popup menu.  Then, once the loops they ran (and the waits of a
// playing macro) have returned, runs `closeMain`, so that no code after a box runs on a closed main window.
void begin(std::function<void()> closeMain = {});

// Whether the program is ending: a message from now on goes to standard error, not into a box.
bool underway();

// Tests only: as if the program had just started.
void forget();

}  // namespace ending

}  // namespace qln::gui
