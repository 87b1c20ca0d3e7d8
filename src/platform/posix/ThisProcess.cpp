#include "platform/ThisProcess.h"

#include <unistd.h>

namespace qln {

std::uint32_t thisProcessId() {
    return static_cast<std::uint32_t>(::getpid());
}

}  // namespace qln
