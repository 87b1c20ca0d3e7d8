#include "platform/x11/X11Desktop.h"

namespace qln::x11 {

namespace {
constexpr std::uint32_t kGiveBackEveryMs = 1000;
}

X11Desktop::X11Desktop(const std::string& displayName)
    : display_(displayName),
      events_(display_),
      pump_(events_, clock_),
      keymap_(events_),
      devices_(display_),
      leftovers_(display_, devices_),
      spares_(display_, keymap_, pump_, clock_),
      input_(display_, keymap_, spares_, devices_, leftovers_),
      windows_(display_, pump_, clock_),
      clipboard_(events_, clock_),
      sound_(display_, pump_, pump_, clock_) {
    // Keycodes borrowed for characters the keymap lacks go back once nothing has used them for a while.
    giveBack_ = pump_.startTimer(kGiveBackEveryMs, [this] { spares_.giveBackIdle(); });
}

X11Desktop::~X11Desktop() {
    pump_.stopTimer(giveBack_);
    display_.sync();
}

void X11Desktop::finish() {
    spares_.giveBackAll(true);
    display_.sync();
}

Platform X11Desktop::platform(const Platform& others) {
    return Platform{.input = input_,
                    .layout = keymap_,
                    .screen = input_,
                    .clock = clock_,
                    .pump = pump_,
                    .hook = others.hook,
                    .prompts = others.prompts,
                    .app = others.app,
                    .windows = windows_,
                    .timers = pump_,
                    .processes = processes_,
                    .clipboard = clipboard_,
                    .shell = shell_,
                    .sound = sound_};
}

}  // namespace qln::x11
