#include "app/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <string>

namespace qln {

SingleInstance::SingleInstance(const posix::RuntimeFolder& folder) {
    // Only a regular file of ours, never through a link: the lock's content is written.
    const int fd = folder.open(LockFileName, O_RDWR | O_CREAT);
    // Without a lock file we cannot tell: better two copies than none.
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
