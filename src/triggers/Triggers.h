#pragma once

#include <deque>
#include <memory>
#include <string>

#include "triggers/HotKeyDispatch.h"
#include "triggers/Snipwords.h"
#include "triggers/WindowActivation.h"

namespace qln {

// Everything that turns the hook library's messages into played macros: hot keys, Snipwords, popup menus and the
// window in front.  The main window owns one; qlntool simulate drives one on the simulated desktop.
class Triggers {
public:
    struct Parts {
        MacroTable& macros;
        PlaybackSession& playback;
        IMacroMenu& menu;
        IPhysicalKeys& keys;
        const Settings& settings;
        ITriggerHost& host;
        std::string ownProgram;  // this program's file name
    };
    explicit Triggers(const Parts& parts);
    Triggers(const Triggers&) = delete;
    Triggers& operator=(const Triggers&) = delete;

    // Messages 0x402, 0x406 and 0x407; false for any other message.
    bool handleMessage(const Message& m);

    // Rebuilds the hot key in-use map and the Snipword byte and publishes them.
    void SetHotKeys() { macros_.SetHotKeys(); }
    // A menu's tray icon was clicked at screen X `position`: its menu opens through message 0x402 with the direct
    // macro bit, returning to the last window in front.
    hook::HotKeyPressed menuIconMessage(int macro, int position);

    void MenuTopWindow() { menus_.MenuTopWindow(); }
    DispatchState& state() { return state_; }
    const DispatchState& state() const { return state_; }
    HotKeyDispatch& dispatch() { return dispatch_; }
    Snipwords& snipwords() { return snipwords_; }
    ScopeResolution& scopes() { return scopes_; }

private:
    MacroTable& macros_;
    DispatchState state_;
    TriggeredRun run_;
    ScopeResolution scopes_;
    PopupMenus menus_;
    HotKeyDispatch dispatch_;
    Snipwords snipwords_;
    WindowActivation activation_;
    static constexpr std::size_t MaxDeferred = 32;
    std::deque<hook::HotKeyPressed> deferred_;
};

}  // namespace qln
