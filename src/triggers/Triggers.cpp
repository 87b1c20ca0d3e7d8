#include "triggers/Triggers.h"

namespace qln {

Triggers::Triggers(const Parts& p)
    : macros_(p.macros),
      run_(p.playback, p.macros.table(), p.keys, &p.host),
      scopes_(p.macros, p.playback.platform(), p.playback.effects().windowControl(), state_,
              p.playback.player().state().returnWindow),
      menus_(p.macros, p.playback, p.menu, p.host, p.settings, state_, run_),
      dispatch_(p.macros, p.playback, p.host, state_, scopes_, menus_, run_),
      snipwords_(p.macros, p.playback, p.host, p.settings, state_, run_),
      activation_(p.playback.platform(), p.macros.table(), state_, p.ownProgram) {}

bool Triggers::handleMessage(const Message& m) {
    if (const auto* hot = std::get_if<hook::HotKeyPressed>(&m)) {
        // A hot key pressed before the playing macro started, still waiting in the queue when the macro let
        // messages through: it plays after that macro, in order.  (While a macro plays the library reports no
        // hot key, but a pause takes them.)
        if (run_.playing() && !dispatch_.paused()) {
            if (deferred_.size() < MaxDeferred) deferred_.push_back(*hot);
            return true;
        }
        dispatch_.hotKeyPressed(*hot);
    } else if (const auto* typed = std::get_if<hook::TypedCharacter>(&m)) {
        snipwords_.typed(*typed);
    } else if (const auto* activated = std::get_if<hook::WindowActivated>(&m)) {
        activation_.windowActivated(*activated);
    } else {
        return false;
    }
    while (!run_.playing() && !deferred_.empty()) {
        const hook::HotKeyPressed next = deferred_.front();
        deferred_.pop_front();
        dispatch_.hotKeyPressed(next);
    }
    return true;
}

hook::HotKeyPressed Triggers::menuIconMessage(int macro, int position) {
    state_.menuPosition = position;
    return hook::HotKeyPressed{static_cast<std::uint16_t>(DirectMacroBit | (macro & 0x0FFF)), false,
                               state_.lastForeground};
}

}  // namespace qln
