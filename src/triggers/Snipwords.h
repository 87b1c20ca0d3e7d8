#pragma once

#include <string>

#include "core/Settings.h"
#include "platform/HookMessages.h"
#include "triggers/DispatchState.h"
#include "triggers/TriggerHost.h"
#include "triggers/TriggeredRun.h"
#include "store/MacroTable.h"

namespace qln {

// The characters that may be part of a Snipword (and of its prefix).
bool snipwordCharacter(unsigned char c);

// Message 0x406: the typed characters collected into the Snipword buffer and matched against the Snipword macros.
// The buffer holds what the user types: it is never logged, and is emptied on every reset the library sends
// (focus change, click).
class Snipwords {
public:
    static constexpr std::size_t BufferChars = 20;

    Snipwords(const MacroTable& macros, PlaybackSession& playback, ITriggerHost& host, const Settings& settings,
              DispatchState& state, TriggeredRun& run)
        : macros_(macros), playback_(playback), host_(host), settings_(settings), state_(state), run_(run) {}

    void typed(const hook::TypedCharacter& m);
    // Matches the buffer; runs at most one macro.
    void TestIt();

    const std::string& buffer() const { return buffer_; }

private:
    bool suffixMode() const { return settings_.snipwordUseSuffix; }
    std::string prefix() const;
    void runSnipword(int macro);

    const MacroTable& macros_;
    PlaybackSession& playback_;
    ITriggerHost& host_;
    const Settings& settings_;
    DispatchState& state_;
    TriggeredRun& run_;
    std::string buffer_;
    hook::TypedCharacter::State lastState_ = hook::TypedCharacter::State::Plain;
    std::uint32_t lastPress_ = 0;  // the key press of the last character
};

}  // namespace qln
