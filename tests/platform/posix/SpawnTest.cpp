// Programs started for a macro get /dev/null as their standard streams, even when this process runs with one
// of its own closed, and none of the signals this process blocks or ignores.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/posix/Spawn.h"
#include "support/TempFolder.h"

namespace qln::test {
namespace {

// Where the started shell's standard input, output and error lead, one per line.
std::string streamsOfAChild(const TempFolder& folder) {
    const std::string script = "exec 3>'" + folder.file("streams") +
                               "'; for n in 0 1 2; do echo \"$(readlink /proc/$$/fd/$n || echo closed)\" >&3; done";
    const posix::Child child = posix::spawnChild("/bin/sh", {"-c", script});
    EXPECT_GT(child.pid, 0);
    if (child.pid > 0) ::waitpid(child.pid, nullptr, 0);
    if (child.pidfd >= 0) ::close(child.pidfd);
    return folder.read("streams");
}

TEST(Spawn, StandardStreamsLeadToDevNull) {
    TempFolder folder;
    EXPECT_EQ(streamsOfAChild(folder), "/dev/null\n/dev/null\n/dev/null\n");
}

TEST(Spawn, AClosedStandardInputHereStillGivesTheProgramOne) {
    TempFolder folder;
    const int saved = ::fcntl(0, F_DUPFD_CLOEXEC, 3);
    ASSERT_GE(saved, 0);
    ::close(0);
    const std::string streams = streamsOfAChild(folder);
    ::dup2(saved, 0);
    ::close(saved);
    EXPECT_EQ(streams, "/dev/null\n/dev/null\n/dev/null\n");
}

// The program blocks the termination signals (they reach it through its event loop) and may ignore some; a
// program it starts must still end by them.
TEST(Spawn, TheProgramEndsByTheSignalsThisProcessBlocksOrIgnores) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        sigset_t blocked, before;
        sigemptyset(&blocked);
        for (const int s : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&blocked, s);
        ASSERT_EQ(::sigprocmask(SIG_BLOCK, &blocked, &before), 0);
        struct sigaction ignore {
        }, old{};
        ignore.sa_handler = SIG_IGN;
        ::sigaction(signal, &ignore, &old);
        const posix::Child child = posix::spawnChild("/bin/sleep", {"60"});
        ::sigaction(signal, &old, nullptr);
        ::sigprocmask(SIG_SETMASK, &before, nullptr);
        ASSERT_GT(child.pid, 0);
        ASSERT_GE(child.pidfd, 0);
        ::kill(child.pid, signal);
        pollfd ended{child.pidfd, POLLIN, 0};
        const bool gone = ::poll(&ended, 1, 20000) == 1;
        if (!gone) ::kill(child.pid, SIGKILL);
        int status = 0;
        ::waitpid(child.pid, &status, 0);
        ::close(child.pidfd);
        EXPECT_TRUE(gone) << "still running after the signal";
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << "status " << status;
    }
}

}  // namespace
}  // namespace qln::test
