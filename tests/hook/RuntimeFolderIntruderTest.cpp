// Another local user makes a victim's runtime folder first (without XDG_RUNTIME_DIR it is /tmp/quillon-<uid>,
// a name anyone can take) and plants a link to a file of the victim's and notes that would remap the victim's
// keyboard: the victim's start writes nothing of the victim's and changes nothing on its display.
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "RemapperFixture.h"
#include "app/SingleInstance.h"
#include "platform/posix/RuntimeFolder.h"
#include "platform/x11/ProcessNotes.h"
#include "platform/x11/XInputDevices.h"
#include "platform/x11/XTestLeftovers.h"

namespace qln::hook {
namespace {

// A uid no account has, whose runtime folder does not exist yet.
uid_t unusedUid() {
    std::random_device random;
    for (;;) {
        const uid_t uid = 61000 + random() % 3000;
        struct stat st {};
        if (::getpwuid(uid) == nullptr && ::getpwuid(uid + 1) == nullptr &&
            ::lstat(("/tmp/quillon-" + std::to_string(uid)).c_str(), &st) != 0)
            return uid;
    }
}

// Runs `body` in a child process as the user; its exit status.
template <typename F>
int asUser(uid_t uid, F body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setresgid(uid, uid, uid) != 0 || ::setresuid(uid, uid, uid) != 0) ::_exit(100);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 200;
}

TEST_F(RemapperTest, AFolderAnotherUserMadeFirstIsNeverUsed) {
    if (::geteuid() != 0) GTEST_SKIP() << "switching to other users needs root";
    const uid_t victim = unusedUid(), intruder = victim + 1;
    const std::string folder = "/tmp/quillon-" + std::to_string(victim);
    struct Cleanup {
        std::string folder;
        ~Cleanup() {
            std::error_code ec;
            std::filesystem::remove_all(folder, ec);
        }
    } cleanup{folder};

    // The victim's file, in a folder the intruder may pass through.
    test::TempFolder home;
    ::chmod(home.path().c_str(), 0755);
    const std::string important = home.file("important.txt");
    home.write("important.txt", "mine\n");
    ASSERT_EQ(::chown(important.c_str(), victim, victim), 0);

    // Notes as the victim's own programs write them, for this display and server, that would turn 'a' into 'q'
    // and take the 'a' key's symbols away.
    const Key a = keyOf('a');
    x11::NoteWriter writer = x11::NoteWriter::self(*display);
    writer.pid = 1;
    writer.started = "0";
    writer.uid = victim;
    const std::string name = x11::noteName(x.display());
    const std::string remapNote = writer.lines() + "level " + std::to_string(a.keycode) + " 0 0 113 97\n";
    const std::string xtestNote = writer.lines() + "playing 0\nkeycode " + std::to_string(a.keycode) + " 97 65\n";

    ::unsetenv("XDG_RUNTIME_DIR");
    ASSERT_EQ(asUser(intruder,
                     [&] {
                         if (::mkdir(folder.c_str(), 0777) != 0 || ::chmod(folder.c_str(), 0777) != 0) return 1;
                         if (::symlink(important.c_str(), (folder + "/instance.lock").c_str()) != 0) return 2;
                         std::ofstream(folder + "/remap-" + name + "-1") << remapNote;
                         std::ofstream(folder + "/xtest-" + name + "-1") << xtestNote;
                         return 0;
                     }),
              0);

    const int victimSaw = asUser(victim, [&] {
        const posix::RuntimeFolder theirs;
        if (theirs.usable() || theirs.problem() != "The runtime folder " + folder + " belongs to another user (uid " +
                                                       std::to_string(intruder) + ").")
            return 1;
        // Were the program to go on regardless, its lock and its clean-up of notes would still touch nothing.
        const SingleInstance instance(theirs);
        x11::X11Display own(x.display());
        if (X11Remapper::restoreAfterCrash(own) != 0) return 2;
        x11::XInputDevices devices(own);
        const x11::XTestLeftovers leftovers(own, devices);
        return leftovers.cleanedUp() == 0 ? 0 : 3;
    });
    EXPECT_EQ(victimSaw, 0);
    EXPECT_EQ(home.read("important.txt"), "mine\n");
    EXPECT_EQ(keymap(), original);
    EXPECT_EQ(typed({a}), "a");
    // The plants are the intruder's, left as they were.
    struct stat st {};
    EXPECT_EQ(::lstat((folder + "/instance.lock").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    std::ifstream note(folder + "/remap-" + name + "-1");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(note), {}), remapNote);
}

}  // namespace
}  // namespace qln::hook
