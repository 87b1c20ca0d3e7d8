// Two real processes take turns changing one shared macro folder through the network lock.  Each holder
// creates a marker file exclusively while it holds the lock: if the marker is already there, two programs held
// the lock at once.  At the end the change counter must equal the number of changes made.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/SystemClock.h"
#include "store/NetworkSync.h"

namespace {

class Quiet : public qln::INotices, public qln::IMacroSetReload, public qln::ITimers {
public:
    void notice(std::string_view, std::string_view) override {}
    void reloadWithRefresh() override {}
    qln::TimerId startTimer(std::uint32_t, std::function<void()>) override { return 1; }
    void stopTimer(qln::TimerId) override {}
};

int worker(const std::string& folder, int rounds, int startPipe) {
    // Both start at the same moment, when the parent closes the pipe.
    char c;
    while (::read(startPipe, &c, 1) > 0) {
    }
    qln::SystemClock clock;
    Quiet quiet;
    qln::NetworkSync sync(clock, quiet, quiet, quiet);
    sync.setNetworkMode(true);
    sync.adoptFile(folder + "/SET.QLN");
    const std::string marker = folder + "/holder";
    const auto start = std::chrono::steady_clock::now();
    int refused = 0;
    for (int done = 0; done < rounds;) {
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(240)) {
            std::fprintf(stderr, "worker %d: only %d of %d rounds in 240 seconds\n", ::getpid(), done, rounds);
            return 4;
        }
        if (sync.FileInUse()) {
            ++refused;
            continue;
        }
        const int fd = ::open(marker.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0) {
            std::fprintf(stderr, "worker %d: round %d: another program holds the lock too\n", ::getpid(), done);
            return 3;
        }
        ::close(fd);
        ::unlink(marker.c_str());
        sync.ReleaseSyncFile(1);
        ++done;
    }
    std::printf("worker %d: %d rounds, %d attempts refused while the other held the lock\n", ::getpid(), rounds, refused);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: lock_stress FOLDER ROUNDS\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int rounds = std::atoi(argv[2]);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    {
        // Create the sync file once, so that both start from the same counter.
        qln::SystemClock clock;
        Quiet quiet;
        qln::NetworkSync sync(clock, quiet, quiet, quiet);
        sync.adoptFile(folder + "/SET.QLN");
    }
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return 1;
    std::fflush(stdout);
    pid_t children[2];
    for (pid_t& child : children) {
        child = ::fork();
        if (child == 0) {
            ::close(pipeFds[1]);
            const int rc = worker(folder, rounds, pipeFds[0]);
            std::fflush(stdout);
            ::_exit(rc);
        }
    }
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    int failures = 0;
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++failures;
    }
    const auto record = qln::readSyncRecord(folder + "/SET.MAS");
    const int expected = 1 + 2 * rounds;
    if (!record || record->counter != expected) {
        std::fprintf(stderr, "change counter %d, expected %d\n", record ? record->counter : -1, expected);
        ++failures;
    }
    std::filesystem::remove_all(folder);
    std::printf("%d rounds in each of two processes: %s\n", rounds, failures == 0 ? "the lock was never shared" : "FAILED");
    return failures == 0 ? 0 : 1;
}
