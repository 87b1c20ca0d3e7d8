#include "platform/x11/X11Desktop.h"

namespace qln::x11 {

namespace {
constexpr std::uint32_t kGiveBackEveryMs = 1000;
}

X11Desktop::X11Desktop(const std::string& displayName)
    : X11Desktop(displayName, [this](X11Events& events, const IClock& clock) {
          ownPump_ = std::make_unique<X11Pump>(events, clock);
          return EventLoop{*ownPump_, *ownPump_, *ownPump_};
      }) {}

X11Desktop::X11Desktop(const std::string& displayName, const LoopMaker& makeLoop)
    : display_(displayName),
      events_(display_),
      loop_(makeLoop(events_, clock_)),
      keymap_(events_),
      devices_(display_),
      leftovers_(display_, devices_),
      spares_(display_, keymap_, loop_.pump, clock_),
      input_(display_, keymap_, spares_, devices_, leftovers_),
      windows_(display_, loop_.pump, clock_),
      clipboard_(events_, clock_),
      sound_(display_, loop_.pump, loop_.watch, clock_) {
    // Keycodes borrowed for characters the keymap lacks go back once nothing has used them for a while.
    giveBack_ = loop_.timers.startTimer(kGiveBackEveryMs, [this] { spares_.giveBackIdle(); });
}

X11Desktop::~X11Desktop() {
    loop_.timers.stopTimer(giveBack_);
    display_.sync();
}

void X11Desktop::finish() {
    spares_.giveBackAll(true);
    display_.sync();
}

Platform X11Desktop::platform(const Platform& others) { return platform(others.hook, others.prompts, others.app); }

Platform X11Desktop::platform(IHookLibrary& hook, IPrompts& prompts, IAppWindow& app) {
    return Platform{.input = input_,
                    .layout = keymap_,
                    .screen = input_,
                    .clock = clock_,
                    .pump = loop_.pump,
                    .hook = hook,
                    .prompts = prompts,
                    .app = app,
                    .windows = windows_,
                    .timers = loop_.timers,
                    .processes = processes_,
                    .clipboard = clipboard_,
                    .shell = shell_,
                    .sound = sound_};
}

}  // namespace qln::x11
