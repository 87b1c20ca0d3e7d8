// The macro file survives what happens to real files: a program killed in the middle of a change, a full disk, a
// read-only file, links and shared files, files far too large or not files at all.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "core/FileError.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimHookLibrary.h"
#include "store/MacroFile.h"
#include "store/MacroJournal.h"
#include "support/TempFolder.h"

namespace qln {
namespace {

namespace fs = std::filesystem;

class CollectNotices : public INotices {
public:
    void notice(std::string_view caption, std::string_view text) override {
        seen.push_back(std::string(caption) + ": " + std::string(text));
    }
    std::vector<std::string> seen;
};

// A macro set on a file, as one program has it.
struct Program {
    sim::SimClock clock{{2026, 12, 9, 10, 0, 0, 0}};
    sim::SimHookLibrary hook{&clock};
    TriggerTable table;
    MacroNames names;
    MacroTable macros{table, names, hook};
    CollectNotices notices;
    MacroFile file{macros, clock, notices};
};

struct Fixture {
    test::TempFolder tmp;
    sim::SimClock clock{{2026, 12, 9, 10, 0, 0, 0}};
    sim::SimHookLibrary hook{&clock};
    TriggerTable table;
    MacroNames names;
    MacroTable macros{table, names, hook};
    CollectNotices notices;
    MacroFile file{macros, clock, notices};
    std::string path = tmp.file("SET.QLN");
};

// Record k in version v: every character of its text says which version it is, so a mix shows.
MacroRecord version(int k, int v) {
    MacroRecord r;
    r.nickname = std::to_string(k) + "-" + std::to_string(v);
    r.hotKeyCode = 7;
    r.setText(std::string(4990, static_cast<char>('A' + v % 26)));
    return r;
}

std::string bytesOf(const MacroRecord& r) {
    const RecordBytes b = r.encode();
    return std::string(b.begin(), b.end());
}

// Files a limit on their size makes fail part-way, like a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = ::signal(SIGXFSZ, SIG_IGN);
        const rlimit now{bytes, old_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &now);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        ::signal(SIGXFSZ, previous_);
    }

private:
    rlimit old_{};
    sighandler_t previous_;
};

std::vector<std::string> entries(const std::string& folder) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

TEST(MacroFileSafety, AKilledStoreLeavesTheOldRecordOrTheNewNeverAMix) {
    Fixture f;
    f.file.load(f.path);
    std::mt19937 rng(3);
    for (int kill = 0; kill < 60; ++kill) {
        const pid_t child = ::fork();
        if (child == 0) {
            Program c;
            c.file.load(f.path);
            for (int v = 1;; ++v)
                for (int k = 1; k <= 8; ++k) c.file.store(std::min(k, c.macros.count() + 1), version(k, v + kill));
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200 + rng() % 3000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        f.file.load(f.path);  // completes what the child left
        ASSERT_EQ(fs::file_size(f.path) % record::Size, 0u) << "kill " << kill;
        for (int n = 1; n <= f.macros.count(); ++n) {
            const auto r = f.file.read(n);
            ASSERT_TRUE(r.has_value());
            if (r->scope == ScopeSystem) continue;
            const std::string text = r->text();
            ASSERT_EQ(text, std::string(4990, text[0])) << "kill " << kill << ", record " << n << " is torn";
            const int v = std::stoi(r->nickname.substr(r->nickname.find('-') + 1));
            ASSERT_EQ(text[0], 'A' + v % 26) << "kill " << kill << ", record " << n << ": nickname and text disagree";
        }
        ASSERT_FALSE(fs::exists(f.path + ".journal"));
    }
}

TEST(MacroFileSafety, AJournalCutShortIsDroppedAndAWholeOneCompleted) {
    Fixture f;
    f.file.load(f.path);
    const std::string before = f.tmp.read("SET.QLN");
    const std::string change = MacroJournal::encode({record::Size, bytesOf(version(2, 1)), 4 * record::Size});
    // Killed while the journal was written: the file was not touched yet.
    f.tmp.write("SET.QLN.journal", change.substr(0, change.size() - 9));
    f.file.load(f.path);
    EXPECT_EQ(f.tmp.read("SET.QLN"), before);
    EXPECT_FALSE(fs::exists(f.path + ".journal"));
    // Killed after the journal, half-way through the record: the record is completed.
    std::string torn = before;
    torn.replace(record::Size, 4096, bytesOf(version(2, 1)).substr(0, 4096));
    f.tmp.write("SET.QLN", torn);
    f.tmp.write("SET.QLN.journal", change);
    ASSERT_TRUE(f.file.read(2).has_value());
    EXPECT_EQ(f.file.read(2)->nickname, "2-1");
    EXPECT_EQ(f.tmp.read("SET.QLN").substr(record::Size, record::Size), bytesOf(version(2, 1)));
}

TEST(MacroFileSafety, AFailedStoreChangesNeitherTheCountNorTheFile) {
    Fixture f;
    // A file without its system macros that we may not change: one message, and no macro that is not there.
    f.tmp.write("OTHER.QLN", bytesOf(version(1, 1)) + bytesOf(version(2, 1)) + bytesOf(version(3, 1)));
    f.file.load(f.tmp.file("OTHER.QLN"));
    ASSERT_EQ(f.macros.count(), 7);
    f.tmp.write("SET.QLN", bytesOf(version(1, 1)));
    if (!f.tmp.makeReadOnly("SET.QLN")) GTEST_SKIP() << "cannot make a file read-only here";
    f.notices.seen.clear();
    f.file.load(f.path);
    EXPECT_EQ(f.macros.count(), 1);
    ASSERT_EQ(f.notices.seen.size(), 1u);
    EXPECT_TRUE(f.notices.seen[0].starts_with("Error: Saving of keystrokes failed.  " + f.path +
                                              ": the macro file could not be opened for writing: "))
        << f.notices.seen[0];
    EXPECT_EQ(f.tmp.read("SET.QLN"), bytesOf(version(1, 1)));
}

TEST(MacroFileSafety, ANewFileOnAFullDiskIsNotCreatedAtAll) {
    Fixture f;
    {
        const FileSizeLimit full(3 * record::Size);
        f.file.load(f.path);
    }
    EXPECT_EQ(f.macros.count(), 0);
    EXPECT_EQ(f.notices.seen, std::vector<std::string>{"Error: New file could not be created."});
    EXPECT_EQ(f.file.problem().rfind(f.path + ": ", 0), 0u) << f.file.problem();
    EXPECT_TRUE(entries(f.tmp.path()).empty()) << "no empty file and no temporary file is left";
}

TEST(MacroFileSafety, AStoreOnAFullDiskNamesTheMacroFileAndKeepsIt) {
    Fixture f;
    f.file.load(f.path);
    const std::string before = f.tmp.read("SET.QLN");
    try {
        const FileSizeLimit full(record::Size);
        f.file.store(5, version(5, 1));
        ADD_FAILURE() << "the store should have failed";
    } catch (const FileError& e) {
        EXPECT_EQ(e.path(), f.path);
    }
    EXPECT_EQ(f.macros.count(), 4);
    EXPECT_EQ(f.tmp.read("SET.QLN"), before);
    EXPECT_EQ(entries(f.tmp.path()), std::vector<std::string>{"SET.QLN"});
}

TEST(MacroFileSafety, ChangesKeepTheFileItselfAndGoThroughLinks) {
    Fixture f;
    fs::create_directory(f.tmp.file("real"));
    const std::string real = f.tmp.file("real/SHARED.QLN");
    f.file.load(real);
    fs::permissions(real, fs::perms(0664));
    fs::create_symlink(real, f.path);
    struct stat before {};
    ::stat(real.c_str(), &before);
    f.file.load(f.path);
    ASSERT_TRUE(f.file.store(5, version(5, 1)));
    ASSERT_TRUE(f.file.store(6, version(6, 1)));
    ASSERT_TRUE(f.file.remove(5));
    ASSERT_TRUE(f.file.setActiveFlag(1, 0));
    EXPECT_TRUE(fs::is_symlink(f.path));
    struct stat after {};
    ::stat(real.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(fs::file_size(real), 5 * record::Size);
    f.file.load(f.path);
    EXPECT_EQ(f.macros.count(), 5);
    EXPECT_EQ(f.file.read(5)->nickname, "6-1");
}

TEST(MacroFileSafety, AHugeFileIsReadOnlyAsFarAsAFullSet) {
    Fixture f;
    {
        std::ofstream out(f.path);
        for (int n = 1; n <= 500; ++n) out << bytesOf(version(n, 1));
    }
    fs::resize_file(f.path, 600000ULL * record::Size);  // about 3 GiB, sparse: costs no disk
    const auto start = std::chrono::steady_clock::now();
    f.file.load(f.path);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(f.macros.count(), 500);
    ASSERT_EQ(f.notices.seen.size(), 1u);
    EXPECT_NE(f.notices.seen[0].find("only the first 500 are loaded"), std::string::npos);
}

TEST(MacroFileSafety, WhatIsNoFileIsRefusedWithoutWaiting) {
    Fixture f;
    ASSERT_EQ(::mkfifo(f.path.c_str(), 0600), 0);
    f.file.load(f.path);
    EXPECT_EQ(f.macros.count(), 0);
    EXPECT_EQ(f.notices.seen,
              std::vector<std::string>{"Error: " + f.path + ": the macro file could not be opened: it is not a regular file."});
    f.notices.seen.clear();
    f.file.load("/dev/zero");
    EXPECT_EQ(f.macros.count(), 0);
    EXPECT_EQ(f.notices.seen.size(), 1u);
}

}  // namespace
}  // namespace qln
