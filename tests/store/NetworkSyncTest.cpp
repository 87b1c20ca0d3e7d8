// Sharing a macro file: the sync file's bytes, the lock, its heartbeat and take-over, and reloads.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "platform/sim/SimClock.h"
#include "platform/sim/SimMessagePump.h"
#include "store/NetworkSync.h"
#include "support/TempFolder.h"

namespace qln {
namespace {

class Recorder : public INotices, public IMacroSetReload {
public:
    void notice(std::string_view caption, std::string_view text) override {
        seen.push_back(std::string(caption));
        texts.push_back(std::string(text));
    }
    void reloadWithRefresh() override { ++reloads; }
    std::vector<std::string> seen;
    std::vector<std::string> texts;
    int reloads = 0;
};

// One program on the shared folder, with its own clock and timers.
struct Program {
    explicit Program(const std::string& macroFile, sim::SimClock& c) : clock(c), pump(clock), sync(clock, pump, rec, rec) {
        sync.setNetworkMode(true);
        sync.adoptFile(macroFile);
    }
    sim::SimClock& clock;
    sim::SimMessagePump pump;
    Recorder rec;
    NetworkSync sync;

    // Lets virtual time pass, with the timers ticking.
    void run(std::uint64_t ms) {
        const std::uint64_t end = clock.tickCount() + ms;
        while (clock.tickCount() < end) pump.waitUntil(end);
    }
};

struct Shared {
    test::TempFolder tmp;
    std::string macroFile = tmp.file("SET.QLN");
    std::string syncFile = tmp.file("SET.MAS");
    sim::SimClock clock{{2026, 12, 9, 10, 0, 0, 0}};
};

TEST(NetworkSync, OffMeansNoSyncFileAndEveryChangeProceeds) {
    Shared s;
    sim::SimMessagePump pump(s.clock);
    Recorder rec;
    NetworkSync sync(s.clock, pump, rec, rec);
    EXPECT_FALSE(sync.FileInUse());
    sync.ReleaseSyncFile(1);
    EXPECT_FALSE(std::filesystem::exists(s.syncFile));
}

TEST(NetworkSync, FirstChangeCreatesCounterOneThenWritesTwo) {
    Shared s;
    Program a(s.macroFile, s.clock);
    ASSERT_EQ(readSyncRecord(s.syncFile), (SyncRecord{1, 2, 0}));
    EXPECT_FALSE(a.sync.FileInUse());
    const auto held = readSyncRecord(s.syncFile);
    EXPECT_EQ(held->counter, 1);
    EXPECT_EQ(held->lockState, 1);
    EXPECT_DOUBLE_EQ(held->heartbeat, 46365.0 + 10.0 / 24);
    // Behind the record, the holder's token; programs that read 14 bytes never see it.
    EXPECT_EQ(s.tmp.read("SET.MAS").substr(14), "holder " + a.sync.token() + "\n");
    a.sync.ReleaseSyncFile(1);
    EXPECT_EQ(readSyncRecord(s.syncFile)->counter, 2);
    EXPECT_EQ(readSyncRecord(s.syncFile)->lockState, 2);
    EXPECT_EQ(std::filesystem::file_size(s.syncFile), 14u);
}

// A folder we may only read: the set is followed, and a change is refused naming the sync file and the reason.
TEST(NetworkSync, AReadOnlyFolderRefusesChangesNamingTheSyncFileAndTheReason) {
    Shared s;
    s.tmp.write("SET.QLN", "");
    const bool root = test::runningAsRoot();
    if (root && std::system(("chattr +i '" + s.tmp.path() + "' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "cannot make a folder read-only here";
    if (!root)
        std::filesystem::permissions(s.tmp.path(),
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    std::string error;
    {
        std::unique_ptr<Program> a;
        try {
            a = std::make_unique<Program>(s.macroFile, s.clock);
        } catch (const std::exception& e) {
            error = e.what();
        }
        if (a) {
            EXPECT_TRUE(a->sync.FileInUse());
            EXPECT_EQ(a->rec.seen, std::vector<std::string>{"Error"});
            EXPECT_EQ(a->rec.texts, std::vector<std::string>{s.syncFile + ": the sync file cannot be written: " +
                                                             std::strerror(root ? EPERM : EACCES) +
                                                             ".  The macro file is not changed."});
            EXPECT_FALSE(a->sync.holdsLock());
        }
    }
    if (root) std::system(("chattr -i '" + s.tmp.path() + "'").c_str());
    std::filesystem::permissions(s.tmp.path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(error, "") << "switching network mode on threw";
    EXPECT_FALSE(std::filesystem::exists(s.syncFile));
}

TEST(NetworkSync, SyncRecordBytes) {
    const auto b = SyncRecord{0x01020304, 1, 0.5}.encode();
    const std::uint8_t expected[14] = {4, 3, 2, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0xE0, 0x3F};
    for (int i = 0; i < 14; ++i) EXPECT_EQ(b[static_cast<std::size_t>(i)], expected[i]) << i;
}

TEST(NetworkSync, HolderKeepsOthersOutWithItsHeartbeat) {
    Shared s;
    Program a(s.macroFile, s.clock);
    Program b(s.macroFile, s.clock);
    ASSERT_FALSE(a.sync.FileInUse());
    for (int minute = 0; minute < 5; ++minute) {
        EXPECT_TRUE(b.sync.FileInUse());
        a.run(60000);
    }
    EXPECT_TRUE(b.sync.FileInUse());
    EXPECT_EQ(b.rec.seen, std::vector<std::string>(6, "Error"));
}

TEST(NetworkSync, DeadHolderIsTakenOverAfterAMinute) {
    Shared s;
    {
        Program a(s.macroFile, s.clock);
        ASSERT_FALSE(a.sync.FileInUse());
    }  // a ends without releasing
    Program b(s.macroFile, s.clock);
    EXPECT_TRUE(b.sync.FileInUse());
    s.clock.advance(59000);
    EXPECT_TRUE(b.sync.FileInUse());
    s.clock.advance(1000);
    EXPECT_FALSE(b.sync.FileInUse());
    EXPECT_TRUE(b.sync.holdsLock());
    b.sync.ReleaseSyncFile(1);
    EXPECT_EQ(readSyncRecord(s.syncFile)->counter, 2);
}

TEST(NetworkSync, ChangeByAnotherUserReloadsFirst) {
    Shared s;
    Program a(s.macroFile, s.clock);
    Program b(s.macroFile, s.clock);
    ASSERT_FALSE(a.sync.FileInUse());
    a.sync.ReleaseSyncFile(1);
    EXPECT_TRUE(b.sync.FileInUse());
    EXPECT_EQ(b.rec.seen, std::vector<std::string>{"Notice"});
    EXPECT_EQ(b.rec.reloads, 1);
    EXPECT_FALSE(b.sync.FileInUse());
    b.sync.ReleaseSyncFile(0);  // cancelled: the counter stays
    EXPECT_EQ(readSyncRecord(s.syncFile)->counter, 2);
}

TEST(NetworkSync, AStalledHolderThatWasTakenOverKeepsItsHandsOff) {
    Shared s;
    Program a(s.macroFile, s.clock);
    Program b(s.macroFile, s.clock);
    ASSERT_FALSE(a.sync.FileInUse());
    ASSERT_TRUE(a.sync.enterChange());  // a changes the file while the lock is still its own ...
    a.sync.leaveChange();
    EXPECT_TRUE(b.sync.FileInUse());
    s.clock.advance(60000);  // ... then stalls for a minute without a heartbeat
    ASSERT_FALSE(b.sync.FileInUse());
    // a wakes: no more changes, its heartbeat and its release leave b's lock alone.
    EXPECT_FALSE(a.sync.enterChange());
    a.sync.NetTimerTimer();
    a.sync.ReleaseSyncFile(1);
    EXPECT_FALSE(a.sync.holdsLock());
    EXPECT_EQ(a.rec.seen, std::vector<std::string>{"Error"});
    EXPECT_EQ(s.tmp.read("SET.MAS").substr(14), "holder " + b.sync.token() + "\n");
    EXPECT_EQ(readSyncRecord(s.syncFile)->lockState, 1);
    EXPECT_EQ(readSyncRecord(s.syncFile)->counter, 2);  // a's change is counted, so that others reload it
    EXPECT_TRUE(b.sync.enterChange());
    b.sync.leaveChange();
    b.sync.ReleaseSyncFile(1);
    EXPECT_EQ(readSyncRecord(s.syncFile)->counter, 3);  // on top of what is on disk: never back
    EXPECT_EQ(readSyncRecord(s.syncFile)->lockState, 2);
    EXPECT_TRUE(a.sync.FileInUse());  // a's next attempt reloads first
    EXPECT_EQ(a.rec.reloads, 1);
}

TEST(NetworkSync, ANewSyncFileFollowsTheUmaskSoAGroupCanShareIt) {
    Shared s;
    const auto old = ::umask(002);
    {
        Program a(s.macroFile, s.clock);
    }
    ::umask(old);
    EXPECT_EQ(std::filesystem::status(s.syncFile).permissions() & std::filesystem::perms::all,
              std::filesystem::perms(0664));
}

TEST(NetworkSync, PeriodicReloadEveryThirdMinute) {
    Shared s;
    Program a(s.macroFile, s.clock);
    a.sync.startSyncTimer(3, true);
    a.run(60000 * 9);
    EXPECT_EQ(a.rec.reloads, 3);
    a.sync.stopSyncTimer();
    a.run(60000 * 9);
    EXPECT_EQ(a.rec.reloads, 3);
}

TEST(NetworkSync, HeartbeatRenewsEveryThirtySeconds) {
    Shared s;
    Program a(s.macroFile, s.clock);
    ASSERT_FALSE(a.sync.FileInUse());
    const double first = readSyncRecord(s.syncFile)->heartbeat;
    a.run(30000);
    EXPECT_NEAR(readSyncRecord(s.syncFile)->heartbeat - first, 30.0 / 86400, 1e-9);
    a.sync.ReleaseSyncFile(0);
    a.run(90000);
    EXPECT_EQ(readSyncRecord(s.syncFile)->lockState, 2);
}

TEST(NetworkSync, AHotKeyFindsAnotherProgramsChangeOnceWithoutTouchingTheLock) {
    Shared s;
    Program a(s.macroFile, s.clock), b(s.macroFile, s.clock);
    EXPECT_FALSE(a.sync.takeChangedCounter());
    ASSERT_FALSE(b.sync.FileInUse());
    b.sync.ReleaseSyncFile(1);
    EXPECT_TRUE(a.sync.takeChangedCounter());
    EXPECT_FALSE(a.sync.takeChangedCounter());
    EXPECT_FALSE(a.sync.holdsLock());
    EXPECT_EQ(a.rec.reloads, 0);  // the caller reloads
    a.sync.setNetworkMode(false);
    ASSERT_FALSE(b.sync.FileInUse());
    b.sync.ReleaseSyncFile(1);
    EXPECT_FALSE(a.sync.takeChangedCounter());
}

}  // namespace
}  // namespace qln
