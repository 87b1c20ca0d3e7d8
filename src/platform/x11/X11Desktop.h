#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/SystemClock.h"
#include "platform/posix/DesktopShell.h"
#include "platform/posix/LinuxProcesses.h"
#include "platform/x11/SpareKeycodes.h"
#include "platform/x11/WavePlayer.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11Events.h"
#include "platform/x11/X11Input.h"
#include "platform/x11/X11Keymap.h"
#include "platform/x11/X11Pump.h"
#include "platform/x11/X11Windows.h"
#include "platform/x11/XInputDevices.h"
#include "platform/x11/XTestLeftovers.h"

namespace qln::x11 {

// The event loop the desktop's services run on.
struct EventLoop {
    IMessagePump& pump;
    ITimers& timers;
    IDescriptorWatch& watch;
};

// The real desktop on one X connection: every platform interface that has an X11 or Linux answer.
class X11Desktop {
public:
    // On an event loop of its own (qlntool).
    explicit X11Desktop(const std::string& displayName = {});
    // On the program's loop, made for the connection's events (the application's loop is Qt's).
    using LoopMaker = std::function<EventLoop(X11Events& events, const IClock& clock)>;
    X11Desktop(const std::string& displayName, const LoopMaker& makeLoop);
    ~X11Desktop();
    X11Desktop(const X11Desktop&) = delete;
    X11Desktop& operator=(const X11Desktop&) = delete;

    // Ends the session the polite way: borrowed keycodes go back once programs have surely read their keys
    // (waiting in the event loop, cut short by a quit), and the server has handled everything.
    void finish();

    // The platform with the X11 answers filled in; prompts, the main window and the hook library come from
    // `others` (the program's own).
    Platform platform(const Platform& others);
    Platform platform(IHookLibrary& hook, IPrompts& prompts, IAppWindow& app);

    X11Display& display() { return display_; }
    X11Events& events() { return events_; }
    X11Keymap& keymap() { return keymap_; }
    X11Input& input() { return input_; }
    // The loop of its own; only for a desktop made without a loop maker.
    X11Pump& pump() { return *ownPump_; }
    IMessagePump& loop() { return loop_.pump; }
    X11Windows& windows() { return windows_; }
    posix::LinuxProcesses& processes() { return processes_; }
    SystemClock& clock() { return clock_; }
    X11Clipboard& clipboard() { return clipboard_; }
    posix::DesktopShell& shell() { return shell_; }
    WavePlayer& sound() { return sound_; }
    SpareKeycodes& spares() { return spares_; }
    XTestLeftovers& leftovers() { return leftovers_; }

private:
    SystemClock clock_;
    X11Display display_;
    X11Events events_;
    std::unique_ptr<X11Pump> ownPump_;
    EventLoop loop_;
    X11Keymap keymap_;
    XInputDevices devices_;
    XTestLeftovers leftovers_;
    SpareKeycodes spares_;
    X11Input input_;
    X11Windows windows_;
    posix::LinuxProcesses processes_;
    X11Clipboard clipboard_;
    posix::DesktopShell shell_;
    WavePlayer sound_;
    TimerId giveBack_ = 0;
};

}  // namespace qln::x11
