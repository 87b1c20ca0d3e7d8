#pragma once

#include <string>
#include <vector>

#include "platform/Shell.h"
#include "platform/Timers.h"
#include "platform/sim/EventTrace.h"
#include "platform/sim/SimDesktopWindows.h"
#include "platform/sim/SimProcesses.h"

namespace qln::sim {

// The shell's "open": noted in the trace; a program the desktop knows starts and, after its delay, opens its
// window in front.
class SimShell : public IShell {
public:
    struct Launchable {
        std::string program;  // matched against the opened target's file name, in any case
        std::string title;    // the window it opens
        std::uint32_t afterMs = 0;
        Rect rect{100, 100, 740, 580};
    };

    SimShell(EventTrace& trace, ITimers& timers, SimDesktopWindows& windows, SimProcesses& processes)
        : trace_(trace), timers_(timers), windows_(windows), processes_(processes) {}

    void open(std::string_view target, std::string_view arguments) override;
    void addLaunchable(Launchable l) { launchables_.push_back(std::move(l)); }

private:
    EventTrace& trace_;
    ITimers& timers_;
    SimDesktopWindows& windows_;
    SimProcesses& processes_;
    std::vector<Launchable> launchables_;
};

}  // namespace qln::sim
