// Hot key dispatch: refusals, the pause, the network replay, the direct macro bit, window activation.
#include <gtest/gtest.h>

#include "TriggerHarness.h"
#include "triggers/TriggerMessages.h"

namespace qln::test {
namespace {

using Lines = std::vector<std::string>;

bool has(const Lines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(Dispatch, ARefusedHotKeyDuringAPauseNeitherActivatesAWindowNorPlays) {
    TriggerRig rig({macro("Paused", "Ctrl+Alt+P", ScopeGlobal, "<PAUSE>x"),
                    macro("Editor", "Ctrl+Alt+E", ScopeWindow, "e", "EDITOR")});
    rig.addWindow("My Editor", "ED.EXE");
    rig.desktop.prompts().addAnswer("abort");
    rig.desktop.trace().clear();
    // The second key arrives while the pause dialog is open.
    rig.desktop.hook().pressHotKey(codeOf("Ctrl+Alt+P"), false, 0);
    rig.desktop.hook().pressHotKey(codeOf("Ctrl+Alt+E"), false, 0);
    rig.settle();
    const Lines t = rig.trace();
    EXPECT_TRUE(has(t, std::string("warning ") + PausedWarning));
    for (const auto& line : t) EXPECT_EQ(line.find("My Editor"), std::string::npos) << line;
    EXPECT_FALSE(has(t, "key 69 down"));
}

TEST(Dispatch, ThePausedMacrosOwnHotKeyResumesWithCapsLockPressedWhenItWasOn) {
    TriggerRig rig({macro("Paused", "Ctrl+Alt+P", ScopeGlobal, "<PAUSE>x")});
    rig.desktop.trace().clear();
    rig.desktop.hook().pressHotKey(codeOf("Ctrl+Alt+P"), false, 0);
    rig.desktop.hook().pressHotKey(codeOf("Ctrl+Alt+P"), true, 0);
    rig.settle();
    const Lines t = rig.trace();
    EXPECT_TRUE(has(t, "answer resume (hot key)"));
    EXPECT_TRUE(has(t, "key 20 down"));
    EXPECT_TRUE(has(t, "key 88 down"));
}

TEST(Dispatch, AChangedNetworkFileReplaysTheHotKeyInsteadOfPlaying) {
    struct Case {
        const char* key;
        Lines events;
    };
    const Case cases[] = {
        {"Win+Alt+H", {"key 92 down", "key 18 down", "key 72 down", "key 72 up", "key 18 up", "key 92 up"}},
        {"Ctrl+Alt+Shift+Enter",
         {"key 18 down", "key 17 down", "key 16 down", "key 13 down", "key 13 up", "key 16 up", "key 17 up",
          "key 18 up"}},
        {"Shift+RMouse", {"key 16 down", "mouse 8 0 0 0", "mouse 16 0 0 0", "key 16 up"}},
    };
    for (const Case& c : cases) {
        TriggerRig rig({macro("One", c.key, ScopeGlobal, "a")});
        rig.host.networkChanged = true;
        rig.desktop.trace().clear();
        rig.press(c.key);
        EXPECT_EQ(rig.trace(), c.events) << c.key;
    }
}

TEST(Dispatch, TheDirectMacroBitOpensThatMenuWithTheClickPositionAndReturnsToTheLastWindow) {
    MacroRecord menu = macro("Menu", "Ctrl+Alt+M", ScopePopupMenu, "");
    writePopupItems(menu, {1});
    menu.snipword = "Y23";
    TriggerRig rig({macro("One", "Ctrl+Alt+H", ScopeGlobal, "a"), menu});
    const WindowHandle editor = rig.addWindow("Editor", "ED.EXE", true);
    rig.activated(editor);
    rig.desktop.windows().setForeground(rig.desktop.windows().windows().back().handle);
    rig.menu.answers = {1};
    rig.desktop.trace().clear();
    rig.desktop.pump().post(rig.triggers.menuIconMessage(2, 700));
    rig.settle();
    ASSERT_EQ(rig.menu.requests.size(), 1u);
    EXPECT_EQ(rig.menu.requests[0].position, 700);
    EXPECT_EQ(rig.menu.requests[0].style, MenuStyle::Icons);
    EXPECT_EQ(rig.menu.requests[0].iconSize, 48);
    EXPECT_TRUE(has(rig.trace(), "focus " + std::to_string(editor) + " \"Editor\""));
    EXPECT_TRUE(has(rig.trace(), "key 65 down"));
}

TEST(Dispatch, RefusalsComeBeforeAnythingElse) {
    TriggerRig rig({macro("One", "Ctrl+Alt+H", ScopeGlobal, "a")});
    rig.host.capture = true;
    rig.host.networkChanged = true;
    rig.desktop.trace().clear();
    rig.press("Ctrl+Alt+H");
    EXPECT_EQ(rig.trace(), (Lines{std::string("warning ") + RecordingWarning}));
    EXPECT_TRUE(rig.host.networkChanged);  // not even looked at
}

TEST(Dispatch, AnUnmarkedCodeIsNotReportedAndAnInactiveMacroNeverRuns) {
    MacroRecord off = macro("Off", "Ctrl+Alt+J", ScopeGlobal, "j");
    off.active = 0;
    TriggerRig rig({off, macro("On", "Ctrl+Alt+H", ScopeGlobal, "h")});
    EXPECT_FALSE(rig.desktop.hook().pressHotKey(codeOf("Ctrl+Alt+J"), false, 0));
    rig.desktop.trace().clear();
    rig.triggers.handleMessage(hook::HotKeyPressed{codeOf("Ctrl+Alt+J"), false, 0});
    EXPECT_TRUE(rig.trace().empty());
}

TEST(WindowActivation, TheUsersOwnProgramsFillTheTablesSlotsFirstAndAllCountForProgramMacros) {
    TriggerRig rig({macro("Daemon", "Ctrl+Alt+H", ScopeProgram, "h", "SYSD250")});
    for (int i = 0; i < 300; ++i) rig.desktop.processes().start("sysd" + std::to_string(i), false);
    rig.desktop.processes().start("sysd7", false);  // listed once
    const WindowHandle w = rig.addWindow("Notes", "zeditor");
    rig.activated(w);
    const auto& state = rig.triggers.state();
    EXPECT_EQ(state.currentProgram, "ZEDITOR");
    EXPECT_EQ(state.lastForeground, w);
    EXPECT_EQ(state.lastForegroundOfOther, w);
    EXPECT_EQ(state.programs.size(), 302u);  // NOTEPAD.EXE, ZEDITOR and 300 of the system's
    EXPECT_EQ(rig.table.value32At(hooktable::ProgramCount), 200u);
    const auto slot = [&](std::size_t n) {
        const std::size_t at = hooktable::ProgramListBase + n * hooktable::ProgramListWidth;
        const auto& block = rig.desktop.hook().block();
        const auto text = block.begin() + static_cast<long>(at) + 1;
        return std::string(text, text + block[at]);
    };
    EXPECT_EQ(slot(1), "NOTEPAD.EXE");
    EXPECT_EQ(slot(2), "ZEDITOR");
    EXPECT_EQ(slot(200), "SYSD197");
    // A program beyond the table's slots still counts as running.
    rig.desktop.trace().clear();
    rig.press("Ctrl+Alt+H");
    EXPECT_TRUE(has(rig.trace(), "key 72 down"));
}

TEST(WindowActivation, OurOwnWindowIsNeverTheLastWindowOfAnotherProgram) {
    TriggerRig rig({});
    const WindowHandle other = rig.addWindow("Notes", "zeditor");
    const WindowHandle own = rig.addWindow("Quillon (x)", "quillon");
    rig.activated(other);
    rig.activated(own);
    EXPECT_EQ(rig.triggers.state().lastForeground, own);
    EXPECT_EQ(rig.triggers.state().lastForegroundOfOther, other);
    EXPECT_EQ(rig.triggers.state().currentProgram, "QUILLON");
}

}  // namespace
}  // namespace qln::test
