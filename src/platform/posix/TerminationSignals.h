#pragma once

#include "platform/DescriptorWatch.h"
#include "platform/MessagePump.h"

namespace qln {

// SIGINT, SIGTERM and SIGHUP become a quit request of the event loop, handled like any other event: a playing
// macro stops at its next step and lets go of every key it holds, waits end, and the program closes normally
// (giving back what it borrowed) instead of dying in the middle of a key press.  For the life of the object.
class TerminationSignals {
public:
    TerminationSignals(IMessagePump& pump, IDescriptorWatch& watch);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // The signal that asked for the quit; 0 while none came.
    int received() const { return received_; }

    // Blocks the signals in this thread and every thread started after it.  A program with threads (Qt starts
    // some) calls it first thing: a thread that does not block them would die of them, and the process with it.
    static void blockInAllThreads();

private:
    IDescriptorWatch& watch_;
    int fd_ = -1;
    int watchId_ = 0;
    int received_ = 0;
    unsigned char oldMask_[128] = {};  // the signal mask before, restored at the end
};

}  // namespace qln
