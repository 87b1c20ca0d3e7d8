// The clipboard on a real X server, against xclip on the other end.
#include <gtest/gtest.h>
// X11 after GoogleTest: its macros (None, Bool) clash with GoogleTest's names.
#include <X11/Xlib.h>
#include <poll.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "ClipboardPeers.h"
#include "XvfbSession.h"
#include "platform/sim/SimDesktop.h"
#include "platform/x11/X11Desktop.h"
#include "PlayOnX11.h"
#include "support/TempFolder.h"

namespace qln::test {
namespace {

struct RunResult {
    bool finished = false;
    std::string out;
};

// Collects what a child process writes to `fd` until it ends, while our event loop keeps serving the clipboard:
// a paste from another program is answered by us.
RunResult collectWhilePumping(x11::X11Desktop& xd, pid_t pid, int fd, std::uint64_t timeoutMs) {
    RunResult r;
    bool eof = false;
    const int watch = xd.pump().watchFd(fd, [&] {
        char buffer[65536];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) r.out.append(buffer, static_cast<std::size_t>(n));
        else eof = true;
    });
    const std::uint64_t deadline = xd.clock().tickCount() + timeoutMs;
    while (!eof && xd.clock().tickCount() < deadline) xd.pump().waitUntil(deadline);
    xd.pump().unwatchFd(watch);
    ::close(fd);
    if (!eof) ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    r.finished = eof && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return r;
}

// Runs a program and collects what it prints, while our event loop keeps serving the clipboard.
RunResult runWhilePumping(x11::X11Desktop& xd, const std::vector<std::string>& argv, std::uint64_t timeoutMs = 10000) {
    int fds[2];
    if (::pipe(fds) != 0) return {};
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], 1);
        ::close(fds[0]);
        ::close(fds[1]);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    return collectWhilePumping(xd, pid, fds[0], timeoutMs);
}

RunResult paste(x11::X11Desktop& xd, const std::string& target) {
    return runWhilePumping(xd, {"xclip", "-selection", "clipboard", "-o", "-t", target});
}

// Another program takes the clipboard: xclip keeps serving the file's text in the background.
void copyWithXclip(x11::X11Desktop& xd, TempFolder& folder, const std::string& utf8) {
    const std::string file = folder.path() + "/clip.txt";
    std::ofstream(file, std::ios::binary) << utf8;
    Display* d = xd.display().get();
    const Atom clipboard = XInternAtom(d, "CLIPBOARD", False);
    const Window before = XGetSelectionOwner(d, clipboard);
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Its background half keeps running: it must not hold on to our output.
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::execlp("xclip", "xclip", "-selection", "clipboard", "-i", file.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // xclip's background half takes the clipboard after its first half has ended: wait for both.
    const std::uint64_t deadline = xd.clock().tickCount() + 20000;
    int status = -1;
    while (::waitpid(pid, &status, WNOHANG) == 0 && xd.clock().tickCount() < deadline)
        xd.pump().waitUntil(xd.clock().tickCount() + 10);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    while (XGetSelectionOwner(d, clipboard) == before && xd.clock().tickCount() < deadline)
        xd.pump().waitUntil(xd.clock().tickCount() + 10);
    ASSERT_NE(XGetSelectionOwner(d, clipboard), before) << "xclip did not take the clipboard";
}

class X11ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("DISPLAY", x.display().c_str(), 1); }
    XvfbSession x;
    x11::X11Desktop xd{x.display()};
    TempFolder folder;
};

struct TargetCase {
    const char* target;
    std::string expected;
};

TEST_F(X11ClipboardTest, PasteInEachTextTarget) {
    xd.clipboard().setText("Gr\xFC\xDF" "e \x80 5\r\n");
    ASSERT_TRUE(xd.clipboard().owned());
    const TargetCase cases[] = {
        {"UTF8_STRING", "Grüße € 5\r\n"},
        {"TEXT", "Grüße € 5\r\n"},
        {"text/plain;charset=utf-8", "Grüße € 5\r\n"},
        {"STRING", "Gr\xFC\xDF" "e ? 5\r\n"},  // Latin-1 has no euro sign
    };
    for (const auto& c : cases) {
        const RunResult r = paste(xd, c.target);
        EXPECT_TRUE(r.finished) << c.target;
        EXPECT_EQ(r.out, c.expected) << c.target;
    }
    const RunResult targets = paste(xd, "TARGETS");
    for (const char* t : {"TARGETS", "UTF8_STRING", "STRING", "TEXT", "text/plain;charset=utf-8"})
        EXPECT_NE(targets.out.find(std::string(t) + "\n"), std::string::npos) << t << " in " << targets.out;
    EXPECT_TRUE(xd.clipboard().owned());
}

TEST_F(X11ClipboardTest, UnknownTargetIsRefused) {
    xd.clipboard().setText("abc");
    const RunResult r = paste(xd, "image/png");
    EXPECT_FALSE(r.finished);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(paste(xd, "UTF8_STRING").out, "abc");  // and the clipboard still answers
}

TEST_F(X11ClipboardTest, LargeTextGoesInPieces) {
    std::string big;
    for (int i = 0; big.size() < 3 * 1024 * 1024; ++i) big += "line " + std::to_string(i) + " \xE9t\xE9\n";
    xd.clipboard().setText(big);
    const RunResult r = paste(xd, "STRING");
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.out.size(), big.size());
    EXPECT_TRUE(r.out == big);
}

TEST_F(X11ClipboardTest, ReadsWhatAnotherProgramCopied) {
    copyWithXclip(xd, folder, "x€y ñ");
    EXPECT_FALSE(xd.clipboard().owned());
    EXPECT_EQ(xd.clipboard().text(), "x\x80y \xF1");
}

TEST_F(X11ClipboardTest, ReadsALargeCopyFromAnotherProgram) {
    std::string big;
    for (int i = 0; big.size() < 2 * 1024 * 1024; ++i) big += std::to_string(i) + ",";
    copyWithXclip(xd, folder, big);
    const std::string text = xd.clipboard().text();
    EXPECT_EQ(text.size(), big.size());
    EXPECT_TRUE(text == big);
}

TEST_F(X11ClipboardTest, AnotherCopyEndsOurOwnership) {
    xd.clipboard().setText("ours");
    copyWithXclip(xd, folder, "theirs");
    // The SelectionClear arrives through the event loop.
    for (int i = 0; i < 100 && xd.clipboard().owned(); ++i) xd.pump().waitUntil(xd.clock().tickCount() + 20);
    EXPECT_FALSE(xd.clipboard().owned());
    EXPECT_EQ(xd.clipboard().text(), "theirs");
    xd.clipboard().setText("ours again");  // and we can take it back
    EXPECT_EQ(paste(xd, "UTF8_STRING").out, "ours again");
}

TEST_F(X11ClipboardTest, EmptyClipboardReadsEmpty) { EXPECT_EQ(xd.clipboard().text(), ""); }

TEST_F(X11ClipboardTest, MacroPutsTextOnTheClipboard) {
    playOnX11(xd, "<BEGCLIP>Hello, \xA9 2026<ENDCLIP>");
    EXPECT_EQ(paste(xd, "UTF8_STRING").out, "Hello, © 2026");
}

TEST_F(X11ClipboardTest, ARequestorVanishingHalfwayThroughALargePasteHoldsNobodyUp) {
    std::string big;
    for (int i = 0; big.size() < 1024 * 1024; ++i) big += "piece " + std::to_string(i) + "\n";
    xd.clipboard().setText(big);
    const auto request = [&](std::size_t vanishAfter) {
        int fds[2];
        if (::pipe(fds) != 0) return RunResult{};
        const pid_t pid = startRequestor(x.display(), fds[1], vanishAfter);
        ::close(fds[1]);
        return collectWhilePumping(xd, pid, fds[0], 10000);
    };
    const RunResult gone = request(1);
    ASSERT_TRUE(gone.finished);
    EXPECT_EQ(gone.out, "");
    // The next programs to paste get all of it, and in good time: none waits for the one that left.
    for (int i = 0; i < 2; ++i) {
        const RunResult again = request(0);
        EXPECT_TRUE(again.finished) << i;
        EXPECT_EQ(again.out.size(), big.size()) << i;
        EXPECT_TRUE(again.out == big) << i;
    }
    const RunResult xclip = paste(xd, "STRING");
    EXPECT_TRUE(xclip.finished);
    EXPECT_TRUE(xclip.out == big);
    EXPECT_TRUE(xd.clipboard().owned());
}

TEST_F(X11ClipboardTest, AClipboardManagerKeepsACopyWhenWeClose) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t manager = startClipboardManager(x.display(), fds[1]);
    ::close(fds[1]);
    auto readSome = [&] {
        pollfd p{fds[0], POLLIN, 0};
        char buffer[256];
        if (::poll(&p, 1, 5000) <= 0) return std::string();
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
    };
    ASSERT_EQ(readSome(), "ready\n");
    {
        x11::X11Desktop closing{x.display()};
        closing.clipboard().setText("kept \xE9");
    }
    EXPECT_EQ(readSome(), "kept \xC3\xA9");
    ::close(fds[0]);
    ::kill(manager, SIGKILL);
    ::waitpid(manager, nullptr, 0);
}

}  // namespace
}  // namespace qln::test
