#pragma once

#include <array>

#include "platform/KeyboardLayout.h"

namespace qln::sim {

// The US English layout, answering as Windows does for it.
class SimKeyboardLayout : public IKeyboardLayout {
public:
    SimKeyboardLayout();

    std::int16_t vkKeyScan(std::uint8_t ch) const override { return scan_[ch]; }
    std::uint8_t mapVirtualKey(std::uint8_t vk) const override { return scanCodes_[vk]; }
    bool capsLockOn() const override { return capsLock_; }
    void setCapsLock(bool on) { capsLock_ = on; }

private:
    std::array<std::int16_t, 256> scan_{};
    std::array<std::uint8_t, 256> scanCodes_{};
    bool capsLock_ = false;
};

}  // namespace qln::sim
