// Replacing and creating whole files the safe way, as users keep them: shared with a group, behind links, killed
// in the middle of a write, on a full disk.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "platform/File.h"
#include "support/TempFolder.h"

namespace qln {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

struct FullDisk {
    explicit FullDisk(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved);
        handler = ::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{bytes, saved.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk() {
        ::setrlimit(RLIMIT_FSIZE, &saved);
        ::signal(SIGXFSZ, handler);
    }
    rlimit saved{};
    sighandler_t handler;
};

TEST(FileReplace, ALinkIsFollowedAndStaysALink) {
    test::TempFolder tmp;
    fs::create_directory(tmp.file("real"));
    tmp.write("real/QUILN.INI", "old");
    fs::create_symlink(tmp.file("real/QUILN.INI"), tmp.file("QUILN.INI"));
    replaceFileAtomically(tmp.file("QUILN.INI"), "new");
    EXPECT_TRUE(fs::is_symlink(tmp.file("QUILN.INI")));
    EXPECT_EQ(tmp.read("real/QUILN.INI"), "new");
    // A link to a file not there yet leads to where it is made.
    fs::create_symlink(tmp.file("real/LATER.INI"), tmp.file("LATER.INI"));
    replaceFileAtomically(tmp.file("LATER.INI"), "made");
    EXPECT_TRUE(fs::is_symlink(tmp.file("LATER.INI")));
    EXPECT_EQ(tmp.read("real/LATER.INI"), "made");
}

TEST(FileReplace, OwnerGroupAndPermissionsStayTheFilesOwn) {
    test::TempFolder tmp;
    tmp.write("f", "old");
    fs::permissions(tmp.file("f"), fs::perms(0664));
    if (test::runningAsRoot()) {
        ASSERT_EQ(::chown(tmp.file("f").c_str(), 65534, 65534), 0);
    }
    struct stat before {};
    ::stat(tmp.file("f").c_str(), &before);
    replaceFileAtomically(tmp.file("f"), "new");
    struct stat after {};
    ::stat(tmp.file("f").c_str(), &after);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
}

TEST(FileReplace, NewFilesFollowTheUmask) {
    test::TempFolder tmp;
    const mode_t old = ::umask(002);
    replaceFileAtomically(tmp.file("replaced"), "x");
    ASSERT_TRUE(createFileWithContent(tmp.file("created"), "x"));
    ASSERT_TRUE(File::open(tmp.file("opened"), FileAccess::Write, FileCreate::Exclusive));
    ::umask(old);
    for (const char* name : {"replaced", "created", "opened"})
        EXPECT_EQ(fs::status(tmp.file(name)).permissions(), fs::perms(0664)) << name;
}

TEST(FileReplace, AFullDiskNamesTheUsersFileAndLeavesNothingBehind) {
    test::TempFolder tmp;
    tmp.write("QUILN.INI", "old");
    try {
        const FullDisk full(1000);
        replaceFileAtomically(tmp.file("QUILN.INI"), std::string(5000, 'x'));
        ADD_FAILURE() << "the write should have failed";
    } catch (const FileError& e) {
        EXPECT_EQ(e.path(), tmp.file("QUILN.INI"));
    }
    try {
        const FullDisk full(1000);
        EXPECT_FALSE(createFileWithContent(tmp.file("SET.QLN"), std::string(5000, 'x')));
        ADD_FAILURE() << "the creation should have failed";
    } catch (const FileError& e) {
        EXPECT_EQ(e.path(), tmp.file("SET.QLN"));
    }
    EXPECT_EQ(namesIn(tmp.path()), std::vector<std::string>{"QUILN.INI"});
    EXPECT_EQ(tmp.read("QUILN.INI"), "old");
}

TEST(FileReplace, CreationNeverTouchesAFileAlreadyThere) {
    test::TempFolder tmp;
    tmp.write("SET.QLN", "theirs");
    EXPECT_FALSE(createFileWithContent(tmp.file("SET.QLN"), "ours"));
    EXPECT_EQ(tmp.read("SET.QLN"), "theirs");
    EXPECT_EQ(namesIn(tmp.path()), std::vector<std::string>{"SET.QLN"});
}

TEST(FileReplace, AKilledWriterLeavesTheOldOrTheNewAndItsLeftoversGoAtTheNextWrite) {
    test::TempFolder tmp;
    const std::string f = tmp.file("QUILN.INI");
    replaceFileAtomically(f, std::string(200000, 'a'));
    std::mt19937 rng(5);
    for (int kill = 0; kill < 60; ++kill) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (int v = 0;; ++v) replaceFileAtomically(f, std::string(200000 + v % 7, static_cast<char>('a' + v % 26)));
        }
        std::this_thread::sleep_for(std::chrono::microseconds(300 + rng() % 4000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string content = tmp.read("QUILN.INI");
        ASSERT_GE(content.size(), 200000u);
        ASSERT_EQ(content, std::string(content.size(), content[0])) << "kill " << kill;
    }
    // A killed writer may leave a temporary file only in the moment between naming it and renaming it; the next
    // write removes those once they are old enough not to be another writer's.
    for (const auto& name : namesIn(tmp.path())) {
        if (name != "QUILN.INI")
            fs::last_write_time(tmp.file(name), fs::file_time_type::clock::now() - std::chrono::minutes(5));
    }
    tmp.write("QUILN.INI.tmp-fresh", "another writer's, this moment");
    replaceFileAtomically(f, "last");
    EXPECT_EQ(namesIn(tmp.path()), (std::vector<std::string>{"QUILN.INI", "QUILN.INI.tmp-fresh"}));
}

}  // namespace
}  // namespace qln
#endif
