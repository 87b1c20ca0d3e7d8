#include "triggers/ReservedHotKeys.h"

namespace qln {

namespace {
// The Ctrl+Alt group of hot key codes lists A..Z, 0..9, then F1..F12.  With Shift added the keys stay plain
// function keys, so Ctrl+Alt+Shift+F1 remains free.
constexpr int CtrlAltGroup = 144;
constexpr int FirstFunctionKey = 36;
}  // namespace

bool serverReservedHotKey(int code) {
    return code >= CtrlAltGroup + FirstFunctionKey && code < CtrlAltGroup + FirstFunctionKey + 12;
}

}  // namespace qln
