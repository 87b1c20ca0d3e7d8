// The event loop on a real X connection: timers, posted messages, watched descriptors, and waits that sleep.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "XvfbSession.h"
#include "platform/x11/X11Desktop.h"

namespace qln::test {
namespace {

struct Recorder : IMessageHandler {
    void handleMessage(const Message& m) override { ids.push_back(messageNumber(m)); }
    std::vector<std::uint32_t> ids;
};

double cpuSeconds() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

class X11PumpTest : public ::testing::Test {
protected:
    XvfbSession x;
    x11::X11Desktop xd{x.display()};
    x11::X11Pump& pump = xd.pump();
    std::uint64_t now() { return xd.clock().tickCount(); }
};

TEST_F(X11PumpTest, PostedMessagesAreHandledInOrderAndEndAWait) {
    Recorder r;
    pump.setHandler(&r);
    pump.post(hook::HotKeyPressed{1});
    pump.post(hook::TypedCharacter{hook::TypedCharacter::State::Plain, 'a'});
    const std::uint64_t start = now();
    pump.waitUntil(start + 5000);
    EXPECT_LT(now() - start, 1000u);
    EXPECT_EQ(r.ids, (std::vector<std::uint32_t>{0x402, 0x406}));
    pump.setHandler(nullptr);
}

TEST_F(X11PumpTest, TimersTickOnTheirIntervalAndStop) {
    int fast = 0, slow = 0;
    const std::uint64_t start = now(), end = start + 330;
    const TimerId a = pump.startTimer(20, [&] { ++fast; });
    const TimerId b = pump.startTimer(100, [&] { ++slow; });
    while (now() < end) pump.waitUntil(end);
    // A loaded machine may wake us well after the end: the ticks due by then may have come too, no more.
    const auto due = [&](std::uint64_t interval) { return static_cast<int>((now() - start) / interval); };
    EXPECT_GE(fast, 10);
    EXPECT_LE(fast, std::max(17, due(20)));
    EXPECT_GE(slow, 3);
    EXPECT_LE(slow, std::max(3, due(100)));
    pump.stopTimer(a);
    pump.stopTimer(b);
    const int before = fast;
    const std::uint64_t later = now() + 100;
    while (now() < later) pump.waitUntil(later);
    EXPECT_EQ(fast, before);
}

TEST_F(X11PumpTest, ATimerMayStopAnotherDueInTheSameRound) {
    int second = 0;
    TimerId b = 0;
    pump.startTimer(10, [&] { pump.stopTimer(b); });
    b = pump.startTimer(10, [&] { ++second; });
    const std::uint64_t end = now() + 60;
    while (now() < end) pump.waitUntil(end);
    EXPECT_EQ(second, 0);
}

TEST_F(X11PumpTest, AWatchedDescriptorWakesTheWait) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    std::string got;
    const int watch = pump.watchFd(fds[0], [&] {
        char c[16];
        const ssize_t n = ::read(fds[0], c, sizeof c);
        if (n > 0) got.append(c, static_cast<std::size_t>(n));
    });
    ASSERT_EQ(::write(fds[1], "go", 2), 2);
    const std::uint64_t start = now();
    // Other events of the display (the window manager's) may end a wait first.
    while (got.empty() && now() < start + 5000) pump.waitUntil(start + 5000);
    EXPECT_EQ(got, "go");
    EXPECT_LT(now() - start, 1000u);
    pump.unwatchFd(watch);
    ::close(fds[0]);
    ::close(fds[1]);
}

TEST_F(X11PumpTest, AWaitSleepsUntilItsDeadline) {
    const double cpu = cpuSeconds();
    const std::uint64_t start = now();
    const std::uint64_t end = start + 500;
    int rounds = 0;
    while (now() < end) {
        pump.waitUntil(end);
        ++rounds;
    }
    EXPECT_GE(now() - start, 500u);
    EXPECT_LT(rounds, 5);  // woken by nothing: no busy loop
    EXPECT_LT(cpuSeconds() - cpu, 0.05);
}

}  // namespace
}  // namespace qln::test
