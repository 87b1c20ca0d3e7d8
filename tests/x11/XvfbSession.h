#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace qln::test {

// A private X server for one test: started with the next free display number, stopped at the end.
class XvfbSession {
public:
    XvfbSession() {
        int fds[2];
        if (::pipe(fds) != 0) throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                     "-noreset", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        char buffer[32] = {};
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer - 1);
        ::close(fds[0]);
        if (n <= 0) throw std::runtime_error("Xvfb did not start");
        display_ = ":" + std::to_string(std::atoi(buffer));
    }
    ~XvfbSession() {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    XvfbSession(const XvfbSession&) = delete;
    XvfbSession& operator=(const XvfbSession&) = delete;

    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

}  // namespace qln::test
