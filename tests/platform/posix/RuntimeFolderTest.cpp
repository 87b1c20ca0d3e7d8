// The runtime folder is used only when it is the user's own, closed to others, and no file in it is reached
// through a link or taken from another user.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/posix/RuntimeFolder.h"
#include "support/TempFolder.h"

namespace qln::test {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kOtherUser = 65533;

TEST(RuntimeFolder, AMissingFolderIsMadeForTheUserAlone) {
    TempFolder tmp;
    const posix::RuntimeFolder folder(tmp.file("quillon"));
    ASSERT_TRUE(folder.usable()) << folder.problem();
    struct stat st {};
    ASSERT_EQ(::lstat(tmp.file("quillon").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0700u);
    EXPECT_TRUE(folder.write("note", "one"));
    EXPECT_EQ(folder.read("note"), "one");
    EXPECT_EQ(folder.names("no"), std::vector<std::string>{"note"});
    EXPECT_TRUE(folder.remove("note"));
    EXPECT_EQ(folder.read("note"), std::nullopt);
}

TEST(RuntimeFolder, AFolderThatIsNotTheUsersOwnIsRefusedWithItsProblem) {
    struct Case {
        const char* name;
        std::function<void(const std::string& path, const TempFolder& tmp)> make;
        std::string problem;  // after "The runtime folder PATH"
        bool needsRoot = false;
    };
    const std::vector<Case> cases{
        {"open to others",
         [](const std::string& p, const TempFolder&) {
             fs::create_directory(p);
             ::chmod(p.c_str(), 0777);
         },
         " is open to other users (mode 0777); it must be open to its owner only."},
        {"readable by the group",
         [](const std::string& p, const TempFolder&) {
             fs::create_directory(p);
             ::chmod(p.c_str(), 0750);
         },
         " is open to other users (mode 0750); it must be open to its owner only."},
        {"a link to a folder of ours",
         [](const std::string& p, const TempFolder& tmp) {
             fs::create_directory(tmp.file("elsewhere"));
             ::chmod(tmp.file("elsewhere").c_str(), 0700);
             fs::create_directory_symlink(tmp.file("elsewhere"), p);
         },
         " is a symbolic link, not a folder."},
        {"a file", [](const std::string& p, const TempFolder&) { std::ofstream(p) << "x"; }, " is not a folder."},
        {"another user's",
         [](const std::string& p, const TempFolder&) {
             fs::create_directory(p);
             ::chmod(p.c_str(), 0700);
             if (::chown(p.c_str(), kOtherUser, kOtherUser) != 0) FAIL() << "chown";
         },
         " belongs to another user (uid 65533).", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needsRoot && ::geteuid() != 0) continue;
        TempFolder tmp;
        const std::string path = tmp.file("quillon");
        c.make(path, tmp);
        const posix::RuntimeFolder folder(path);
        EXPECT_FALSE(folder.usable());
        EXPECT_EQ(folder.problem(), "The runtime folder " + path + c.problem);
        EXPECT_FALSE(folder.write("instance.lock", "1"));
        EXPECT_TRUE(folder.names("").empty());
    }
}

TEST(RuntimeFolder, FilesAreNeverReachedThroughALinkNorTakenFromOthers) {
    TempFolder tmp;
    const posix::RuntimeFolder folder(tmp.file("quillon"));
    ASSERT_TRUE(folder.usable());
    tmp.write("important.txt", "mine");
    fs::create_symlink(tmp.file("important.txt"), tmp.file("quillon/lock"));
    EXPECT_EQ(folder.open("lock", O_RDWR | O_CREAT), -1);
    EXPECT_EQ(folder.read("lock"), std::nullopt);
    // Writing replaces the link itself.
    EXPECT_TRUE(folder.write("lock", "note"));
    EXPECT_EQ(tmp.read("important.txt"), "mine");
    EXPECT_EQ(folder.read("lock"), "note");
    // A second name of a file of ours elsewhere is no file of the folder's.
    ASSERT_EQ(::link(tmp.file("important.txt").c_str(), tmp.file("quillon/hard").c_str()), 0);
    EXPECT_EQ(folder.open("hard", O_RDWR), -1);
    // A pipe is refused without waiting for a writer.
    ASSERT_EQ(::mkfifo(tmp.file("quillon/pipe").c_str(), 0600), 0);
    EXPECT_EQ(folder.read("pipe"), std::nullopt);
    EXPECT_EQ(folder.open("../important.txt", O_RDONLY), -1);
    if (::geteuid() == 0) {
        tmp.write("quillon/theirs", "planted");
        ASSERT_EQ(::chown(tmp.file("quillon/theirs").c_str(), kOtherUser, kOtherUser), 0);
        EXPECT_EQ(folder.read("theirs"), std::nullopt);
    }
    EXPECT_EQ(tmp.read("important.txt"), "mine");
}

}  // namespace
}  // namespace qln::test
