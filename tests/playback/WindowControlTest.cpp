// Finding windows and programs, and the window tags, on the simulated desktop.
#include <gtest/gtest.h>

#include "DesktopHarness.h"

namespace qln::test {
namespace {

struct FindCase {
    const char* search;
    bool found;
};

TEST(WindowLookup, ExactOrContainedInAnyCase) {
    DesktopHarness h;
    h.addWindow("Notepad2 Help", "HELP.EXE");
    const FindCase cases[] = {{"Untitled - Notepad", true}, {"notepad", true}, {"TITLED - NOTE", true},
                              {"Notepad2", false},          {"untitled - notepad ", false}, {"", false}};
    for (const FindCase& c : cases) {
        WindowHandle w = 0;
        const bool found = h.effects.windowControl().GetWinHandle(w, c.search);
        EXPECT_EQ(found && h.desktop.windows().windowTitle(w) == "Untitled - Notepad", c.found) << c.search;
    }
}

TEST(WindowLookup, NearerTheFrontWinsAndUntitledWindowsAreSkipped) {
    DesktopHarness h(false);
    h.addWindow("", "GHOST.EXE");
    const WindowHandle front = h.addWindow("Report - Draft", "WRITER.EXE");
    h.addWindow("Report - Final", "WRITER.EXE");
    WindowHandle w = 0;
    ASSERT_TRUE(h.effects.windowControl().GetWinHandle(w, "report"));
    EXPECT_EQ(w, front);
    EXPECT_FALSE(h.effects.windowControl().GetWinHandle(w, ""));
}

TEST(WindowLookup, ActivateRestoresFocusesAndBecomesTheReturnWindow) {
    DesktopHarness h;
    const WindowHandle calc = h.addWindow("Calculator", "CALC.EXE");
    h.desktop.windows().sysCommand(calc, SysCommand::Minimise);
    h.play("<ACTIVATE:calc>");
    EXPECT_EQ(h.lines(), (std::vector<std::string>{"window 17 restore", "focus 17 \"Calculator\""}));
    EXPECT_EQ(h.desktop.windows().foregroundWindow(), calc);
    EXPECT_EQ(h.player.state().returnWindow, calc);
    EXPECT_EQ(h.desktop.windows().windows().front().handle, calc);
}

TEST(WindowLookup, ActivateWithoutAMatchSkipsTheRestButRestoresCapsLock) {
    DesktopHarness h(true, true);
    h.play("a<ACTIVATE:Nothing like this>b");
    EXPECT_EQ(h.lines(), (std::vector<std::string>{"key 20 down", "key 20 up", "key 65 down", "key 65 up",
                                                   "key 20 down", "key 20 up"}));
}

TEST(ActivateProg, FirstTitledWindowOfTheProgram) {
    DesktopHarness h;
    const std::uint32_t pid = h.desktop.processes().start("WINWORD.EXE");
    sim::SimDesktopWindows::Window untitled;
    untitled.pid = pid;
    h.desktop.windows().addWindow(untitled);
    sim::SimDesktopWindows::Window doc;
    doc.pid = pid;
    doc.title = "Letter.doc";
    const WindowHandle w = h.desktop.windows().addWindow(doc);
    EXPECT_TRUE(h.effects.windowControl().ActivateProg("winword"));
    EXPECT_EQ(h.desktop.windows().foregroundWindow(), w);
    EXPECT_FALSE(h.effects.windowControl().ActivateProg("EXCEL"));
}

TEST(MakeSureItsAParent, ClimbsToTheTopLevelWindow) {
    DesktopHarness h;
    const WindowHandle top = h.addWindow("Main", "APP.EXE");
    const WindowHandle child = h.addWindow("Child", "APP.EXE", {}, top);
    const WindowHandle grandchild = h.addWindow("Grandchild", "APP.EXE", {}, child);
    WindowControl& wc = h.effects.windowControl();
    EXPECT_EQ(wc.MakeSureItsAParent(grandchild), top);
    EXPECT_EQ(wc.MakeSureItsAParent(top), top);
    EXPECT_EQ(wc.MakeSureItsAParent(0x999), 0u);
}

struct TagCase {
    const char* text;
    std::vector<std::string> lines;
};

class WindowTags : public ::testing::TestWithParam<TagCase> {};

TEST_P(WindowTags, ActOnTheNamedWindow) {
    DesktopHarness h;
    h.addWindow("CURRENT", "CURRENT.EXE", {5, 5, 105, 105});
    h.play(GetParam().text);
    EXPECT_EQ(h.lines(), GetParam().lines) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Playback, WindowTags,
    ::testing::Values(
        TagCase{"<WSHUT:CURRENT>", {"window 17 quit"}},
        TagCase{"<WSHUT:\"CURRENT\">", {"window 16 quit"}},
        TagCase{"<WSIZE:0640,0480\"CURRENT\">", {"window 16 size 640x480"}},
        TagCase{"<WPOS:-010,0020\"CURRENT\">", {"window 16 move -10,20"}},
        TagCase{"<WHIDE:notepad><WSHOW:notepad>", {"window 16 hide", "window 16 show"}},
        TagCase{"<WMIN:notepad><WRES:notepad><WMAX:notepad>",
                {"window 16 minimise", "window 16 restore", "window 16 maximise"}},
        TagCase{"<WCLS:notepad><WCLS:notepad>", {"window 16 close"}},
        TagCase{"<WHIDE:><WMAX:nowhere>", {}},
        TagCase{"<ACTIVATE:\"CURRENT\">x", {}}));  // no special meaning here: nothing matches, the rest is skipped

TEST(WindowTags, SizeKeepsThePositionAndMoveKeepsTheSize) {
    DesktopHarness h;
    h.desktop.windows().setRect(16, {30, 40, 130, 140});
    h.play("<WSIZE:0640,0480\"CURRENT\"><WPOS:-010,0020\"CURRENT\">");
    EXPECT_EQ(h.desktop.windows().windowRect(16), (Rect{-10, 20, 630, 500}));
}

TEST(WindowTags, HiddenWindowIsStillFoundAndShownAgain) {
    DesktopHarness h;
    h.play("<WHIDE:notepad><WSHOW:untitled>");
    EXPECT_FALSE(h.desktop.windows().find(16)->hidden);
}

TEST(WaitForWindow, LaunchWaitsForTheWindowThenTheExtraSeconds) {
    DesktopHarness h(false);
    h.desktop.shell().addLaunchable({"notepad.exe", "Untitled - Notepad", 2500});
    h.play("<LAUNCHYES:05Untitled - Notepad<LAUNCH:notepad.exe>x");
    EXPECT_EQ(h.desktop.trace().format(0),
              "0 shell open \"notepad.exe\" \"\"\n"
              "2500 window 16 opened \"Untitled - Notepad\"\n"
              "2500 focus 16 \"Untitled - Notepad\"\n"
              "7501 key 88 down\n7501 key 88 up\n");
}

TEST(WaitForWindow, RunningProgramIsOnlyBroughtToTheFront) {
    DesktopHarness h;
    h.addWindow("Other", "OTHER.EXE");
    h.desktop.windows().setForegroundWindow(17);
    h.play("<LAUNCHYES:05Untitled - Notepad<LAUNCH:notepad.exe>x");
    EXPECT_EQ(h.lines(), (std::vector<std::string>{"focus 16 \"Untitled - Notepad\"", "key 88 down", "key 88 up"}));
}

TEST(WaitForWindow, LaunchNoAlwaysLaunchesAndGivesUpAfterThirtySeconds) {
    DesktopHarness h;
    h.play("<LAUNCHNO:05Never Appears<LAUNCH:ghost.exe>x");
    const std::string trace = h.desktop.trace().format(0);
    EXPECT_EQ(trace, "0 shell open \"ghost.exe\" \"\"\n");
    EXPECT_GE(h.desktop.clock().tickCount(), 30000u);
    EXPECT_LE(h.desktop.clock().tickCount(), 31200u);
    EXPECT_LE(h.desktop.pump().waitCalls(), 320);  // it blocks between looks; it does not spin
}

}  // namespace
}  // namespace qln::test
