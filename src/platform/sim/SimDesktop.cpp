#include "platform/sim/SimDesktop.h"

namespace qln::sim {

SimDesktop::SimDesktop(const SimDesktopOptions& options)
    : clock_(options.start),
      trace_(clock_),
      input_(trace_, layout_),
      screen_(options.screen),
      pump_(clock_),
      hook_(&clock_),
      prompts_(trace_, pump_),
      app_(trace_),
      windows_(trace_, screen_),
      clipboard_(trace_),
      shell_(trace_, pump_, windows_, processes_),
      sound_(trace_),
      physicalKeys_(clock_, pump_, trace_) {
    layout_.setCapsLock(options.capsLock);
    hook_.attachPump(&pump_);
    input_.setKeyObserver([this](std::uint8_t vk, bool up) { hook_.keyEvent(vk, up); });
    if (options.notepad) {
        SimDesktopWindows::Window w;
        w.title = "Untitled - Notepad";
        w.pid = processes_.start("NOTEPAD.EXE");
        w.rect = {0, 0, 640, 480};
        windows_.setForeground(windows_.addWindow(w));
    }
}

Platform SimDesktop::platform() {
    return Platform{.input = input_,
                    .layout = layout_,
                    .screen = screen_,
                    .clock = clock_,
                    .pump = pump_,
                    .hook = hook_,
                    .prompts = prompts_,
                    .app = app_,
                    .windows = windows_,
                    .timers = pump_,
                    .processes = processes_,
                    .clipboard = clipboard_,
                    .shell = shell_,
                    .sound = sound_};
}

}  // namespace qln::sim
