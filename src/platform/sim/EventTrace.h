#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"

namespace qln::sim {

// What happened on the simulated desktop, in order, each event stamped with the virtual tick.
class EventTrace {
public:
    explicit EventTrace(const IClock& clock) : clock_(clock) {}

    void add(std::string event) { events_.push_back({clock_.tickCount(), std::move(event)}); }
    std::vector<std::string> lines() const;
    // "<ms since start> <event>\n" per event.
    std::string format(std::uint64_t startTick) const;
    void clear() { events_.clear(); }
    std::size_t size() const { return events_.size(); }

    // A Windows-1252 text in double quotes: '"' and '\' escaped, control bytes as \xNN, the rest as UTF-8.
    static std::string quote(std::string_view win1252);

private:
    struct Event {
        std::uint64_t tick;
        std::string text;
    };
    const IClock& clock_;
    std::vector<Event> events_;
};

}  // namespace qln::sim
