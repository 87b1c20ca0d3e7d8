#pragma once

#include <cstdint>
#include <optional>

#include "platform/sim/SimDesktop.h"
#include "playback/PlaybackState.h"

namespace qln::tool {

// Plays the macro on the real X display ($DISPLAY): keys, mouse, windows, programs, the clipboard, launching
// and sounds are real; prompts are still the simulated desktop's scripted answers.  `abortAtMs` sends the abort
// request that many milliseconds after the start; SIGINT, SIGTERM and SIGHUP stop the macro, releasing what it
// holds.  Returns the exit code (128 + the signal after one); errors go to stderr.
int playOnX11(const PlaybackMacro& macro, sim::SimDesktop& desktop, std::optional<std::uint64_t> abortAtMs);

}  // namespace qln::tool
