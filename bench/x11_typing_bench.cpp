// Typing into a real X server: characters per second received by a recording client (from the start of the
// command until the last character arrived), for qlntool and for `xdotool type --delay 0` in the same run, and the
// CPU a waiting macro uses.  Starts its own Xvfb.  Goals: 15,000 ASCII and 1,000 characters outside the keymap
// a second, nothing lost.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>

#include "x11/XvfbSession.h"

namespace {

std::string text(bool outsideKeymap) {
    // 2000 characters; with outsideKeymap one in ten is a letter the US keymap lacks.
    static const char* const kExtra[] = {"\xC3\xA9", "\xC3\xB1", "\xC3\x9F", "\xC5\x93", "\xE2\x82\xAC"};
    const std::string plain = "abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ,.0123456789";
    std::mt19937 rng(7);
    std::string s;
    for (int i = 0; i < 2000; ++i)
        s += outsideKeymap && i % 10 == 9 ? std::string(kExtra[rng() % 5]) : std::string(1, plain[rng() % plain.size()]);
    return s;
}

std::string quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs the command while the recorder listens, and returns the seconds from the start until the recorder had
// received everything expected (until the command ended, when something never came): what a user waits for.
// `received` gets what the recorder saw.
double typeWith(const qln::test::XvfbSession& x, const std::string& command, std::size_t expectedBytes,
                std::string& received) {
    const std::string env = "DISPLAY=" + x.display() + " ";
    int fds[2];
    if (::pipe(fds) != 0) return -1;
    const pid_t recorder = ::fork();
    if (recorder == 0) {
        ::dup2(fds[1], 1);
        ::close(fds[0]);
        ::setenv("DISPLAY", x.display().c_str(), 1);
        ::execl(QLN_X11_RECORDER, QLN_X11_RECORDER, "--cached", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    received.clear();
    auto readSome = [&](int ms) {
        pollfd p{fds[0], POLLIN, 0};
        if (::poll(&p, 1, ms) <= 0) return false;
        char buffer[4096];
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n > 0) received.append(buffer, static_cast<std::size_t>(n));
        return n > 0;
    };
    while (received.find("ready\n") == std::string::npos && readSome(5000)) {
    }
    received.clear();
    const auto start = std::chrono::steady_clock::now();
    const pid_t typist = ::fork();
    if (typist == 0) {
        ::execl("/bin/sh", "sh", "-c", (env + command).c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    auto last = start;
    int status = 0;
    bool typistDone = false;
    auto finished = start;
    for (;;) {
        if (!typistDone && ::waitpid(typist, &status, WNOHANG) == typist) {
            typistDone = true;
            finished = std::chrono::steady_clock::now();
        }
        if (received.size() >= expectedBytes && typistDone) break;
        if (readSome(typistDone ? 1000 : 20)) {
            last = std::chrono::steady_clock::now();
        } else if (typistDone) {
            break;  // nothing more is coming
        }
    }
    ::kill(recorder, SIGTERM);
    ::waitpid(recorder, nullptr, 0);
    ::close(fds[0]);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    const auto end = received.size() >= expectedBytes ? last : std::max(last, finished);
    return std::chrono::duration<double>(end - start).count();
}

void typing(benchmark::State& state, bool outsideKeymap, bool xdotool) {
    qln::test::XvfbSession x;
    const std::string t = text(outsideKeymap);
    const std::string command = xdotool ? "xdotool type --delay 0 " + quoted(t)
                                        : std::string(QLN_QLNTOOL) + " play --x11 --text " + quoted(t);
    std::size_t characters = 0;
    for (char c : t) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    bool allReceived = true;
    for (auto _ : state) {
        std::string received;
        const double seconds = typeWith(x, command, t.size(), received);
        if (seconds <= 0) {
            state.SkipWithError("could not type (is xdotool installed?)");
            return;
        }
        allReceived = allReceived && received == t;
        state.SetIterationTime(seconds);
    }
    state.counters["chars_per_second"] =
        benchmark::Counter(static_cast<double>(characters * state.iterations()), benchmark::Counter::kIsRate);
    state.counters["all_received_in_order"] = allReceived ? 1 : 0;
}

void BM_QuillonAscii(benchmark::State& s) { typing(s, false, false); }
void BM_XdotoolAscii(benchmark::State& s) { typing(s, false, true); }
void BM_QuillonOutsideKeymap(benchmark::State& s) { typing(s, true, false); }
void BM_XdotoolOutsideKeymap(benchmark::State& s) { typing(s, true, true); }

// CPU time of a macro that only waits five seconds.
void BM_CpuDuringDelay(benchmark::State& state) {
    qln::test::XvfbSession x;
    for (auto _ : state) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::setenv("DISPLAY", x.display().c_str(), 1);
            ::execl(QLN_QLNTOOL, QLN_QLNTOOL, "play", "--x11", "--text", "<DELAY:05.00>", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        int status = 0;
        rusage usage{};
        const auto start = std::chrono::steady_clock::now();
        ::wait4(pid, &status, 0, &usage);
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        state.SetIterationTime(wall);
        state.counters["cpu_percent"] = 100.0 * cpu / wall;
    }
}

}  // namespace

BENCHMARK(BM_QuillonAscii)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XdotoolAscii)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuillonOutsideKeymap)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XdotoolOutsideKeymap)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CpuDuringDelay)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
