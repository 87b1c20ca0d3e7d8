// Waits, delays, the speed factor and abort timing, on the virtual clock.
#include <gtest/gtest.h>

#include "PlaybackHarness.h"

namespace qln::test {
namespace {

struct TimedCase {
    const char* name;
    const char* text;
    const char* trace;  // "<ms> <event>" lines
};

class PlayerTiming : public ::testing::TestWithParam<TimedCase> {};

TEST_P(PlayerTiming, EventsHappenAtTheseTimes) {
    Harness h;
    h.play(GetParam().text);
    EXPECT_EQ(h.timed(), GetParam().trace) << GetParam().text;
}

const TimedCase kTimed[] = {
    {"DelayWaitsMoreThanItsSeconds", "<DELAY:01.00>a", "1001 key 65 down\n1001 key 65 up\n"},
    {"SpeedTwoDoublesDelay", "<SPEED:00002><DELAY:01.00>a", "2001 key 65 down\n2001 key 65 up\n"},
    {"SpeedZeroSkipsDelay", "<SPEED:00000><DELAY:01.00>a", "0 key 65 down\n0 key 65 up\n"},
    {"DelayOfOneAndAHalf", "<DELAY:001.5>a", "1501 key 65 down\n1501 key 65 up\n"},
    {"UnreadableSpeedKeepsFactor", "<SPEED:0x002><DELAY:01.00>a", "1001 key 65 down\n1001 key 65 up\n"},
    {"MillisecondWait", "<MSD:0250>a", "250 key 65 down\n250 key 65 up\n"},
    {"MillisecondWaitTruncatedAfterScaling", "<SPEED:00.50><MSD:0101>a", "50 key 65 down\n50 key 65 up\n"},
    {"NegativeWaitEndsAtOnce", "<MSD:-100><SPEED:-1.00><DELAY:01.00>a", "0 key 65 down\n0 key 65 up\n"},
    {"KeyDelayBeforeEachCharacter", "<SPKEY:0100>ab",
     "100 key 65 down\n100 key 65 up\n200 key 66 down\n200 key 66 up\n"},
    {"KeyDelayOffAgain", "<SPKEY:0100>a<SPKEY:0000>b", "100 key 65 down\n100 key 65 up\n100 key 66 down\n100 key 66 up\n"},
    {"KeyDelayBeforeKeyTags", "<SPKEY:0100><TAB><ALT:065>",
     "100 key 9 down\n100 key 9 up\n200 key 18 down\n200 key 96 down\n200 key 96 up\n200 key 102 down\n"
     "200 key 102 up\n200 key 101 down\n200 key 101 up\n200 key 18 up\n"},
    {"NoKeyDelayForHeldModifiers", "<SPKEY:0100><CTLD><SHIFT><RIGHT MOUSE>",
     "0 key 17 down\n0 key 16 down\n0 key 2 down\n0 key 2 up\n0 key 16 up\n"},
    {"MouseDelayBeforeMouseTags", "<SPMSE:0100><LCLK>a", "100 mouse 2 0 0 0\n100 mouse 4 0 0 0\n100 key 65 down\n100 key 65 up\n"},
    {"SpeedScalesKeyDelay", "<SPEED:00.50><SPKEY:0100>a", "50 key 65 down\n50 key 65 up\n"},
    {"PasteWaitsATenthUnscaled", "<SPEED:00000><CLIPP>a",
     "0 key 17 down\n0 key 86 down\n0 key 86 up\n0 key 17 up\n101 key 65 down\n101 key 65 up\n"},
};

INSTANTIATE_TEST_SUITE_P(Playback, PlayerTiming, ::testing::ValuesIn(kTimed),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(PlayerTiming, FiveCharactersAtOneHundredMillisecondsTakeHalfASecond) {
    Harness h;
    h.play("<SPKEY:0100>abcde");
    EXPECT_EQ(h.desktop.clock().tickCount(), 500u);
}

TEST(PlayerTiming, DelayAcrossMidnight) {
    HarnessOptions o;
    o.start = {2026, 12, 31, 23, 59, 59, 500};
    Harness h(o);
    h.play("<DELAY:01.00>a");
    EXPECT_EQ(h.timed(), "1001 key 65 down\n1001 key 65 up\n");
    EXPECT_EQ(h.desktop.clock().localNow(), (LocalDateTime{2027, 1, 1, 0, 0, 0, 501}));
}

TEST(PlayerTiming, WaitsBlockInsteadOfSpinning) {
    Harness h;
    h.play("<DELAY:05.00><MSD:9000>");
    EXPECT_LE(h.desktop.pump().waitCalls(), 4);
    EXPECT_GE(h.desktop.pump().processCalls(), 2);
}

TEST(PlayerAbort, ActedOnWhenTheDelayEnds) {
    Harness h;
    h.desktop.pump().setHandler(&h.session);
    h.desktop.pump().postAt(500, hook::AbortRequest{});
    h.play("<DELAY:01.00>ab");
    EXPECT_EQ(h.timed(),
              "1001 app main-window hide\n"
              "1001 message \"Macro Abort\" \"Quillon macro has been aborted.\"\n"
              "1001 app main-window show\n"
              "1001 focus 16 \"Untitled - Notepad\"\n");
}

TEST(PlayerAbort, DuringTheLastStepIsNotReported) {
    Harness h;
    h.desktop.pump().setHandler(&h.session);
    h.desktop.pump().postAt(500, hook::AbortRequest{});
    h.play("a<DELAY:01.00>");
    EXPECT_EQ(h.events(), "65d 65u");
}

TEST(PlayerAbort, LeavesCapsLockOffAndStopsRepeatPassesWithOneNotice) {
    HarnessOptions o;
    o.capsLock = true;
    Harness h(o);
    h.desktop.pump().setHandler(&h.session);
    h.desktop.pump().postAt(150, hook::AbortRequest{});
    h.play("<REPEAT:0009>a<MSD:0100><ENDREP>b");
    EXPECT_EQ(h.events(),
              "20d 20u 65d 65u 65d 65u | app main-window hide | "
              "| message \"Macro Abort\" \"Quillon macro has been aborted.\" | | app main-window show | "
              "| focus 16 \"Untitled - Notepad\" |");
}

}  // namespace
}  // namespace qln::test
