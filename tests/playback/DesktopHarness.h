#pragma once

#include <cstdio>
#include <string>

#include "platform/sim/SimDesktop.h"
#include "playback/PlaybackSession.h"
#include "support/TraceReading.h"

namespace qln::test {

// A player whose tags act on a simulated desktop set up by the test.
class DesktopHarness : public IMacroFileSwap {
public:
    explicit DesktopHarness(bool notepad = true, bool capsLock = false)
        : desktop(sim::SimDesktopOptions{{1024, 768}, {2026, 1, 9, 14, 7, 3, 0}, capsLock, notepad}),
          session(desktop.platform(), this),
          platform(session.platform()),
          effects(session.effects()),
          messages(session.messages()),
          player(session.player()) {
        player.state().capsLockFlag = capsLock;
    }

    WindowHandle addWindow(const std::string& title, const std::string& program, Rect rect = {0, 0, 400, 300},
                           WindowHandle parent = 0) {
        sim::SimDesktopWindows::Window w;
        w.title = title;
        w.pid = desktop.processes().start(program);
        w.rect = rect;
        w.parent = parent;
        return desktop.windows().addWindow(w);
    }

    void play(std::string_view text) {
        player.state().returnWindow = desktop.windows().foregroundWindow();
        desktop.trace().clear();
        player.IntoProgram(PlaybackMacro{"Desktop test", 10000, std::string(text)});
    }

    std::vector<std::string> lines() const { return desktop.trace().lines(); }
    std::string typed() const { return typedLetters(lines()); }

    void swapMacroFile(std::string_view file) override { swapped = std::string(file); }

    sim::SimDesktop desktop;
    PlaybackSession session;
    Platform& platform;
    DesktopEffects& effects;
    OnTopMessage& messages;
    Player& player;
    std::string swapped;
};

}  // namespace qln::test
