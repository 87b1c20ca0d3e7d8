#include "X11Play.h"

#include <cstdio>

#ifndef QLN_WITH_X11

namespace qln::tool {

int playOnX11(const PlaybackMacro&, sim::SimDesktop&, std::optional<std::uint64_t>) {
    std::fputs("qlntool play: this qlntool was built without the X11 desktop (--x11 --dry-run still plays)\n",
               stderr);
    return 1;
}

}  // namespace qln::tool

#else

#include <stdexcept>
#include <string>

#include "platform/posix/RuntimeFolder.h"
#include "platform/posix/TerminationSignals.h"
#include "platform/x11/X11Desktop.h"
#include "playback/PlaybackSession.h"

namespace qln::tool {

int playOnX11(const PlaybackMacro& macro, sim::SimDesktop& desktop, std::optional<std::uint64_t> abortAtMs) {
    if (const posix::RuntimeFolder runtime; !runtime.usable())
        std::fprintf(
            stderr, "qlntool play: %s  What this run holds on the display is not noted for a clean-up after a crash.\n",
            runtime.problem().c_str());
    try {
        x11::X11Desktop x;
        x.windows().setWarningHandler([](const std::string& m) { std::fprintf(stderr, "qlntool: %s\n", m.c_str()); });
        TerminationSignals signals(x.pump(), x.pump());
        PlaybackSession session(x.platform(desktop.platform()));
        x.pump().setHandler(&session);
        TimerId abortTimer = 0;
        if (abortAtMs) {
            abortTimer = x.pump().startTimer(static_cast<std::uint32_t>(*abortAtMs), [&] {
                x.pump().post(hook::AbortRequest{});
                x.pump().stopTimer(abortTimer);
            });
        }
        session.playTriggered(macro);
        x.pump().stopTimer(abortTimer);
        x.finish();
        x.pump().setHandler(nullptr);
        return signals.received() != 0 ? 128 + signals.received() : 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qlntool play: %s\n", e.what());
        return 1;
    }
}

}  // namespace qln::tool

#endif
