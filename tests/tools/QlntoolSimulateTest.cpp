// qlntool simulate: every scenario under tests/data/scenarios prints its expected trace; bad scenarios are named.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "QlntoolRunner.h"
#include "support/TempFolder.h"

namespace {

using qln::test::qlntool;
using qln::test::Result;
namespace fs = std::filesystem;

const fs::path kScenarios = fs::path(QLN_TEST_DATA_DIR) / "scenarios";

TEST(QlntoolSimulate, EveryScenarioPrintsItsExpectedTrace) {
    int seen = 0;
    for (const auto& entry : fs::directory_iterator(kScenarios)) {
        if (entry.path().extension() != ".txt") continue;
        ++seen;
        const Result r = qlntool({"simulate", entry.path().string()});
        EXPECT_EQ(r.code, 0) << entry.path() << r.err;
        auto expected = entry.path();
        expected.replace_extension(".expected");
        EXPECT_EQ(r.out, qln::test::slurp(expected)) << entry.path().filename();
    }
    EXPECT_GE(seen, 15);
}

std::string writeScenario(qln::test::TempFolder& tmp, const std::string& text) {
    const std::string path = tmp.file("scenario.txt");
    std::ofstream(path) << text;
    return path;
}

TEST(QlntoolSimulate, ABadScenarioIsNamedWithItsLineAndNothingRuns) {
    struct Case {
        std::string text;
        std::string err;
    };
    const Case cases[] = {
        {"macro A | Ctrl+Alt+H | global | a\npress Ctrl+Alt+Q+R\n",
         "scenario.txt: line 2: no hot key is named 'Ctrl+Alt+Q+R'\n"},
        {"dance\n", "scenario.txt: line 1: unknown step 'dance'\n"},
        {"macro A | Ctrl+Alt+H | galactic | a\n", "scenario.txt: line 1: unknown scope 'galactic'\n"},
        {"macro A | Ctrl+Alt+H\n", "scenario.txt: line 1: a macro has four fields separated by '|'\n"},
        {"front Nowhere\n", "scenario.txt: line 1: no window is titled 'Nowhere'\n"},
        {"set Colour = red\n", "scenario.txt: unknown setting 'Colour'\n"},
        {"wait soon\n", "scenario.txt: line 1: 'soon' is not a number\n"},
    };
    for (const Case& c : cases) {
        qln::test::TempFolder tmp;
        const Result r = qlntool({"simulate", writeScenario(tmp, c.text)});
        EXPECT_EQ(r.code, 1) << c.text;
        EXPECT_EQ(r.out, "") << c.text;
        EXPECT_TRUE(r.err.ends_with(c.err)) << r.err;
    }
    EXPECT_EQ(qlntool({"simulate"}).code, 2);
    EXPECT_EQ(qlntool({"simulate", "--file"}).code, 2);
}

TEST(QlntoolSimulate, AMacroFileSuppliesTheSetAndItsSystemMacros) {
    qln::test::TempFolder tmp;
    const std::string file = tmp.file("Set.QLN");
    ASSERT_EQ(qlntool({"new", file}).code, 0);
    const auto before = qln::test::slurp(file);
    const std::string scenario = writeScenario(tmp, "macro Mine | Ctrl+Alt+H | global | m\n"
                                                    "window Untitled - Notepad | NOTEPAD.EXE front\n"
                                                    "press Ctrl+Alt+Shift+W\npress Ctrl+Alt+H\n");
    const Result r = qlntool({"simulate", "--file", file, scenario});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "0 user presses Ctrl+Alt+Shift+W\n0 activate Quillon\n0 user presses Ctrl+Alt+H\n0 key 77 down\n"
              "0 key 77 up\n0 key 43 down\n0 key 43 up\n0 in use cleared\n");
    EXPECT_EQ(qln::test::slurp(file), before);  // only read
}

}  // namespace
