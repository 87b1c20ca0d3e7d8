// Sounds through a stand-in player: a wave played to its end keeps the event loop running, one started does not
// wait, and a file that cannot be played starts nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "XvfbSession.h"
#include "platform/x11/X11Desktop.h"
#include "support/TempFolder.h"

namespace qln::test {
namespace {

class WavePlayerTest : public ::testing::Test {
protected:
    WavePlayerTest() {
        folder.write("player", "#!/bin/sh\nsleep 0.3\necho \"$1\" >> '" + folder.file("played") + "'\n");
        std::filesystem::permissions(folder.file("player"), std::filesystem::perms::owner_all);
        folder.write("ding.wav", std::string(44100, 'w'));
    }
    std::uint64_t now() { return xd.clock().tickCount(); }
    XvfbSession x;
    x11::X11Desktop xd{x.display()};
    TempFolder folder;
    x11::WavePlayer sound{xd.display(), xd.pump(), xd.pump(), xd.clock(), {folder.file("player")}};
};

TEST_F(WavePlayerTest, PlayingToTheEndWaitsAndKeepsTheLoopRunning) {
    int ticks = 0;
    const TimerId timer = xd.pump().startTimer(20, [&] { ++ticks; });
    const std::uint64_t start = now();
    sound.playWave(folder.file("ding.wav"), true);
    xd.pump().stopTimer(timer);
    EXPECT_GE(now() - start, 300u);
    EXPECT_LT(now() - start, 3000u);
    EXPECT_EQ(folder.read("played"), folder.file("ding.wav") + "\n");
    EXPECT_GE(ticks, 5);
}

TEST_F(WavePlayerTest, StartingDoesNotWait) {
    const std::uint64_t start = now();
    sound.playWave(folder.file("ding.wav"), false);
    EXPECT_LT(now() - start, 250u);
    EXPECT_EQ(folder.read("played"), "");
    for (int i = 0; i < 100 && folder.read("played").empty(); ++i) xd.pump().waitUntil(now() + 20);
    EXPECT_EQ(folder.read("played"), folder.file("ding.wav") + "\n");
}

TEST_F(WavePlayerTest, AMissingFileOrPlayerPlaysNothing) {
    const std::uint64_t start = now();
    sound.playWave(folder.file("missing.wav"), true);
    sound.playWave(folder.path(), true);  // a folder
    x11::WavePlayer none{xd.display(), xd.pump(), xd.pump(), xd.clock(), {"no-such-player"}};
    none.playWave(folder.file("ding.wav"), true);
    EXPECT_LT(now() - start, 250u);
    EXPECT_EQ(folder.read("played"), "");
}

TEST_F(WavePlayerTest, APlayerThatHangsIsStopped) {
    folder.write("stuck", "#!/bin/sh\nexec sleep 60\n");
    std::filesystem::permissions(folder.file("stuck"), std::filesystem::perms::owner_all);
    folder.write("tiny.wav", "RIFF");  // lasts no time at all: the wait ends after the grace period
    x11::WavePlayer stuck{xd.display(), xd.pump(), xd.pump(), xd.clock(), {folder.file("stuck")}};
    const std::uint64_t start = now();
    stuck.playWave(folder.file("tiny.wav"), true);
    EXPECT_GE(now() - start, 5000u);
    EXPECT_LT(now() - start, 8000u);
}

TEST_F(WavePlayerTest, APlayerThatIgnoresBeingAskedToStopIsKilled) {
    folder.write("deaf", "#!/bin/sh\ntrap '' TERM\nwhile :; do sleep 1; done\n");
    std::filesystem::permissions(folder.file("deaf"), std::filesystem::perms::owner_all);
    folder.write("tiny.wav", "RIFF");
    x11::WavePlayer deaf{xd.display(), xd.pump(), xd.pump(), xd.clock(), {folder.file("deaf")}};
    const std::uint64_t start = now();
    deaf.playWave(folder.file("tiny.wav"), true);
    EXPECT_GE(now() - start, 6000u);
    EXPECT_LT(now() - start, 9000u);
}

}  // namespace
}  // namespace qln::test
