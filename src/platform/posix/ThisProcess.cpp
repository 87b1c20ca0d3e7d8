#include "platform/ThisProcess.h"

#include <unistd.h>

namespace qln {

std::uint32_t thisProcessId() {
    return static_cast<std::uint32_t>(::getpid());
}

std::string thisHostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return "unknown";
    return name;
}

}  // namespace qln
