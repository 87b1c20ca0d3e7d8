// The simulated desktop's clock, message pump, prompts and trace.
#include <gtest/gtest.h>

#include "platform/sim/SimDesktop.h"

namespace qln::sim {
namespace {

TEST(SimClock, CrossesMidnightAndTheYear) {
    SimClock clock({2026, 12, 31, 23, 59, 59, 900});
    clock.advance(150);
    EXPECT_EQ(clock.localNow(), (LocalDateTime{2027, 1, 1, 0, 0, 0, 50}));
    clock.advanceTo(10);  // never back
    EXPECT_EQ(clock.tickCount(), 150u);
    clock.advance(86400000ULL * 59);
    EXPECT_EQ(clock.localNow(), (LocalDateTime{2027, 3, 1, 0, 0, 0, 50}));
}

class Recorder : public IMessageHandler {
public:
    explicit Recorder(SimClock& c) : clock(c) {}
    void handleMessage(const Message& m) override {
        seen.push_back(std::to_string(clock.tickCount()) + ":" + std::to_string(std::get<hook::HotKeyPressed>(m).code));
    }
    SimClock& clock;
    std::vector<std::string> seen;
};

TEST(SimMessagePump, DeliversInTimeOrderAndWaitsJumpToTheNextMessage) {
    SimClock clock({2026, 1, 1, 0, 0, 0, 0});
    SimMessagePump pump(clock);
    Recorder r(clock);
    pump.setHandler(&r);
    pump.postAt(300, hook::HotKeyPressed{3});
    pump.postAt(100, hook::HotKeyPressed{1});
    pump.postAt(100, hook::HotKeyPressed{2});
    pump.processMessages();
    EXPECT_TRUE(r.seen.empty());
    pump.waitUntil(1000);
    EXPECT_EQ(r.seen, (std::vector<std::string>{"100:1", "100:2"}));
    pump.waitUntil(250);
    EXPECT_EQ(clock.tickCount(), 250u);
    pump.waitUntil(1000);
    EXPECT_EQ(r.seen.back(), "300:3");
    pump.waitUntil(1000);
    EXPECT_EQ(clock.tickCount(), 1000u);
    EXPECT_EQ(pump.waitCalls(), 4);
}

TEST(SimMessagePump, ATimerThatFellBehindTicksOnceThenKeepsItsRhythmFromThen) {
    // As the desktop's own timers: a busy stretch costs ticks, it does not bring a burst of them.
    SimClock clock({2026, 1, 1, 0, 0, 0, 0});
    SimMessagePump pump(clock);
    std::vector<std::uint64_t> ticks;
    pump.startTimer(100, [&] { ticks.push_back(clock.tickCount()); });
    clock.advance(350);  // a long step without handling messages
    pump.processMessages();
    pump.waitUntil(1000);
    pump.waitUntil(1000);
    EXPECT_EQ(ticks, (std::vector<std::uint64_t>{350, 450, 550}));
}

TEST(SimMessagePump, AQuitEndsEveryWaitAtOnce) {
    SimClock clock({2026, 1, 1, 0, 0, 0, 0});
    SimMessagePump pump(clock);
    pump.quitAt(200);
    pump.waitUntil(5000);
    EXPECT_EQ(clock.tickCount(), 200u);
    EXPECT_TRUE(pump.quitRequested());
    pump.waitUntil(5000);
    EXPECT_EQ(clock.tickCount(), 200u);
}

TEST(SimPrompts, ScriptedAnswersThenResume) {
    SimDesktop d({});
    d.prompts().addAnswer("abort");
    PauseDialogRequest req;
    req.left = 1;
    req.top = 2;
    req.message = "Go on?";
    EXPECT_FALSE(d.prompts().showPause(req));
    EXPECT_TRUE(d.prompts().showPause(req));
    d.prompts().addAnswer("ok");
    d.prompts().showMessage("Macro Abort", "Quillon macro has been aborted.");
    EXPECT_EQ(d.trace().lines(),
              (std::vector<std::string>{"pause left=1 top=2 message=\"Go on?\"", "answer abort",
                                        "pause left=1 top=2 message=\"Go on?\"", "answer resume",
                                        "message \"Macro Abort\" \"Quillon macro has been aborted.\"", "answer ok"}));
}

class Closer : public IMessageHandler {
public:
    explicit Closer(IPrompts& p) : prompts(p) {}
    void handleMessage(const Message&) override { prompts.closePause(true); }
    IPrompts& prompts;
};

TEST(SimPrompts, PauseEndedFromOutside) {
    SimDesktop d({});
    Closer closer(d.prompts());
    d.pump().setHandler(&closer);
    d.pump().post(hook::HotKeyPressed{264});
    d.prompts().addAnswer("abort");
    EXPECT_TRUE(d.prompts().showPause({}));
    EXPECT_EQ(d.trace().lines().back(), "answer resume (hot key)");
}

TEST(EventTrace, QuotesTexts) {
    EXPECT_EQ(EventTrace::quote("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(EventTrace::quote(std::string("\r\n\x7F\x01", 4)), "\"\\x0D\\x0A\\x7F\\x01\"");
    EXPECT_EQ(EventTrace::quote("caf\xE9 \x80"), "\"caf\xC3\xA9 \xE2\x82\xAC\"");
}

TEST(TraceInputSink, CapsLockTogglesOnItsPress) {
    SimDesktop d({});
    EXPECT_FALSE(d.layout().capsLockOn());
    d.input().keyEvent(20, 0x3A, false);
    EXPECT_TRUE(d.layout().capsLockOn());
    EXPECT_TRUE(d.input().isDown(20));
    d.input().keyEvent(20, 0x3A, true);
    EXPECT_TRUE(d.layout().capsLockOn());
    d.input().keyEvent(20, 0x3A, false);
    EXPECT_FALSE(d.layout().capsLockOn());
    EXPECT_EQ(d.trace().format(0), "0 key 20 down\n0 key 20 up\n0 key 20 down\n");
}

TEST(SimHookLibrary, CopiesOnlyTheRegionsOfEachCall) {
    SimDesktop d({});
    std::array<std::uint8_t, hooktable::Size> image{};
    image.fill(7);
    d.hook().QlnUpInUse(TableImage(image));
    for (std::size_t i = 0; i < hooktable::Size; ++i)
        ASSERT_EQ(d.hook().block()[i], i == hooktable::InUse ? 7 : 0) << i;
    d.hook().QlnUpItem(TableImage(image), 500);
    EXPECT_EQ(d.hook().block()[hooktable::TopMostBase + 500], 7);
    EXPECT_EQ(d.hook().block()[hooktable::TopMostBase + 499], 0);
    EXPECT_EQ(d.hook().block()[hooktable::NameBase + 500 * 21 + 20], 7);
    d.hook().QlnUpItem(TableImage(image), 501);  // refused: past the arrays
    EXPECT_EQ(d.hook().block()[hooktable::MacroCount], 0);
    const std::uint32_t h = d.hook().QlnHookKeyboard();
    EXPECT_TRUE(d.hook().QlnUnHook(h));
    EXPECT_FALSE(d.hook().QlnUnHook(h));
    EXPECT_EQ(d.hook().calls().size(), 6u);
}

TEST(SimHookLibrary, RegionsStayInsideTheTable) {
    for (const char* call : {"QlnUpInit", "QlnUpKeys", "QlnUpNumKeys", "QlnUpWindow", "QlnUpWindow2", "QlnUpProg",
                             "QlnUpProgs", "QlnUpInUse", "QlnUpKeyHook", "QlnUpMouseHook", "QlnUpCapture",
                             "QlnUpCaptureOn"}) {
        ASSERT_FALSE(regionsOf(call).empty()) << call;
        for (const TableRegion& r : regionsOf(call)) EXPECT_LE(r.offset + r.length, hooktable::Size) << call;
    }
    for (const TableRegion& r : itemRegions(500)) EXPECT_LE(r.offset + r.length, hooktable::Size);
    EXPECT_EQ(hooktable::ProgramListBase + 200 * hooktable::ProgramListWidth + hooktable::ProgramListWidth, hooktable::Size);
}

}  // namespace
}  // namespace qln::sim
