#pragma once

#include <memory>
#include <string>

#include "platform/SystemClock.h"
#include "platform/x11/DesktopShell.h"
#include "platform/x11/LinuxProcesses.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11Input.h"
#include "platform/x11/X11Keymap.h"
#include "platform/x11/X11Pump.h"
#include "platform/x11/WavePlayer.h"
#include "platform/x11/X11Windows.h"

namespace qln::x11 {

// The real desktop on one X connection: every platform interface that has an X11 or Linux answer.
class X11Desktop {
public:
    explicit X11Desktop(const std::string& displayName = {})
        : display_(displayName), keymap_(display_), input_(display_, keymap_), pump_(display_, keymap_, clock_),
          windows_(display_, pump_, clock_), clipboard_(display_, pump_, clock_), sound_(display_, pump_, clock_) {}

    X11Display& display() { return display_; }
    X11Keymap& keymap() { return keymap_; }
    X11Input& input() { return input_; }
    X11Pump& pump() { return pump_; }
    X11Windows& windows() { return windows_; }
    LinuxProcesses& processes() { return processes_; }
    SystemClock& clock() { return clock_; }
    X11Clipboard& clipboard() { return clipboard_; }
    DesktopShell& shell() { return shell_; }
    WavePlayer& sound() { return sound_; }

private:
    SystemClock clock_;
    X11Display display_;
    X11Keymap keymap_;
    X11Input input_;
    X11Pump pump_;
    X11Windows windows_;
    LinuxProcesses processes_;
    X11Clipboard clipboard_;
    DesktopShell shell_;
    WavePlayer sound_;
};

}  // namespace qln::x11
