#pragma once

#include <functional>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "hook/HotKeyIndex.h"
#include "platform/x11/X11Display.h"

namespace qln::hook {

// Our passive grabs on the root window.  A grab another program already holds fails without a word until the
// server has answered: we wait for that and tell the user which hot keys cannot be used, all of one change in one
// message, once for as long as each stays refused.
class HotKeyGrabs {
public:
    using Warn = std::function<void(std::string_view text)>;
    HotKeyGrabs(x11::X11Display& display, Warn warn) : display_(display), warn_(std::move(warn)) {}
    ~HotKeyGrabs() { apply({}); }
    HotKeyGrabs(const HotKeyGrabs&) = delete;
    HotKeyGrabs& operator=(const HotKeyGrabs&) = delete;

    // Grabs exactly these (with the codes they serve), letting go of the others.
    void apply(const std::vector<std::pair<int, Grab>>& wanted);
    // Codes whose grabs another program holds.
    const std::set<int>& refused() const { return refused_; }

    // The message naming the hot keys (in code order) another program holds.
    static std::string refusalMessage(const std::vector<int>& codes);

private:
    x11::X11Display& display_;
    Warn warn_;
    std::set<Grab> held_;
    std::set<int> refused_;
};

}  // namespace qln::hook
