#include "X11Play.h"

#include <cstdio>
#include <stdexcept>

#include "platform/SystemClock.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11Input.h"
#include "platform/x11/X11Keymap.h"
#include "platform/x11/X11Pump.h"
#include "playback/DesktopEffects.h"
#include "playback/OnTopMessage.h"
#include "playback/Player.h"

namespace qln::tool {

int playOnX11(const PlaybackMacro& macro, sim::SimDesktop& desktop) {
    try {
        x11::X11Display display;
        x11::X11Keymap keymap(display);
        x11::X11Input input(display, keymap);
        SystemClock clock;
        x11::X11Pump pump(display, keymap, clock);
        const Platform sim = desktop.platform();
        Platform platform{input,       keymap,     input,         clock,         pump,
                          sim.hook,    sim.prompts, sim.app,      sim.windows,   sim.timers,
                          sim.processes, sim.clipboard, sim.shell, sim.sound};
        OnTopMessage messages(platform);
        DesktopEffects effects(platform);
        Player player(platform, effects, messages);
        effects.setReturnWindow(&player.state().returnWindow);
        player.state().capsLockFlag = keymap.capsLockOn();
        player.IntoProgram(macro);
        display.sync();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qlntool play: %s\n", e.what());
        return 1;
    }
}

}  // namespace qln::tool
