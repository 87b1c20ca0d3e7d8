#include "platform/x11/WavePlayer.h"

#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "core/Win1252.h"
#include "platform/posix/OpenTarget.h"
#include "platform/posix/Spawn.h"

namespace qln::x11 {

namespace {

// The slowest wave there is (8 kHz, 8 bits, mono) plays 8000 bytes a second; a player that takes much longer than
// that for its file has hung, and the macro must not hang with it.
constexpr std::uint64_t kSlowestBytesPerSecond = 8000;
constexpr std::uint64_t kGraceMs = 5000;
constexpr std::uint64_t kStopMs = 1000;  // how long a player asked to stop may take

}  // namespace

void WavePlayer::beep() {
    XBell(display_.get(), 0);
    XFlush(display_.get());
}

std::vector<std::string> WavePlayer::playerCommand() const {
    const std::string path = programSearchPath();
    if (!command_.empty()) {
        std::vector<std::string> command = command_;
        command[0] = findProgram(command[0], path);
        return command[0].empty() ? std::vector<std::string>{} : command;
    }
    const std::vector<std::vector<std::string>> players = {{"pw-play"}, {"paplay"}, {"aplay", "-q"}};
    for (auto command : players) {
        command[0] = findProgram(command[0], path);
        if (!command[0].empty()) return command;
    }
    return {};
}

void WavePlayer::playWave(std::string_view file, bool waitUntilDone) {
    const std::filesystem::path wave(win1252ToUtf8(file));
    std::error_code ec;
    const auto size = std::filesystem::file_size(wave, ec);
    if (ec || !std::filesystem::is_regular_file(wave, ec) || ::access(wave.c_str(), R_OK) != 0) return;
    std::vector<std::string> command = playerCommand();
    if (command.empty()) return;
    const std::string program = command.front();
    std::vector<std::string> arguments(command.begin() + 1, command.end());
    arguments.push_back(std::filesystem::absolute(wave).string());
    if (!waitUntilDone) {
        posix::spawnDetached(program, arguments);
        return;
    }
    const posix::Child child = posix::spawnChild(program, arguments);
    if (child.pid <= 0) return;
    waitFor(child.pid, child.pidfd, size * 1000 / kSlowestBytesPerSecond + kGraceMs);
}

void WavePlayer::waitFor(int pid, int pidfd, std::uint64_t longestMs) {
    if (pidfd >= 0) {
        bool ended = waitForExit(pidfd, longestMs);
        // A player that outlives any sound of this size is stuck: asked to stop, then made to.
        if (!ended) {
            ::kill(pid, SIGTERM);
            ended = waitForExit(pidfd, kStopMs);
        }
        if (!ended) ::kill(pid, SIGKILL);
        ::close(pidfd);
    }
    // Without a pidfd (an old kernel) the wait blocks, as the sound plays.
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

bool WavePlayer::waitForExit(int pidfd, std::uint64_t longestMs) {
    bool ended = false;
    const ScopedFdWatch watch(watch_, pidfd, [&] { ended = true; });
    const std::uint64_t deadline = clock_.tickCount() + longestMs;
    // A program that is shutting down stops waiting for the sound (the player is then stopped as a hung one).
    while (!ended && !pump_.quitRequested() && clock_.tickCount() < deadline) pump_.waitUntil(deadline);
    return ended;
}

}  // namespace qln::x11
