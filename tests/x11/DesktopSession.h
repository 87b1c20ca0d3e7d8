#pragma once

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "TestProcess.h"
#include "XvfbSession.h"

namespace qln::test {

// openbox on the session's display, up until the end of the test.  Constructed once it has taken over the
// screen and manages windows; throws when it does not within kStartSeconds.
class WindowManager {
public:
    static constexpr int kStartSeconds = 30;

    explicit WindowManager(const XvfbSession& x);
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // Whether a window manager runs on the display: the root window names its check window, which exists and
    // names itself.
    static bool runningOn(const std::string& display);

private:
    std::string waitFor(void* display, const std::string& what, const std::function<bool()>& done,
                        const std::function<void()>& retry = {}, int retryMs = 0);

    TestProcess openbox_;
    std::chrono::steady_clock::time_point deadline_;
};

// A private X server with openbox on it; DISPLAY names it for the rest of the test.
struct Session {
    explicit Session(const std::string& screen = "1024x768x24") : x(screen), wm(x) {
        ::setenv("DISPLAY", x.display().c_str(), 1);
    }
    bool managed() const { return wmReady(); }
    bool wmReady() const { return WindowManager::runningOn(x.display()); }
    XvfbSession x;
    WindowManager wm;
};

// Waits until the condition holds (the window manager and the programs work asynchronously), looking every 20 ms
// for rounds of 20 ms, and never less than ten seconds: under load a window can take seconds to appear.
template <typename F>
bool eventually(F f, int rounds = 100) {
    const auto limit =
        std::max<std::chrono::milliseconds>(std::chrono::milliseconds(20) * rounds, std::chrono::seconds(10));
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (f()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return f();
}

}  // namespace qln::test
