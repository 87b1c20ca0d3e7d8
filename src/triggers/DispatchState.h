#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"
#include "store/MacroRecord.h"

namespace qln {

// The main window's trigger state.  The Caps Lock flag and the return window are playback's (it reads them while
// the macro plays); the in-use byte is the trigger table's.
struct DispatchState {
    // The hot key code being handled, then the macro number it resolved to (0 or less: none).
    std::int32_t pendingMacro = 0;
    bool popupMenuShown = false;
    // Screen X of the tray icon click that opened a macro menu; -1 when a hot key opened it.
    int menuPosition = -1;
    WindowHandle lastForeground = 0;
    WindowHandle lastForegroundOfOther = 0;
    // Upper-cased program file name of the window last activated.
    std::string currentProgram;
    // Every distinct running program, upper-cased, the user's own first.  The table's 200 slots take only the
    // first of them; scope resolution looks at all.
    std::vector<std::string> programs;
    // The macro dispatch loaded last: what is about to play, or the popup menu about to show.
    MacroRecord playbackRecord;
};

}  // namespace qln
