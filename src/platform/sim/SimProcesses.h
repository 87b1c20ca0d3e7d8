#pragma once

#include <vector>

#include "platform/Processes.h"

namespace qln::sim {

class SimProcesses : public IProcesses {
public:
    std::vector<ProcessInfo> processes() const override { return list_; }
    // Starts a process of that program; returns its id.
    std::uint32_t start(const std::string& programFile, bool ownedByUser = true) {
        list_.push_back({next_, programFile, ownedByUser});
        return next_++;
    }

private:
    std::vector<ProcessInfo> list_;
    std::uint32_t next_ = 1000;
};

}  // namespace qln::sim
