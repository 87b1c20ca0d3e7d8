#pragma once

#include <string>

#include "platform/Shell.h"
#include "platform/sim/EventTrace.h"

namespace qln::sim {

class SimClipboard : public IClipboard {
public:
    explicit SimClipboard(EventTrace& trace) : trace_(trace) {}
    void setText(std::string_view text) override {
        text_ = std::string(text);
        trace_.add("clipboard " + EventTrace::quote(text_));
    }
    std::string text() const override { return text_; }
    // Set-up, not traced.
    void preset(std::string text) { text_ = std::move(text); }

private:
    EventTrace& trace_;
    std::string text_;
};

}  // namespace qln::sim
