#include "platform/posix/TerminationSignals.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstring>

namespace qln {

namespace {
sigset_t quitSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}
}  // namespace

void TerminationSignals::blockInAllThreads() {
    const sigset_t set = quitSignals();
    sigprocmask(SIG_BLOCK, &set, nullptr);
}

TerminationSignals::TerminationSignals(IMessagePump& pump, IDescriptorWatch& watch) : watch_(watch) {
    static_assert(sizeof(sigset_t) <= sizeof(oldMask_));
    const sigset_t set = quitSignals();
    sigset_t old;
    // Blocked, the signals wait in the descriptor for the event loop instead of interrupting whatever runs.
    if (sigprocmask(SIG_BLOCK, &set, &old) != 0) return;
    std::memcpy(oldMask_, &old, sizeof old);
    fd_ = ::signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
    if (fd_ < 0) {
        sigprocmask(SIG_SETMASK, &old, nullptr);
        return;
    }
    watchId_ = watch_.watchFd(fd_, [this, &pump] {
        signalfd_siginfo info{};
        while (::read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info))
            if (received_ == 0) received_ = static_cast<int>(info.ssi_signo);
        if (received_ != 0) pump.requestQuit();
    });
}

TerminationSignals::~TerminationSignals() {
    if (fd_ < 0) return;
    watch_.unwatchFd(watchId_);
    ::close(fd_);
    sigset_t old;
    std::memcpy(&old, oldMask_, sizeof old);
    sigprocmask(SIG_SETMASK, &old, nullptr);
}

}  // namespace qln
