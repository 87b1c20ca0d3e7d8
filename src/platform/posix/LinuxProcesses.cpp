#include "platform/posix/LinuxProcesses.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace qln::posix {

std::string LinuxProcesses::programOf(std::uint32_t pid) {
    const std::string base = "/proc/" + std::to_string(pid);
    char target[4096];
    const ssize_t n = ::readlink((base + "/exe").c_str(), target, sizeof target - 1);
    std::string path;
    if (n > 0) {
        path.assign(target, static_cast<std::size_t>(n));
        // A program replaced while it runs still shows its old name with this mark.
        constexpr std::string_view kDeleted = " (deleted)";
        if (path.ends_with(kDeleted)) path.resize(path.size() - kDeleted.size());
    } else {
        // Another user's process: its short name is still readable.
        std::ifstream comm(base + "/comm");
        std::getline(comm, path);
    }
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<ProcessInfo> LinuxProcesses::processes() const {
    std::vector<ProcessInfo> out;
    DIR* proc = ::opendir("/proc");
    if (proc == nullptr) return out;
    while (const dirent* e = ::readdir(proc)) {
        char* end = nullptr;
        const unsigned long pid = std::strtoul(e->d_name, &end, 10);
        if (end == e->d_name || *end != 0 || pid == 0) continue;
        std::string program = programOf(static_cast<std::uint32_t>(pid));
        if (program.empty()) continue;
        struct stat st {};
        const bool own = ::stat(("/proc/" + std::to_string(pid)).c_str(), &st) == 0 && st.st_uid == ::getuid();
        out.push_back({static_cast<std::uint32_t>(pid), std::move(program), own});
    }
    ::closedir(proc);
    return out;
}

}  // namespace qln::posix
