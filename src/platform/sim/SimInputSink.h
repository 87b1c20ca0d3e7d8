#pragma once

#include <bitset>
#include <cstdint>
#include <functional>

#include "platform/InputSink.h"
#include "platform/sim/EventTrace.h"
#include "platform/sim/SimKeyboardLayout.h"

namespace qln::sim {

// Writes every event into the trace and keeps the simulated keyboard's state.
class TraceInputSink : public IInputSink {
public:
    TraceInputSink(EventTrace& trace, SimKeyboardLayout& layout) : trace_(trace), layout_(layout) {}

    void keyEvent(std::uint8_t vk, std::uint8_t scan, bool up) override;
    void mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t wheel) override;
    bool isDown(std::uint8_t vk) const { return down_[vk]; }
    // Told of every key event after it is traced (the simulated hook library watches the keyboard).
    void setKeyObserver(std::function<void(std::uint8_t vk, bool up)> observer) { observer_ = std::move(observer); }

private:
    std::function<void(std::uint8_t, bool)> observer_;
    EventTrace& trace_;
    SimKeyboardLayout& layout_;
    std::bitset<256> down_;
};

// Drops every event, counting them: the sink of the speed benchmarks.
class NullInputSink final : public IInputSink {
public:
    void keyEvent(std::uint8_t, std::uint8_t, bool) override { ++keys_; }
    void mouseEvent(std::uint32_t, std::int32_t, std::int32_t, std::int32_t) override { ++mice_; }
    std::uint64_t keyEvents() const { return keys_; }
    std::uint64_t mouseEvents() const { return mice_; }

private:
    std::uint64_t keys_ = 0;
    std::uint64_t mice_ = 0;
};

}  // namespace qln::sim
