#pragma once

#include <cstdint>

#include "playback/WindowControl.h"
#include "store/MacroTable.h"
#include "triggers/DispatchState.h"

namespace qln {

// Turns a hot key code into the one macro it runs.  Precedence: a Window or Program macro that fits the window in
// front, then the first running Window or Program macro (If Running), then the last Global, Popup Menu or System
// macro.  Only active macros take part.
class ScopeResolution {
public:
    // `returnWindow` is playback's; a top-most match makes the window in front the return window, an activation
    // the activated one.
    ScopeResolution(const MacroTable& macros, Platform& platform, WindowControl& windows, const DispatchState& state,
                    WindowHandle& returnWindow)
        : macros_(macros), platform_(platform), windows_(windows), state_(state), returnWindow_(returnWindow) {}

    // The macro number (1-based) or 0.  Brings the window or program of an If Running match to the front.
    int GetMacro(std::uint16_t code) { return resolve(code, true); }
    // The macro GetMacro would pick, without bringing anything to the front or changing the return window: a
    // refused hot key (during a pause) must leave the desktop as it was.
    int wouldRun(std::uint16_t code) { return resolve(code, false); }

private:
    int resolve(std::uint16_t code, bool act);
    int topMostMatch(std::uint16_t code, bool act);

    const MacroTable& macros_;
    Platform& platform_;
    WindowControl& windows_;
    const DispatchState& state_;
    WindowHandle& returnWindow_;
};

}  // namespace qln
