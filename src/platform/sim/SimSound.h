#pragma once

#include <string>

#include "platform/Shell.h"
#include "platform/sim/EventTrace.h"

namespace qln::sim {

class SimSound : public ISound {
public:
    explicit SimSound(EventTrace& trace) : trace_(trace) {}
    void beep() override { trace_.add("beep"); }
    void playWave(std::string_view file, bool waitUntilDone) override {
        trace_.add("wave " + EventTrace::quote(file) + (waitUntilDone ? " wait" : " nowait"));
    }

private:
    EventTrace& trace_;
};

}  // namespace qln::sim
