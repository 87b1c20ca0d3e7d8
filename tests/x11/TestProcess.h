#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace qln::test {

// A program started for a test.  It ends with the test, and also when the test program itself is killed (a test
// that ran out of time), so no server or window outlives its test.
class TestProcess {
public:
    TestProcess() = default;
    ~TestProcess() { stop(); }
    TestProcess(const TestProcess&) = delete;
    TestProcess& operator=(const TestProcess&) = delete;

    // argv[0] is looked up in PATH.  `prepare` runs in the child just before the program replaces it
    // (redirections, environment).
    void start(const std::vector<std::string>& argv, const std::function<void()>& prepare = {}) {
        stop();
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        const pid_t parent = ::getpid();
        pid_ = ::fork();
        if (pid_ < 0) throw std::runtime_error("cannot start " + argv.at(0));
        if (pid_ == 0) {
            // A group of its own: stopping it stops what it started too (the bus of dbus-run-session).
            ::setpgid(0, 0);
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (::getppid() != parent) ::_exit(127);
            if (prepare) prepare();
            ::execvp(args[0], args.data());
            ::_exit(127);
        }
        status_ = -1;
    }

    pid_t pid() const { return pid_; }

    // Whether it has ended by now; status() then has its wait status.
    bool ended() {
        if (pid_ <= 0) return true;
        int s = 0;
        if (::waitpid(pid_, &s, WNOHANG) != pid_) return false;
        status_ = s;
        pid_ = -1;
        return true;
    }
    int status() const { return status_; }

    // Asks it to end, and kills it when it has not within five seconds.
    void stop() {
        if (pid_ <= 0) return;
        const pid_t group = pid_;
        ::kill(-group, SIGTERM);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!ended()) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(-group, SIGKILL);
                ::waitpid(pid_, &status_, 0);
                pid_ = -1;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        // What it left behind in its group goes with it.
        ::kill(-group, SIGTERM);
    }

    // For `prepare`: standard output and error into the file, standard input from /dev/null.
    static void redirectOutput(const char* file) {
        const int out = ::open(file, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const int in = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (out >= 0) {
            ::dup2(out, 1);
            ::dup2(out, 2);
        }
        if (in >= 0) ::dup2(in, 0);
    }

private:
    pid_t pid_ = -1;
    int status_ = -1;
};

// Describes how a program ended, for messages.
inline std::string describeEnd(int status) {
    if (WIFEXITED(status)) return "exited with status " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status)) return "was killed by signal " + std::to_string(WTERMSIG(status));
    return "ended";
}

}  // namespace qln::test
