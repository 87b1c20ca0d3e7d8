// Quillon itself on a private desktop with a window manager and a system tray: one copy runs, the tray icon brings
// the window back, losing the focus sends it into the tray, and it ends cleanly, writing its settings.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <fstream>

#include <X11/keysym.h>

#include "QuillonSession.h"

namespace qln::test {
namespace {

int exitCode(TestProcess& p, int seconds) {
    return exitCodeWithin(p, seconds);
}
pid_t quillonPid(QuillonDesktop& d) {
    return d.quillonPid();
}

class QuillonDesktopTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(d.folder().path() + "/run"); }

    bool mainWindowShown() { return d.mainWindowShown(); }
    void useTray() { d.writeSettings("[Misc]\nUse Tray=Yes\n"); }

    QuillonDesktop d;
};

TEST_F(QuillonDesktopTest, ASecondStartSaysSoAndLeavesTheFirstRunning) {
    TestProcess first;
    d.start(first);
    ASSERT_TRUE(eventually([&] { return mainWindowShown(); }, 1000)) << d.log();
    const auto before = d.windowsNamed("");
    TestProcess second;
    d.start(second);
    // Its message box is the only new window: Enter closes it, and the second copy ends.
    Window box = 0;
    ASSERT_TRUE(eventually([&] {
        for (const Window w : d.windowsNamed(""))
            if (std::find(before.begin(), before.end(), w) == before.end() && d.viewable(w)) box = w;
        return box != 0;
    }, 1000));
    EXPECT_EQ(d.nameOf(box), "");  // an empty caption
    d.xdotool("windowactivate --sync " + std::to_string(box) + " key Return");
    EXPECT_EQ(exitCode(second, 20), 0);
    EXPECT_FALSE(first.ended());
    EXPECT_TRUE(mainWindowShown());
}

TEST_F(QuillonDesktopTest, AKilledCopyLeavesNothingThatKeepsTheNextOut) {
    TestProcess first;
    d.start(first);
    ASSERT_TRUE(eventually([&] { return mainWindowShown(); }, 1000)) << d.log();
    const pid_t pid = quillonPid(d);
    ASSERT_GT(pid, 0);
    ::kill(pid, SIGKILL);
    exitCode(first, 20);
    TestProcess next;
    d.start(next);
    EXPECT_TRUE(eventually([&] { return mainWindowShown(); }, 1000)) << d.log();
}

TEST_F(QuillonDesktopTest, TheTrayIconBringsTheWindowBackAndLosingTheFocusHidesIt) {
    useTray();
    TestProcess quillon;
    d.start(quillon);
    Window icon = 0;
    ASSERT_TRUE(eventually([&] { return (icon = d.trayIcon()) != 0; }, 1000)) << d.log() << d.tree();
    EXPECT_FALSE(mainWindowShown());
    int x = 0, y = 0;
    d.settledCentreOf(icon, x, y);
    d.xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1");
    ASSERT_TRUE(eventually([&] { return mainWindowShown(); }, 1000)) << d.log();
    // Another program takes the focus: Quillon steps back into the tray.
    TestProcess other;
    const std::string display = d.display();
    other.start({"xterm", "-T", "Another program"}, [display] { ::setenv("DISPLAY", display.c_str(), 1); });
    ASSERT_TRUE(eventually([&] { return !d.windowsNamed("Another program").empty(); }, 1000));
    d.xdotool("windowactivate --sync " + std::to_string(d.windowsNamed("Another program").front()));
    EXPECT_TRUE(eventually([&] { return !mainWindowShown(); }, 1000));
}

TEST_F(QuillonDesktopTest, TerminateAndUnloadEndsCleanlyAndWritesTheSettings) {
    useTray();
    TestProcess quillon;
    d.start(quillon);
    Window icon = 0;
    ASSERT_TRUE(eventually([&] { return (icon = d.trayIcon()) != 0; }, 1000)) << d.log();
    int x = 0, y = 0;
    d.settledCentreOf(icon, x, y);
    d.xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 3");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    d.xdotool("key t");
    EXPECT_EQ(exitCode(quillon, 20), 0) << d.log();
    const std::string settings = d.readSettings();
    EXPECT_NE(settings.find("Use Tray=Yes"), std::string::npos) << settings;
}

TEST_F(QuillonDesktopTest, ATerminationSignalEndsItCleanly) {
    TestProcess quillon;
    d.start(quillon);
    ASSERT_TRUE(eventually([&] { return mainWindowShown(); }, 1000)) << d.log();
    std::filesystem::remove(d.settingsFile());
    ::kill(quillonPid(d), SIGTERM);
    EXPECT_TRUE(eventually([&] { return std::filesystem::exists(d.settingsFile()); }, 1000));
    EXPECT_NE(d.readSettings().find("[Main Window]"), std::string::npos);
}

// Settings that cannot be written as the program ends (a pipe in the file's place) ask nobody anything: the signal
// ends the program at once, stderr says why, and the next start tells the user.
TEST_F(QuillonDesktopTest, ASettingsWriteThatFailsAtTheEndDoesNotHoldUpASignal) {
    TestProcess quillon;
    d.start(quillon);
    ASSERT_TRUE(eventually([&] { return mainWindowShown(); }, 1000)) << d.log();
    const pid_t pid = quillonPid(d);
    std::filesystem::remove(d.settingsFile());
    ASSERT_EQ(::mkfifo(d.settingsFile().c_str(), 0600), 0);
    ::kill(pid, SIGTERM);
    EXPECT_NE(exitCode(quillon, 20), -1) << "still running after SIGTERM";
    // The keycode it lent the end marker is given back on this way out too.
    Display* fresh = XOpenDisplay(d.display().c_str());
    EXPECT_EQ(XKeysymToKeycode(fresh, XK_Execute), 0);
    XCloseDisplay(fresh);
    EXPECT_NE(d.log().find("quillon: the settings were not saved: " + d.settingsFile() + ": is not a regular file"),
              std::string::npos)
        << d.log();
    std::filesystem::remove(d.settingsFile());
    TestProcess next;
    d.start(next);
    EXPECT_TRUE(eventually(
        [&] {
            for (const Window w : d.windowsNamed("Error"))
                if (d.viewable(w)) return true;
            return false;
        },
        1000))
        << d.log();
}

// A new window of Quillon's, not one of `before`.
Window newWindow(QuillonDesktop& d, const std::vector<Window>& before) {
    Window found = 0;
    eventually(
        [&] {
            for (const Window w : d.windowsNamed(""))
                if (std::find(before.begin(), before.end(), w) == before.end() && d.viewable(w)) found = w;
            return found != 0;
        },
        1000);
    return found;
}

TEST_F(QuillonDesktopTest, TheLosingCopyOfADoubleStartEndsAtOnceOnASignalWhileItsBoxIsOpen) {
    TestProcess first;
    d.start(first);
    ASSERT_TRUE(eventually([&] { return mainWindowShown(); }, 1000)) << d.log();
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const auto before = d.windowsNamed("");
        TestProcess second;
        d.start(second);
        const Window box = newWindow(d, before);
        ASSERT_NE(box, 0u);
        const pid_t pid = d.pidOf(box);
        ASSERT_GT(pid, 0);
        ::kill(pid, signal);
        EXPECT_EQ(exitCode(second, 5), 128 + signal) << signal;
    }
    EXPECT_FALSE(first.ended());
}

TEST_F(QuillonDesktopTest, ASignalEndsItWhileADialogIsOpenAndTheSettingsAreWritten) {
    TestProcess quillon;
    d.start(quillon);
    ASSERT_TRUE(eventually([&] { return mainWindowShown(); }, 1000)) << d.log();
    d.xdotool("windowactivate --sync " + std::to_string(d.mainWindow()) + " key alt+h a");
    ASSERT_TRUE(eventually([&] { return !d.windowsNamed("About Quillon").empty(); }, 1000));
    std::filesystem::remove(d.settingsFile());
    ::kill(quillonPid(d), SIGTERM);
    EXPECT_EQ(exitCode(quillon, 5), 128 + SIGTERM) << d.log();
    EXPECT_NE(d.readSettings().find("[Main Window]"), std::string::npos);
}

TEST_F(QuillonDesktopTest, ASignalEndsItWhileAStartUpMessageWaits) {
    std::filesystem::create_directories(d.settingsFile());  // a folder where the settings file should be
    TestProcess quillon;
    d.start(quillon);
    Window box = 0;
    ASSERT_TRUE(
        eventually([&] { return !d.windowsNamed("Error").empty() && (box = d.windowsNamed("Error")[0]); }, 1000))
        << d.log();
    ::kill(d.pidOf(box), SIGTERM);
    EXPECT_EQ(exitCode(quillon, 5), 128 + SIGTERM) << d.log();
}

TEST_F(QuillonDesktopTest, SettingsThatCannotBeReadAreNamedAndTheDefaultsUsed) {
    std::filesystem::create_directories(d.settingsFile());  // a folder where the settings file should be
    TestProcess quillon;
    d.start(quillon);
    Window box = 0;
    ASSERT_TRUE(eventually([&] {
        for (const Window w : d.windowsNamed("Error"))
            if (d.viewable(w)) box = w;
        return box != 0;
    }, 1000)) << d.log();
    d.xdotool("windowactivate --sync " + std::to_string(box) + " key Return");
    EXPECT_TRUE(eventually([&] { return mainWindowShown(); }, 1000)) << d.log();
}

}  // namespace
}  // namespace qln::test
