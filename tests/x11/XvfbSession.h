#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>

namespace qln::test {

// A private X server for one test, stopped at the end.  Display numbers are taken from a range of our own, and a
// server that dies while starting (a number still held by a server that is just going away) is started again
// with another.
class XvfbSession {
public:
    XvfbSession() {
        for (int attempt = 0; attempt < 8; ++attempt) {
            const int number = 100 + static_cast<int>((::getpid() * 13 + attempt * 101 + serial()++ * 7) % 800);
            if (start(number)) return;
        }
        throw std::runtime_error("Xvfb did not start");
    }
    ~XvfbSession() { stop(); }
    XvfbSession(const XvfbSession&) = delete;
    XvfbSession& operator=(const XvfbSession&) = delete;

    const std::string& display() const { return display_; }

private:
    static int& serial() {
        static int n = 0;
        return n;
    }

    bool start(int number) {
        const std::string name = ":" + std::to_string(number);
        const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
        if (::access(socket.c_str(), F_OK) == 0) return false;  // taken
        pid_ = ::fork();
        if (pid_ == 0) {
            ::execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset",
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
        for (int i = 0; i < 250; ++i) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return false;
            }
            if (::access(socket.c_str(), F_OK) == 0) {
                display_ = name;
                // The socket exists a moment before the server accepts on it.
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        stop();
        return false;
    }

    void stop() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

    pid_t pid_ = -1;
    std::string display_;
};

}  // namespace qln::test
