#pragma once

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <stdexcept>
#include <string>

#include "TestProcess.h"
#include "support/TempFolder.h"

namespace qln::test {

// The last line a program wrote to its log, for messages about why it did not come up.
inline std::string lastLineOf(const std::string& file) {
    std::ifstream in(file);
    std::string line, last;
    while (std::getline(in, line))
        if (!line.empty()) last = line;
    return last.empty() ? std::string() : ": \"" + last + "\"";
}

// A private X server for one test, stopped at the end.  The server picks a free display number itself and tells
// it once it accepts connections, so parallel tests never meet on one display.  Throws when no server comes up.
class XvfbSession {
public:
    static constexpr int kStartSeconds = 30;

    // `screen`: Xvfb's WIDTHxHEIGHTxDEPTH.
    explicit XvfbSession(const std::string& screen = "1024x768x24") {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("Xvfb: cannot make a pipe");
        const std::string log = folder_.file("xvfb.log");
        server_.start({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp",
                       "-noreset"},
                      [&] {
                          TestProcess::redirectOutput(log.c_str());
                          ::fcntl(fds[1], F_SETFD, 0);  // the one descriptor the server keeps
                      });
        ::close(fds[1]);
        std::string said;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kStartSeconds);
        bool ended = false;
        while (said.find('\n') == std::string::npos && !ended) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd p{fds[0], POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) == 0) break;
            char buffer[32];
            const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
            if (n > 0) said.append(buffer, static_cast<std::size_t>(n));
            ended = n == 0 || (n < 0 && errno != EINTR);
        }
        ::close(fds[0]);
        if (said.find('\n') == std::string::npos || said.find_first_not_of("0123456789\n") != std::string::npos) {
            server_.stop();
            throw std::runtime_error(ended ? "Xvfb ended before it took a display" + lastLineOf(log)
                                           : "Xvfb did not come up within " + std::to_string(kStartSeconds) + " s" +
                                                 lastLineOf(log));
        }
        display_ = ":" + said.substr(0, said.find('\n'));
    }
    XvfbSession(const XvfbSession&) = delete;
    XvfbSession& operator=(const XvfbSession&) = delete;

    const std::string& display() const { return display_; }
    // A folder of this session's own, for logs and files of the programs it runs.
    const TempFolder& folder() const { return folder_; }
    // Whether the server is still running.
    bool running() { return !server_.ended(); }

private:
    TempFolder folder_;
    TestProcess server_;
    std::string display_;
};

}  // namespace qln::test
