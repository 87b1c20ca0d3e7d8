#include "platform/x11/ProcessNotes.h"

#include <signal.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <sstream>

namespace qln::x11 {

std::string processStartTime(long pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto close = stat.rfind(')');
    if (close == std::string::npos) return {};
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
        if (i == 22) return field;
    }
    return {};
}

bool processRunning(long pid, const std::string& started) {
    if (pid <= 0) return false;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) return false;
    return processStartTime(pid) == started;
}

std::string noteName(std::string displayName) {
    for (char& c : displayName)
        if (c == '/' || c == ':' || c == ' ') c = '_';
    return displayName;
}

}  // namespace qln::x11
