// How fast Quillon answers its triggers on a private X server with a window manager, 500 macros loaded: from a hot
// key's press to the first key of its macro (pressed through XTest, as xdotool or an on-screen keyboard does, and
// on the server's own keyboard), from a Snipword's last character to the first Backspace that erases
// it, and the processor it uses while nothing happens.  Keys are watched as the hook library watches them (XInput 2
// raw events), so the figures include the X server's round trips.
#include <benchmark/benchmark.h>

#include "core/Notices.h"
#include "platform/sim/SimDesktop.h"
#include "store/MacroFile.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>
#include <vector>

#include "ProcessUsage.h"
#include "support/TempFolder.h"
#include "x11/DesktopSession.h"
#include "x11/UserKeyboard.h"

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

class Quiet : public qln::INotices {
public:
    void notice(std::string_view, std::string_view) override {}
};

constexpr std::uint16_t kCtrlAltH = 151;

// The four system macros, a hot key macro and a Snipword typing "q", and 494 others on other keys.
void fillMacroFile(const std::string& path) {
    Quiet quiet;
    qln::sim::SimDesktop scratch{{}};
    qln::TriggerTable table;
    qln::MacroNames names;
    qln::MacroTable macros(table, names, scratch.hook());
    qln::MacroFile file(macros, scratch.clock(), quiet);
    file.load(path);
    for (int n = 5; n <= 500; ++n) {
        qln::MacroRecord r;
        r.nickname = "Macro number " + std::to_string(n);
        r.hotKeyCode = static_cast<std::uint16_t>(96 + n % 48);  // Ctrl+Shift+ keys, which the window manager leaves
        r.scope = qln::ScopeWindow;
        r.windowName = "No such window " + std::to_string(n);
        r.active = 1;
        r.setText("Some text for macro " + std::to_string(n) + "<ENTER>");
        if (n == 5) {
            r.hotKeyCode = kCtrlAltH;
            r.scope = qln::ScopeGlobal;
            r.setText("q");
        } else if (n == 6) {
            r.hotKeyCode = qln::HotKeySnipword;
            r.scope = qln::ScopeGlobal;
            r.snipword = "xyz";
            r.setText("q");
        }
        file.store(n, r);
    }
}

// Raw key presses of every device, as they reach the server's clients.
class RawKeys {
public:
    explicit RawKeys(Display* d) : d_(d) {
        int event = 0, error = 0;
        XQueryExtension(d, "XInputExtension", &opcode_, &event, &error);
        int major = 2, minor = 2;
        XIQueryVersion(d, &major, &minor);
        unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
        XISetMask(bits, XI_RawKeyPress);
        XIEventMask mask{XIAllDevices, sizeof(bits), bits};
        XISelectEvents(d, DefaultRootWindow(d), &mask, 1);
        XSync(d, False);
    }
    // Waits (at most `limit`) for a press of `keycode`; the moment it was read, or nothing.
    std::optional<Clock::time_point> waitFor(unsigned keycode, std::chrono::milliseconds limit) {
        const auto end = Clock::now() + limit;
        while (Clock::now() < end) {
            while (XPending(d_) > 0) {
                XEvent e;
                XNextEvent(d_, &e);
                if (e.xcookie.type != GenericEvent || e.xcookie.extension != opcode_ || !XGetEventData(d_, &e.xcookie))
                    continue;
                const auto* raw = static_cast<XIRawEvent*>(e.xcookie.data);
                const bool hit = raw->detail == static_cast<int>(keycode);
                XFreeEventData(d_, &e.xcookie);
                if (hit) return Clock::now();
            }
            std::this_thread::sleep_for(50us);
        }
        return std::nullopt;
    }
    void drop() {
        XSync(d_, False);
        while (XPending(d_) > 0) {
            XEvent e;
            XNextEvent(d_, &e);
        }
    }

private:
    Display* d_;
    int opcode_ = 0;
};

void tap(Display* d, const std::vector<KeySym>& keys) {
    for (const KeySym k : keys) XTestFakeKeyEvent(d, XKeysymToKeycode(d, k), True, CurrentTime);
    for (auto k = keys.rbegin(); k != keys.rend(); ++k) XTestFakeKeyEvent(d, XKeysymToKeycode(d, *k), False, CurrentTime);
    XFlush(d);
}

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5))];
}

void BM_TriggerLatency(benchmark::State& state) {
    qln::test::Session session;
    qln::test::TempFolder home;
    std::filesystem::create_directories(home.path() + "/data/quillon");
    fillMacroFile(home.path() + "/data/quillon/QUILN.QLN");
    std::filesystem::create_directories(home.path() + "/run");
    std::filesystem::permissions(home.path() + "/run", std::filesystem::perms::owner_all);
    Display* d = XOpenDisplay(session.x.display().c_str());
    Display* keys = XOpenDisplay(session.x.display().c_str());
    RawKeys raw(keys);
    const unsigned q = XKeysymToKeycode(d, XK_q), backspace = XKeysymToKeycode(d, XK_BackSpace);
    std::vector<double> hotKey, hotKeyDevice, snipword;
    auto hand = std::make_unique<qln::test::UserKeyboard>(d);
    double idleCpuPercent = -1;
    for (auto _ : state) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::setenv("DISPLAY", session.x.display().c_str(), 1);
            ::setenv("XDG_CONFIG_HOME", (home.path() + "/config").c_str(), 1);
            ::setenv("XDG_DATA_HOME", (home.path() + "/data").c_str(), 1);
            ::setenv("XDG_RUNTIME_DIR", (home.path() + "/run").c_str(), 1);
            ::setenv("QT_QPA_PLATFORM", "xcb", 1);
            ::execl(QLN_QUILLON, QLN_QUILLON, "/HIDE", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        std::this_thread::sleep_for(3s);
        const double before = qln::bench::cpuSeconds(pid);
        std::this_thread::sleep_for(5s);
        idleCpuPercent = 100.0 * (qln::bench::cpuSeconds(pid) - before) / 5.0;
        for (int i = 0; i < 200; ++i) {
            raw.drop();
            const auto start = Clock::now();
            tap(d, {XK_Control_L, XK_Alt_L, XK_h});
            if (const auto at = raw.waitFor(q, 2000ms))
                hotKey.push_back(std::chrono::duration<double, std::milli>(*at - start).count());
            else if (hotKey.empty() && i >= 2)
                break;  // not answering at all: no use waiting 200 times
            std::this_thread::sleep_for(30ms);  // the end marker behind it
        }
        for (int i = 0; i < 200; ++i) {
            raw.drop();
            const auto start = Clock::now();
            hand->chord({XK_Control_L, XK_Alt_L, XK_h}, false);
            if (const auto at = raw.waitFor(q, 2000ms))
                hotKeyDevice.push_back(std::chrono::duration<double, std::milli>(*at - start).count());
            else if (hotKeyDevice.empty() && i >= 2)
                break;
            std::this_thread::sleep_for(30ms);
        }
        for (int i = 0; i < 100; ++i) {
            tap(d, {XK_x});
            tap(d, {XK_y});
            std::this_thread::sleep_for(5ms);
            raw.drop();
            const auto start = Clock::now();
            tap(d, {XK_z});
            if (const auto at = raw.waitFor(backspace, 2000ms))
                snipword.push_back(std::chrono::duration<double, std::milli>(*at - start).count());
            raw.waitFor(q, 2000ms);
            std::this_thread::sleep_for(30ms);
        }
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
    }
    state.counters["hotkey_median_ms"] = percentile(hotKey, 0.5);
    state.counters["hotkey_p99_ms"] = percentile(hotKey, 0.99);
    state.counters["hotkey_answered"] = static_cast<double>(hotKey.size());
    state.counters["hotkey_keyboard_median_ms"] = percentile(hotKeyDevice, 0.5);
    state.counters["hotkey_keyboard_p99_ms"] = percentile(hotKeyDevice, 0.99);
    state.counters["hotkey_keyboard_answered"] = static_cast<double>(hotKeyDevice.size());
    state.counters["snipword_median_ms"] = percentile(snipword, 0.5);
    state.counters["snipword_p99_ms"] = percentile(snipword, 0.99);
    state.counters["snipword_answered"] = static_cast<double>(snipword.size());
    state.counters["cpu_percent_idle"] = idleCpuPercent;
    hand.reset();
    XCloseDisplay(keys);
    XCloseDisplay(d);
}

}  // namespace

BENCHMARK(BM_TriggerLatency)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
