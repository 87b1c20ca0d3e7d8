#pragma once

#include <chrono>
#include <optional>

#include "platform/PhysicalKeys.h"
#include "playback/PlaybackSession.h"
#include "triggers/TriggerHost.h"
#include "store/MacroRecord.h"
#include "store/TriggerTable.h"

namespace qln {

// The virtual key the program presses behind a triggered macro; the hook library leaves its in-use state when it
// sees it.
constexpr std::uint8_t EndMarkerKey = 43;
// How long a triggered macro waits for the user to let go of the trigger's keys.
constexpr std::chrono::milliseconds TriggerReleaseLimit{2000};

// The macro a record holds, as playback takes it.
PlaybackMacro playbackMacroOf(const MacroRecord& record);

// Plays a macro that a trigger fired.  The caller has set playback's Caps Lock flag and return window.
class TriggeredRun {
public:
    TriggeredRun(PlaybackSession& playback, TriggerTable& table, IPhysicalKeys& keys, ITriggerHost* host = nullptr)
        : playback_(playback), table_(table), keys_(keys), host_(host) {}

    // Marks the program in use and tells the library, waits until the trigger's keys are physically released (its
    // text must not arrive with them held), erases a Snipword with `backspaces` Backspaces when given (then waits
    // 0.1 s), plays the macro, and presses the end marker however the macro ends.
    // While a macro plays, another trigger does nothing: two macros never type at once.  `typedPress` numbers the
    // Snipword's last key: keys the user typed after it that got through before the keys were held back are
    // erased too, and come again after the macro.
    void play(const PlaybackMacro& macro, std::optional<int> backspaces = std::nullopt, std::uint32_t typedPress = 0);
    // A triggered macro plays now (perhaps standing in a pause).
    bool playing() const { return playing_; }

private:
    PlaybackSession& playback_;
    TriggerTable& table_;
    IPhysicalKeys& keys_;
    ITriggerHost* host_;
    bool playing_ = false;
};

}  // namespace qln
