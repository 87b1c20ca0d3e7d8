// qlntool play as people call it: options, exit codes, and the exact trace it prints.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "QlntoolRunner.h"

namespace {

using qln::test::Result;
using qln::test::qlntool;

struct PlayCase {
    const char* name;
    std::vector<std::string> args;
    std::string out;
};

class Play : public ::testing::TestWithParam<PlayCase> {};

TEST_P(Play, PrintsThisTrace) {
    const Result r = qlntool(GetParam().args);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, GetParam().out);
    EXPECT_EQ(r.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Qlntool, Play,
    ::testing::Values(
        PlayCase{"MouseMove", {"play", "--screen", "640x480", "--text", "<MMS:00100,00200>"},
                 "0 mouse 32769 10239 27306 0\n"},
        PlayCase{"AccentedLetterAsAltCode",
                 {"play", "--text", "\xC3\xA9"},
                 "0 key 18 down\n0 key 96 down\n0 key 96 up\n0 key 98 down\n0 key 98 up\n0 key 99 down\n"
                 "0 key 99 up\n0 key 99 down\n0 key 99 up\n0 key 18 up\n"},
        PlayCase{"SpeedScalesDelay", {"play", "--text", "<SPEED:00002><DELAY:01.00>a"},
                 "2001 key 65 down\n2001 key 65 up\n"},
        PlayCase{"CapsLockOnly", {"play", "--caps", "--text", ""},
                 "0 key 20 down\n0 key 20 up\n0 key 20 down\n0 key 20 up\n"},
        PlayCase{"DateAtStart",
                 {"play", "--start", "1998-03-05 10:00:00", "--text", "<MM/DD/YY{N}>"},
                 "0 key 51 down\n0 key 51 up\n0 key 191 down\n0 key 191 up\n0 key 53 down\n0 key 53 up\n"
                 "0 key 191 down\n0 key 191 up\n0 key 57 down\n0 key 57 up\n0 key 56 down\n0 key 56 up\n"},
        PlayCase{"AbortDuringDelay",
                 {"play", "--abort-at", "1000", "--text", "<DELAY:02.00>a"},
                 "2001 app main-window hide\n2001 message \"Macro Abort\" \"Quillon macro has been aborted.\"\n"
                 "2001 app main-window show\n2001 focus 16 \"Untitled - Notepad\"\n"},
        PlayCase{"PauseAnsweredAbort",
                 {"play", "--screen", "640x480", "--answer", "abort", "--text", "<PAUSE:900,900>a"},
                 "0 app main-window hide\n0 pause left=416 top=386 message=\"\"\n0 answer abort\n"
                 "0 focus 16 \"Untitled - Notepad\"\n0 app main-window show\n0 focus 16 \"Untitled - Notepad\"\n"},
        PlayCase{"PauseMessageQuoted",
                 {"play", "--text", "<PAUSE:010,020Say \"hi\" \xC3\xA0 \\ me>"},
                 "0 app main-window hide\n0 pause left=20 top=10 message=\"Say \\\"hi\\\" \xC3\xA0 \\\\ me\"\n"
                 "0 answer resume\n0 focus 16 \"Untitled - Notepad\"\n0 app main-window show\n"
                 "0 focus 16 \"Untitled - Notepad\"\n"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Play, FileBytesArePlayedAsTheyAre) {
    const auto path = std::filesystem::temp_directory_path() / "qlntool-test-macro.txt";
    {
        std::ofstream f(path, std::ios::binary);
        f << "a\xE9";  // Windows-1252 e acute, not UTF-8
    }
    const Result r = qlntool({"play", "--file", path.string()});
    std::filesystem::remove(path);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out,
              "0 key 65 down\n0 key 65 up\n0 key 18 down\n0 key 96 down\n0 key 96 up\n0 key 98 down\n"
              "0 key 98 up\n0 key 99 down\n0 key 99 up\n0 key 99 down\n0 key 99 up\n0 key 18 up\n");
}

TEST(Play, UnreadableFileNamesTheFileAndExitsOne) {
    const Result r = qlntool({"play", "--file", "/nonexistent/macro.txt"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("/nonexistent/macro.txt"), std::string::npos) << r.err;

    const Result folder = qlntool({"play", "--file", std::filesystem::temp_directory_path().string()});
    EXPECT_EQ(folder.code, 1) << folder.err;
}

struct BadCase {
    const char* name;
    std::vector<std::string> args;
};

class BadOptions : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadOptions, PrintUsageAndExitTwo) {
    const Result r = qlntool(GetParam().args);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("usage: qlntool play"), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Qlntool, BadOptions,
    ::testing::Values(BadCase{"NoCommand", {}}, BadCase{"UnknownCommand", {"fly"}},
                      BadCase{"NoMacro", {"play"}}, BadCase{"BothTextAndFile", {"play", "--text", "a", "--file", "x"}},
                      BadCase{"UnknownOption", {"play", "--text", "a", "--loud"}},
                      BadCase{"MissingValue", {"play", "--text"}},
                      BadCase{"BadScreen", {"play", "--screen", "640", "--text", "a"}},
                      BadCase{"ZeroScreen", {"play", "--screen", "0x480", "--text", "a"}},
                      BadCase{"BadStart", {"play", "--start", "1998-02-30 10:00:00", "--text", "a"}},
                      BadCase{"BadAbortAt", {"play", "--abort-at", "-5", "--text", "a"}}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
