#pragma once

#include "platform/sim/SimDesktop.h"
#include "playback/PlaybackState.h"

namespace qln::tool {

// Plays the macro on the real X display ($DISPLAY): keys, mouse, windows and programs are real; the clipboard,
// launching, sounds and prompts are still the simulated desktop's.  Returns the exit code; errors go to stderr.
int playOnX11(const PlaybackMacro& macro, sim::SimDesktop& desktop);

}  // namespace qln::tool
