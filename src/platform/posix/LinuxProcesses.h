#pragma once

#include "platform/Processes.h"

namespace qln::posix {

// The running processes from /proc: each one's program file name without folder.
class LinuxProcesses : public IProcesses {
public:
    std::vector<ProcessInfo> processes() const override;
    // The program file name of one process; empty when it is gone or not ours to read.
    static std::string programOf(std::uint32_t pid);
};

}  // namespace qln::posix
