// Launching programs and opening documents and addresses, with stand-in programs that write down their arguments.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/posix/DesktopShell.h"
#include "support/TempFolder.h"

namespace qln::test {
namespace {

// Replaces PATH for one test.
class PathVariable {
public:
    explicit PathVariable(const std::string& value) : old_(std::getenv("PATH") ? std::getenv("PATH") : "") {
        ::setenv("PATH", value.c_str(), 1);
    }
    ~PathVariable() { ::setenv("PATH", old_.c_str(), 1); }

private:
    std::string old_;
};

class DesktopShellTest : public ::testing::Test {
protected:
    DesktopShellTest() {
        // Each stand-in writes one argument per line into a file named after itself, then renames it into place.
        for (const char* name : {"xdg-open", "editor"}) {
            const std::string out = folder.file(std::string(name) + ".out");
            folder.write(name, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + out +
                                   ".tmp'\nmv '" + out + ".tmp' '" + out + "'\n");
            std::filesystem::permissions(folder.file(name), std::filesystem::perms::owner_all);
        }
    }
    // What the stand-in received, once it has run (at most five seconds).
    std::string received(const std::string& name) {
        for (int i = 0; i < 500 && !std::filesystem::exists(folder.file(name + ".out")); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return folder.read(name + ".out");
    }
    TempFolder folder;
    PathVariable path{folder.path() + ":/usr/bin:/bin"};
    posix::DesktopShell shell;
};

TEST_F(DesktopShellTest, AProgramStartsWithItsArguments) {
    shell.open("editor", "\"My File.txt\" -n \\\"x\\\" caf\xE9");
    EXPECT_EQ(received("editor"), "My File.txt\n-n\n\"x\"\ncaf\xC3\xA9\n");
    EXPECT_FALSE(std::filesystem::exists(folder.file("xdg-open.out")));
}

TEST_F(DesktopShellTest, AnExeNameStartsTheProgramWithoutTheExtension) {
    shell.open("editor.exe", "c:\\readme.txt");
    EXPECT_EQ(received("editor"), "c:\\readme.txt\n");
}

TEST_F(DesktopShellTest, ADocumentGoesToTheOpener) {
    folder.write("letter \xC3\xA0.txt", "Dear");
    shell.open(folder.path() + "/letter \xE0.txt", "");
    EXPECT_EQ(received("xdg-open"), folder.path() + "/letter \xC3\xA0.txt\n");
}

TEST_F(DesktopShellTest, AWebAddressGoesToTheOpener) {
    shell.open("www.example.org/a b", "");
    EXPECT_EQ(received("xdg-open"), "http://www.example.org/a b\n");
}

TEST_F(DesktopShellTest, NothingIsStartedWhenThereIsNothingToStart) {
    // The opener missing, the program not executable, an empty name: nothing runs, nothing hangs.
    std::filesystem::permissions(folder.file("editor"), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    {
        PathVariable empty{folder.path()};
        std::filesystem::remove(folder.file("xdg-open"));
        shell.open("http://example.org", "");
        shell.open("editor", "now");
        shell.open("", "");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(std::filesystem::exists(folder.file("editor.out")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("xdg-open.out")));
}

}  // namespace
}  // namespace qln::test
