#include "store/MacroText.h"

#include "store/HotKeyNames.h"

namespace qln {

std::string activationText(const MacroRecord& r) {
    if (r.hotKeyCode == HotKeyTimed) return "Timed Macro";
    if (r.hotKeyCode == HotKeySnipword) return r.snipword;
    return hotKeyName(r.hotKeyCode);
}

std::string scopeText(const MacroRecord& r) {
    switch (r.scope) {
        case ScopeGlobal:
            return "GLOBAL";
        case ScopeWindow:
            return "Window: " + r.windowName;
        case ScopeProgram:
            return "Program: " + r.windowName;
        case ScopePopupMenu:
            return "Popup Menu";
        case ScopeSystem:
            return "SYSTEM";
        default:
            return "Scope " + std::to_string(r.scope);
    }
}

}  // namespace qln
