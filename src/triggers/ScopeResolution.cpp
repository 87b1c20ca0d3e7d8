#include "triggers/ScopeResolution.h"

#include "core/TextCase.h"
#include "triggers/NameMatch.h"

namespace qln {

int ScopeResolution::topMostMatch(std::uint16_t code, bool act) {
    const WindowHandle front = platform_.windows.foregroundWindow();
    if (front == 0) return 0;
    const std::string title = upperWin1252(platform_.windows.windowTitle(front));
    // The pause window in front: its macro's window is behind it.
    if (title.find("PAUSE (") != std::string::npos) return 0;
    const std::string program = programOfWindow(platform_, front);
    const TriggerTable& t = macros_.table();
    for (int n = 1; n <= macros_.count(); ++n) {
        if (t.active(n) == 0 || t.code(n) != code) continue;
        const bool fits = (t.scope(n) == ScopeWindow && nameOccursIn(t.name(n), title)) ||
                          (t.scope(n) == ScopeProgram && nameOccursIn(t.name(n), program));
        if (!fits) continue;
        if (act) returnWindow_ = front;
        return n;
    }
    return 0;
}

int ScopeResolution::resolve(std::uint16_t code, bool act) {
    code &= 0x7FFF;
    if (const int n = topMostMatch(code, act); n != 0) return n;
    const TriggerTable& t = macros_.table();
    int global = 0;
    for (int n = 1; n <= macros_.count(); ++n) {
        if (t.active(n) == 0 || t.code(n) != code) continue;
        const std::int16_t scope = t.scope(n);
        if (scope == ScopeGlobal || scope == ScopePopupMenu || scope == ScopeSystem) {
            global = n;
        } else if (scope == ScopeWindow && t.topMostOnly(n) == 0) {
            WindowHandle found = 0;
            if (act ? windows_.ActivateIt(t.name(n)) : windows_.GetWinHandle(found, t.name(n))) return n;
        } else if (scope == ScopeProgram && t.topMostOnly(n) == 0) {
            for (const std::string& program : state_.programs) {
                if (!nameOccursIn(t.name(n), program)) continue;
                if (act) windows_.ActivateProg(t.name(n));
                return n;
            }
        }
    }
    return global;
}

}  // namespace qln
