// Programs started for a macro get /dev/null as their standard streams, even when this process runs with one
// of its own closed.
#include <gtest/gtest.h>

#include <fcntl.h>
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

}  // namespace
}  // namespace qln::test
