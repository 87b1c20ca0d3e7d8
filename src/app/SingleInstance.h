#pragma once

#include "platform/posix/RuntimeFolder.h"

namespace qln {

// Who runs: the first Quillon of a user holds a lock on a file in the user's runtime folder for as long as it
// runs.  The kernel drops the lock however that program ends (also by kill -9), so nothing left behind can keep
// the next start out.  The folder must be one the user may trust (the caller checked it is usable).
class SingleInstance {
public:
    // Tries to become the one that runs.
    explicit SingleInstance(const posix::RuntimeFolder& folder);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // false: another Quillon of this user runs.
    bool first() const { return !another_; }

    // The lock file in the runtime folder; it holds the pid of the program that runs.
    static constexpr const char* LockFileName = "instance.lock";

    static constexpr const char* RunningInTrayMessage =
        "Quillon is already running.  Right Click on the Quillon Icon in the system tray in the bottom right corner "
        "to active.";
    static constexpr const char* RunningMessage = "Quillon is already running.";

private:
    int fd_ = -1;
    bool another_ = false;
};

}  // namespace qln
