#pragma once

namespace qln {

// Hot keys the X server keeps for itself: Ctrl+Alt+F1..F12 switch the virtual terminal and never reach any program.
bool serverReservedHotKey(int code);

inline constexpr const char* ReservedHotKeyMessage =
    "Ctrl+Alt+F1 to Ctrl+Alt+F12 switch between the system's virtual terminals and never reach Quillon.  Please "
    "choose another hot key.";

}  // namespace qln
