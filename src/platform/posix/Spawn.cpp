#include "platform/posix/Spawn.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace qln::posix {

namespace {

// Everything the child needs is prepared before fork: between fork and exec only async-signal-safe calls.
struct Prepared {
    Prepared(const std::string& file, const std::vector<std::string>& arguments) : file_(file) {
        const auto slash = file.rfind('/');
        name_ = slash == std::string::npos ? file : file.substr(slash + 1);
        argv_.push_back(name_.data());
        for (const auto& a : arguments) argv_.push_back(const_cast<char*>(a.c_str()));
        argv_.push_back(nullptr);
    }
    // In the child: standard streams to /dev/null, nothing else of ours inherited (not even the signals we
    // block or ignore: a program started with SIGTERM blocked could not be ended), then the program.
    [[noreturn]] void exec(int null) const {
        struct sigaction byDefault {};
        byDefault.sa_handler = SIG_DFL;
        for (int signal = 1; signal < NSIG; ++signal) ::sigaction(signal, &byDefault, nullptr);
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        ::dup2(null, 0);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::close_range(3, UINT_MAX, 0);
        ::execv(file_.c_str(), argv_.data());
        ::_exit(127);
    }
    std::string file_;
    std::string name_;
    std::vector<char*> argv_;
};

// /dev/null on a descriptor above the standard streams: were one of them closed in this process,
// open() would hand out that number, dup2() onto itself would keep close-on-exec, and the
// program would start without it.
int openNull() {
    const int raw = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    if (raw < 0 || raw > 2) return raw;
    const int moved = ::fcntl(raw, F_DUPFD_CLOEXEC, 3);
    ::close(raw);
    return moved;
}

}  // namespace

bool spawnDetached(const std::string& file, const std::vector<std::string>& arguments) {
    const Prepared p(file, arguments);
    const int null = openNull();
    if (null < 0) return false;
    const pid_t middle = ::fork();
    if (middle == 0) {
        ::setsid();
        // The grandchild is adopted by init (or the session's reaper) once this one ends.
        if (::fork() == 0) p.exec(null);
        ::_exit(0);
    }
    ::close(null);
    if (middle < 0) return false;
    while (::waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
    return true;
}

Child spawnChild(const std::string& file, const std::vector<std::string>& arguments) {
    const Prepared p(file, arguments);
    const int null = openNull();
    if (null < 0) return {};
    const pid_t pid = ::fork();
    if (pid == 0) p.exec(null);
    ::close(null);
    if (pid < 0) return {};
    return Child{pid, static_cast<int>(::syscall(SYS_pidfd_open, pid, 0))};
}

}  // namespace qln::posix
