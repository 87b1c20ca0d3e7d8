#pragma once

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace qln::bench {

// Processor time (user and system) another process has used so far, in seconds, from /proc.
inline double cpuSeconds(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string f;
    long utime = 0, stime = 0;
    for (int i = 3; fields >> f; ++i) {
        if (i == 14) utime = std::stol(f);
        if (i == 15) {
            stime = std::stol(f);
            break;
        }
    }
    return static_cast<double>(utime + stime) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

}  // namespace qln::bench
