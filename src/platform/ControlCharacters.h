#pragma once

#include <array>
#include <cstdint>

namespace qln {

// How Windows answers a key scan for the control characters 1..31 and 127: their own keys (Backspace, Tab,
// Enter), else Ctrl with a letter or sign.  Every keyboard layout shares these answers.
void setControlCharacterScans(std::array<std::int16_t, 256>& scan);

}  // namespace qln
