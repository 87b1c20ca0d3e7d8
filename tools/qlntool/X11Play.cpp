#include "X11Play.h"

#include <cstdio>
#include <stdexcept>
#include <string>

#include "platform/x11/X11Desktop.h"
#include "playback/DesktopEffects.h"
#include "playback/OnTopMessage.h"
#include "playback/Player.h"

namespace qln::tool {

int playOnX11(const PlaybackMacro& macro, sim::SimDesktop& desktop) {
    try {
        x11::X11Desktop x;
        x.windows().setWarningHandler([](const std::string& m) { std::fprintf(stderr, "qlntool: %s\n", m.c_str()); });
        const Platform sim = desktop.platform();
        Platform platform{x.input(), x.keymap(),    x.input(), x.clock(),     x.pump(),
                          sim.hook,  sim.prompts,   sim.app,   x.windows(),   x.pump(),
                          x.processes(), x.clipboard(), x.shell(), x.sound()};
        OnTopMessage messages(platform);
        DesktopEffects effects(platform);
        Player player(platform, effects, messages);
        effects.setReturnWindow(&player.state().returnWindow);
        player.state().capsLockFlag = x.keymap().capsLockOn();
        player.state().returnWindow = x.windows().foregroundWindow();
        player.IntoProgram(macro);
        x.display().sync();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qlntool play: %s\n", e.what());
        return 1;
    }
}

}  // namespace qln::tool
