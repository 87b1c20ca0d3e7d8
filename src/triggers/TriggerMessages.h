#pragma once

namespace qln {

// Why a trigger was refused (title "Warning").
inline constexpr const char* PopupMenuShownWarning =
    "A current Popup Menu macro is being displayed. Another macro cannot be executed until either a choice is made "
    "from the Popup Menu or it is cancelled.";
inline constexpr const char* RecordingWarning =
    "A macro is currently being recorded. Another macro cannot be executed until the recording is completed.";
inline constexpr const char* PausedWarning =
    "A current playback macro is in the middle of a PAUSE. Another macro cannot be executed until the PAUSE is "
    "either cancelled or resumed.";
inline constexpr const char* NoTopWindowMacrosWarning =
    "There are no macros defined with a specific window title or program name that match the current top most "
    "active window.";

}  // namespace qln
