#pragma once

#include <string>
#include <vector>

namespace qln {

// One switch of the command line, in the order given.
struct StartSwitch {
    enum class Kind { Hide, Browse, BrowseAll, AutoSync, NetworkMode, SyncMinutes, File };
    Kind kind;
    int minutes = 0;    // SyncMinutes: 1..98
    std::string path;   // File: as given (file names on Linux are case-sensitive)
    bool operator==(const StartSwitch&) const = default;
};

// The design's switches: each argument is upper-cased and compared; "/SM" takes a number from 1 to 98, "/F" the
// path right behind it.  Anything else is ignored, as a switch that does not apply must not stop the program.
std::vector<StartSwitch> readCommandLine(const std::vector<std::string>& args);

}  // namespace qln
