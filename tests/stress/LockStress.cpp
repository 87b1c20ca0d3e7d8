// Several real programs take turns changing one shared macro folder through the network lock, while some of them
// are stalled (SIGSTOP for longer than the take-over time, then SIGCONT) or killed and started again.  Each change
// is made inside the lock's change guard: it creates a marker file exclusively, reads a number from a data file,
// writes it back raised by one, and removes the marker.  A marker already there (from a program that is still
// alive) means two programs changed the file at once.  Meanwhile the change counter of the sync file is watched:
// it must never go back.  At the end, the counter must account for every change (exactly, when nobody was killed).
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/SystemClock.h"
#include "store/NetworkSync.h"

namespace {

using namespace std::chrono_literals;
constexpr std::uint64_t kTakeOverMs = 150;

class Quiet : public qln::INotices, public qln::IMacroSetReload, public qln::ITimers {
public:
    void notice(std::string_view, std::string_view text) override { lost += text == qln::LockLostMessage; }
    int lost = 0;
    void reloadWithRefresh() override {}
    qln::TimerId startTimer(std::uint32_t, std::function<void()>) override { return 1; }
    void stopTimer(qln::TimerId) override {}
};

long readNumber(const std::string& path) {
    std::ifstream in(path);
    long n = 0;
    in >> n;
    return n;
}

bool alive(long pid) { return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) == 0; }

// One change inside the guard; false when another live program was inside too.
bool change(const std::string& folder) {
    const std::string marker = folder + "/changing", data = folder + "/data";
    for (int attempt = 0;; ++attempt) {
        std::FILE* m = std::fopen(marker.c_str(), "wx");
        if (m != nullptr) {
            std::fprintf(m, "%d\n", ::getpid());
            std::fclose(m);
            break;
        }
        const long other = readNumber(marker);
        if (alive(other) && other != ::getpid()) return false;
        std::filesystem::remove(marker);  // left by a program that was killed inside
        if (attempt > 3) return false;
    }
    const long n = readNumber(data);
    std::ofstream(data + ".new") << n + 1 << "\n";
    std::filesystem::rename(data + ".new", data);
    std::filesystem::remove(marker);
    return true;
}

int worker(const std::string& folder, std::chrono::steady_clock::time_point end) {
    qln::SystemClock clock;
    Quiet quiet;
    qln::NetworkSync sync(clock, quiet, quiet, quiet, kTakeOverMs);
    sync.setNetworkMode(true);
    sync.adoptFile(folder + "/SET.QLN");
    while (std::chrono::steady_clock::now() < end) {
        if (sync.FileInUse()) {
            std::this_thread::sleep_for(1ms);
            continue;
        }
        // Holding the lock a while, as a user in a dialog does: a stall now is a stall of the holder.
        std::this_thread::sleep_for(2ms);
        int changed = 0;
        if (sync.enterChange()) {
            const bool alone = change(folder);
            sync.leaveChange();
            if (!alone) {
                std::fprintf(stderr, "worker %d: another program changed the file at the same time\n", ::getpid());
                return 3;
            }
            changed = 1;
        }
        sync.ReleaseSyncFile(changed);
    }
    if (quiet.lost > 0) std::printf("worker %d: taken over %d times while stalled\n", ::getpid(), quiet.lost);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: lock_stress FOLDER SECONDS PROGRAMS [--stalls] [--kills]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const auto seconds = std::chrono::milliseconds(static_cast<long>(std::atof(argv[2]) * 1000));
    const int programs = std::atoi(argv[3]);
    bool stalls = false, kills = false;
    for (int i = 4; i < argc; ++i) {
        stalls = stalls || std::string(argv[i]) == "--stalls";
        kills = kills || std::string(argv[i]) == "--kills";
    }
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::ofstream(folder + "/data") << 0 << "\n";
    const auto end = std::chrono::steady_clock::now() + seconds;
    auto start = [&] {
        const pid_t pid = ::fork();
        if (pid == 0) {
            const int rc = worker(folder, end);
            std::fflush(stdout);
            ::_exit(rc);
        }
        return pid;
    };
    std::fflush(stdout);
    std::vector<pid_t> children;
    for (int i = 0; i < programs; ++i) children.push_back(start());

    std::mt19937 rng(static_cast<unsigned>(::getpid()));
    int stalled = 0, killed = 0, regressions = 0, failures = 0;
    std::int32_t lastCounter = 0;
    while (std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5 + rng() % 20));
        if (const auto r = qln::readSyncRecord(folder + "/SET.MAS")) {
            if (r->counter < lastCounter) ++regressions;
            lastCounter = std::max(lastCounter, r->counter);
        }
        pid_t& victim = children[rng() % children.size()];
        const int dice = static_cast<int>(rng() % 10);
        if (stalls && dice == 0) {
            // Longer than the take-over time: the others take the lock over meanwhile.
            ::kill(victim, SIGSTOP);
            std::this_thread::sleep_for(std::chrono::milliseconds(kTakeOverMs + 50 + rng() % 200));
            ::kill(victim, SIGCONT);
            ++stalled;
        } else if (kills && dice == 1) {
            ::kill(victim, SIGKILL);
            ::waitpid(victim, nullptr, 0);
            victim = start();
            ++killed;
        }
    }
    for (const pid_t child : children) {
        ::kill(child, SIGCONT);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++failures;
    }
    const long changes = readNumber(folder + "/data");
    const auto record = qln::readSyncRecord(folder + "/SET.MAS");
    const long counted = record ? record->counter - 1 : -1;
    // A program killed between its change and its release leaves that change uncounted; never the other way.
    const bool accounted = kills ? counted <= changes && counted >= changes - killed : counted == changes;
    if (!accounted) std::fprintf(stderr, "the counter says %ld changes, the data file %ld\n", counted, changes);
    std::filesystem::remove_all(folder);
    std::printf("%d programs, %.1f s: %ld changes, %d stalls, %d kills; %d programs saw another change at the same "
                "time, the counter went back %d times, changes %s\n",
                programs, std::chrono::duration<double>(seconds).count(), changes, stalled, killed, failures,
                regressions, accounted ? "accounted for" : "NOT accounted for");
    return failures == 0 && regressions == 0 && accounted && changes > 0 ? 0 : 1;
}
