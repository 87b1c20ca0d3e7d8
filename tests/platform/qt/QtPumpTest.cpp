// The program's event loop on Qt's: posted messages, timers, watched descriptors and waits that block.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <vector>

#include "platform/SystemClock.h"
#include "platform/qt/QtPump.h"

namespace qln {
namespace {

struct Recorder : IMessageHandler {
    void handleMessage(const Message& m) override { numbers.push_back(messageNumber(m)); }
    std::vector<std::uint32_t> numbers;
};

double cpuSeconds() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

class QtPumpTest : public ::testing::Test {
protected:
    SystemClock clock;
    QtPump pump{clock};
    std::uint64_t now() const { return clock.tickCount(); }
};

TEST_F(QtPumpTest, PostedMessagesArriveInOrderAndEndAWait) {
    Recorder r;
    pump.setHandler(&r);
    pump.post(hook::HotKeyPressed{1});
    pump.post(hook::AbortRequest{});
    const std::uint64_t start = now();
    while (r.numbers.size() < 2 && now() - start < 2000) pump.waitUntil(start + 5000);
    EXPECT_LT(now() - start, 1000u);
    EXPECT_EQ(r.numbers, (std::vector<std::uint32_t>{0x402, 0x405}));
}

TEST_F(QtPumpTest, AMessagePostedDuringAWaitInsideAMessageEndsThatWait) {
    // A macro plays inside the handling of its hot key message; the abort posted meanwhile (here by a timer, as
    // the hook library posts it from its descriptor) must reach it in its wait, not after the macro.
    struct Macro : IMessageHandler {
        QtPump* pump = nullptr;
        const SystemClock* clock = nullptr;
        std::vector<std::uint32_t> numbers;
        std::uint64_t abortedAfter = 0;
        void handleMessage(const Message& m) override {
            numbers.push_back(messageNumber(m));
            if (!std::holds_alternative<hook::HotKeyPressed>(m)) return;
            const std::uint64_t start = clock->tickCount();
            pump->startTimer(50, [this] { pump->post(hook::AbortRequest{}); });
            while (numbers.back() != 0x405 && clock->tickCount() < start + 3000) pump->waitUntil(start + 3000);
            abortedAfter = clock->tickCount() - start;
        }
    } macro;
    macro.pump = &pump;
    macro.clock = &clock;
    pump.setHandler(&macro);
    pump.post(hook::HotKeyPressed{1});
    const std::uint64_t start = now();
    while (macro.numbers.size() < 2 && now() - start < 5000) pump.waitUntil(start + 5000);
    EXPECT_EQ(macro.numbers, (std::vector<std::uint32_t>{0x402, 0x405}));
    EXPECT_LT(macro.abortedAfter, 1000u);
}

TEST_F(QtPumpTest, AWaitBlocksUntilItsDeadlineWithoutUsingTheProcessor) {
    const double cpu = cpuSeconds();
    const std::uint64_t start = now();
    while (now() < start + 500) pump.waitUntil(start + 500);
    EXPECT_LT(now() - start, 700u);
    EXPECT_LT(cpuSeconds() - cpu, 0.1);
}

TEST_F(QtPumpTest, TimersTickDuringWaitsAndAfterAStallOnlyOnce) {
    int ticks = 0;
    const TimerId id = pump.startTimer(50, [&] { ++ticks; });
    const std::uint64_t end = now() + 275;
    while (now() < end) pump.waitUntil(end);
    EXPECT_GE(ticks, 4);
    EXPECT_LE(ticks, 6);
    ::usleep(300000);  // the loop was busy: missed ticks are not made up
    const int before = ticks;
    pump.processMessages();
    EXPECT_EQ(ticks, before + 1);
    pump.stopTimer(id);
}

TEST_F(QtPumpTest, AWatchedDescriptorWakesTheWaitAndMayRemoveItself) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    int calls = 0, id = 0;
    id = pump.watchFd(fds[0], [&] {
        char c;
        (void)::read(fds[0], &c, 1);
        ++calls;
        pump.unwatchFd(id);
    });
    QTimer::singleShot(100, [&] { (void)::write(fds[1], "x", 1); });
    const std::uint64_t start = now();
    while (calls == 0 && now() - start < 2000) pump.waitUntil(start + 5000);
    EXPECT_EQ(calls, 1);
    EXPECT_LT(now() - start, 1000u);
    ::close(fds[0]);
    ::close(fds[1]);
}

TEST_F(QtPumpTest, AQuitEndsAWaitAtOnce) {
    QTimer::singleShot(100, [&] { pump.requestQuit(); });
    const std::uint64_t start = now();
    pump.waitUntil(start + 10000);
    EXPECT_LT(now() - start, 1000u);
    EXPECT_TRUE(pump.quitRequested());
}

}  // namespace
}  // namespace qln

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
