#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qln {

struct ProcessInfo {
    std::uint32_t pid = 0;
    std::string programFile;  // file name of the program, without folder
    bool ownedByUser = true;  // runs as the user of this program (not the system's, nor another user's)
};

class IProcesses {
public:
    virtual ~IProcesses() = default;
    // The running processes in the system's order.
    virtual std::vector<ProcessInfo> processes() const = 0;
};

}  // namespace qln
