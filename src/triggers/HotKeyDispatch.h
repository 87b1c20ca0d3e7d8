#pragma once

#include <cstdint>

#include "platform/HookMessages.h"
#include "triggers/PopupMenus.h"
#include "triggers/ScopeResolution.h"

namespace qln {

// Marks a message 0x402 that names a macro by number (a menu's tray icon) rather than a hot key code.
constexpr std::uint16_t DirectMacroBit = 0x4000;

// Message 0x402: a hot key becomes exactly one macro, which plays, or a refusal.
class HotKeyDispatch {
public:
    HotKeyDispatch(MacroTable& macros, PlaybackSession& playback, ITriggerHost& host, DispatchState& state,
                   ScopeResolution& scopes, PopupMenus& menus, TriggeredRun& run)
        : macros_(macros), playback_(playback), host_(host), state_(state), scopes_(scopes), menus_(menus),
          run_(run) {}

    void hotKeyPressed(const hook::HotKeyPressed& m);
    // Plays the pending macro; a Popup Menu macro shows its menu and the chosen macro takes its place.
    void runPending();
    // A macro stands in a pause.
    bool paused() const;

private:
    bool pauseHandled(const hook::HotKeyPressed& m);
    // The first active System macro on this code: its function digit, or 0.
    char systemFunction(std::uint16_t code) const;
    // Presses the hot key again, so that the library sees it against the reloaded table.
    void replay(std::uint16_t code);

    MacroTable& macros_;
    PlaybackSession& playback_;
    ITriggerHost& host_;
    DispatchState& state_;
    ScopeResolution& scopes_;
    PopupMenus& menus_;
    TriggeredRun& run_;
};

}  // namespace qln
