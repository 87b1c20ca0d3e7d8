#pragma once

#include <optional>
#include <string_view>

#include "store/MacroRecord.h"

namespace qln {

// What the triggers need from the main window that owns them.
class ITriggerHost {
public:
    virtual ~ITriggerHost() = default;
    // A capture is recording the user's keys; no macro may start meanwhile.
    virtual bool captureRunning() const = 0;
    // Shows a refused trigger with the title "Warning".
    virtual void warning(std::string_view text) = 0;
    // System function "1": bring the main window up.
    virtual void ActivateMe() = 0;
    // System function "2": start (or stop) a capture.
    virtual void StartACapture() = 0;
    // A shared macro file that another program changed since we last looked is reloaded, with everything that
    // shows it (list, hot keys, remap table, schedule, tray menus).  true when that happened.
    virtual bool reloadChangedNetworkFile() = 0;
    // Macro n of the current set as stored; nothing when it cannot be read.
    virtual std::optional<MacroRecord> readMacro(int n) = 0;
    // Tray mode: the main window lives in the tray.
    virtual bool useTray() const = 0;
    // A triggered macro starts (true) or has ended (false); the tray tells the user how to stop it meanwhile.
    virtual void macroPlaying(bool /*playing*/, std::string_view /*nickname*/) {}
};

}  // namespace qln
