#pragma once

#include <string>

#include "platform/sim/SimDesktop.h"
#include "platform/x11/X11Desktop.h"
#include "playback/PlaybackSession.h"

namespace qln::test {

// The real desktop for everything X11 answers, the simulated one for the program's own prompts and main window.
struct X11Platform {
    explicit X11Platform(x11::X11Desktop& xd) : platform(xd.platform(sim.platform())) {}
    sim::SimDesktop sim{{}};
    Platform platform;
};

// Plays a macro on the real desktop, as a trigger would.
inline void playOnX11(x11::X11Desktop& xd, const std::string& text) {
    X11Platform p(xd);
    PlaybackSession session(p.platform);
    session.playTriggered(PlaybackMacro{"x11 test", 10000, text});
    xd.display().sync();
}

}  // namespace qln::test
