#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Clock.h"
#include "platform/x11/X11Display.h"

namespace qln::x11 {

// Asks the owner of a selection for its contents in one target, the way ICCCM describes: the owner puts the data
// on a property of our window, all at once or in INCR pieces.  Waits only for the events of this transfer, at
// most `timeoutMs` without progress, so an owner that hangs cannot stop the program for long.
class X11SelectionReader {
public:
    X11SelectionReader(X11Display& display, const IClock& clock, unsigned long window, unsigned long property)
        : display_(display), clock_(clock), window_(window), property_(property) {}

    // The bytes and their type atom, or nothing when the owner refused, is gone or did not answer in time.
    struct Data {
        unsigned long type = 0;
        std::string bytes;
    };
    std::optional<Data> read(unsigned long selection, unsigned long target, std::uint32_t timeoutMs = 2000);

private:
    // Waits for the next event of this transfer on our window; false when none came in time.
    bool nextEvent(int type, void* event, std::uint64_t deadline);
    // Reads and deletes the property; nullopt when it is missing.
    std::optional<Data> takeProperty();

    X11Display& display_;
    const IClock& clock_;
    unsigned long window_;
    unsigned long property_;
};

}  // namespace qln::x11
