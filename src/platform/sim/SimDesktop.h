#pragma once

#include "platform/Platform.h"
#include "platform/sim/EventTrace.h"
#include "platform/sim/SimAppWindow.h"
#include "platform/sim/SimClipboard.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimDesktopWindows.h"
#include "platform/sim/SimHookLibrary.h"
#include "platform/sim/SimInputSink.h"
#include "platform/sim/SimKeyboardLayout.h"
#include "platform/sim/SimMessagePump.h"
#include "platform/sim/SimPhysicalKeys.h"
#include "platform/sim/SimProcesses.h"
#include "platform/sim/SimPrompts.h"
#include "platform/sim/SimScreen.h"
#include "platform/sim/SimShell.h"
#include "platform/sim/SimSound.h"

namespace qln::sim {

struct SimDesktopOptions {
    ScreenSize screen{1024, 768};
    LocalDateTime start{2026, 1, 1, 9, 0, 0, 0};
    bool capsLock = false;
    // Start with one window, "Untitled - Notepad" of NOTEPAD.EXE, in front.
    bool notepad = true;
};

// The whole simulated desktop: every platform interface, deterministic, recording into one trace.
class SimDesktop {
public:
    explicit SimDesktop(const SimDesktopOptions& options);
    SimDesktop(const SimDesktop&) = delete;
    SimDesktop& operator=(const SimDesktop&) = delete;

    Platform platform();

    SimClock& clock() { return clock_; }
    SimKeyboardLayout& layout() { return layout_; }
    TraceInputSink& input() { return input_; }
    SimScreen& screen() { return screen_; }
    SimMessagePump& pump() { return pump_; }
    SimHookLibrary& hook() { return hook_; }
    SimPrompts& prompts() { return prompts_; }
    SimAppWindow& app() { return app_; }
    SimDesktopWindows& windows() { return windows_; }
    SimProcesses& processes() { return processes_; }
    SimClipboard& clipboard() { return clipboard_; }
    SimShell& shell() { return shell_; }
    SimSound& sound() { return sound_; }
    SimPhysicalKeys& physicalKeys() { return physicalKeys_; }
    EventTrace& trace() { return trace_; }
    const EventTrace& trace() const { return trace_; }
    const SimClock& clock() const { return clock_; }

private:
    SimClock clock_;
    EventTrace trace_;
    SimKeyboardLayout layout_;
    TraceInputSink input_;
    SimScreen screen_;
    SimMessagePump pump_;
    SimHookLibrary hook_;
    SimPrompts prompts_;
    SimAppWindow app_;
    SimDesktopWindows windows_;
    SimProcesses processes_;
    SimClipboard clipboard_;
    SimShell shell_;
    SimSound sound_;
    SimPhysicalKeys physicalKeys_;
};

}  // namespace qln::sim
