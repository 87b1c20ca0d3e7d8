#pragma once

#include <cstdint>
#include <string>

namespace qln {

// The system's number for this running program.
std::uint32_t thisProcessId();
// The name of this machine on the network.
std::string thisHostName();

}  // namespace qln
