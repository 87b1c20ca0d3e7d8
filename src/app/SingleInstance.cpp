#include "app/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace qln {

std::string SingleInstance::defaultLockFile() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string folder = runtime != nullptr && runtime[0] == '/' ? std::string(runtime) + "/quillon"
                                                                        : "/tmp/quillon-" + std::to_string(::getuid());
    ::mkdir(folder.c_str(), 0700);
    return folder + "/instance.lock";
}

SingleInstance::SingleInstance(const std::string& lockFile) {
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // Without a lock file (no runtime folder) we cannot tell: better two copies than none.
    if (fd < 0) return;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        another_ = true;
        return;
    }
    fd_ = fd;
    // The process that runs, for people looking (the lock is what counts).
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd_, 0) == 0 && ::write(fd_, pid.data(), pid.size()) < 0) {
    }
}

SingleInstance::~SingleInstance() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace qln
