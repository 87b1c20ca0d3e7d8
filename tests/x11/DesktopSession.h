#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "XvfbSession.h"

namespace qln::test {

// openbox on the session's display, up until the end of the test.
class WindowManager {
public:
    explicit WindowManager(const XvfbSession& x) {
        pid_ = ::fork();
        if (pid_ == 0) {
            ::setenv("DISPLAY", x.display().c_str(), 1);
            ::execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }
    ~WindowManager() {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }

private:
    pid_t pid_;
};

struct Session {
    Session() : wm(x) {
        ::setenv("DISPLAY", x.display().c_str(), 1);
        // Give openbox a moment to take over the screen.
        for (int i = 0; i < 100 && !managed(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    bool managed() { return wmReady(); }
    bool wmReady() {
        FILE* p = ::popen(("xprop -display " + x.display() + " -root _NET_SUPPORTING_WM_CHECK 2>/dev/null").c_str(), "r");
        char line[256] = {};
        const bool ok = p != nullptr && std::fgets(line, sizeof line, p) != nullptr && std::string(line).find("window id") != std::string::npos;
        if (p != nullptr) ::pclose(p);
        return ok;
    }
    XvfbSession x;
    WindowManager wm;
};

// Waits until the condition holds (the window manager works asynchronously), by default at most two seconds.
template <typename F>
bool eventually(F f, int rounds = 100) {
    for (int i = 0; i < rounds; ++i) {
        if (f()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return f();
}

}  // namespace qln::test
