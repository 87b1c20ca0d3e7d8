#pragma once

#include <cstdint>

namespace qln {

// The system's number for this running program.
std::uint32_t thisProcessId();

}  // namespace qln
