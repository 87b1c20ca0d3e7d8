#pragma once

#include "platform/Clock.h"
#include "platform/DesktopWindows.h"
#include "platform/HookTable.h"
#include "platform/InputSink.h"
#include "platform/KeyboardLayout.h"
#include "platform/MessagePump.h"
#include "platform/Processes.h"
#include "platform/Prompts.h"
#include "platform/Screen.h"
#include "platform/Shell.h"
#include "platform/Timers.h"

namespace qln {

// Everything of the outside world that the logic may touch, handed down from the composition root.  Filled
// with designated initializers (.input = ..., .layout = ...): one object often serves several slots, and two
// slots of one type must never be swapped unnoticed.
struct Platform {
    IInputSink& input;
    IKeyboardLayout& layout;
    IScreen& screen;
    IClock& clock;
    IMessagePump& pump;
    IHookLibrary& hook;
    IPrompts& prompts;
    IAppWindow& app;
    IDesktopWindows& windows;
    ITimers& timers;
    IProcesses& processes;
    IClipboard& clipboard;
    IShell& shell;
    ISound& sound;
};

}  // namespace qln
