#pragma once

#include "platform/sim/SimDesktop.h"
#include "playback/PlaybackState.h"

namespace qln::tool {

// Plays the macro with its keys and mouse on the real X display ($DISPLAY); windows, clipboard and the rest are
// still the simulated desktop's.  Returns the exit code; errors go to stderr.
int playOnX11(const PlaybackMacro& macro, sim::SimDesktop& desktop);

}  // namespace qln::tool
