#include "platform/sim/SimInputSink.h"

#include <string>

namespace qln::sim {

void TraceInputSink::keyEvent(std::uint8_t vk, std::uint8_t, bool up) {
    trace_.add("key " + std::to_string(vk) + (up ? " up" : " down"));
    // Caps Lock toggles on its press, as a real keyboard's does.
    if (vk == 20 && !up) layout_.setCapsLock(!layout_.capsLockOn());
    down_[vk] = !up;
    if (observer_) observer_(vk, up);
}

void TraceInputSink::mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t wheel) {
    trace_.add("mouse " + std::to_string(flags) + " " + std::to_string(dx) + " " + std::to_string(dy) + " " +
               std::to_string(wheel));
}

}  // namespace qln::sim
