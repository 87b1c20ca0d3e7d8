// The session's autostart entry: where it goes, what it says, and what switches it off.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Autostart.h"
#include "app/Help.h"
#include "core/FileError.h"
#include "support/TempFolder.h"

namespace qln {
namespace {

namespace fs = std::filesystem;

// Points XDG_CONFIG_HOME and HOME at a temporary folder for one test and puts them back afterwards.
class AutostartTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = {save("XDG_CONFIG_HOME"), save("HOME")};
        ::setenv("XDG_CONFIG_HOME", tmp.file("config").c_str(), 1);
        ::setenv("HOME", tmp.file("home").c_str(), 1);
    }
    void TearDown() override {
        restore("XDG_CONFIG_HOME", saved_[0]);
        restore("HOME", saved_[1]);
    }
    std::string entry() const { return tmp.read("config/autostart/quillon.desktop"); }

    test::TempFolder tmp;

private:
    struct Saved {
        bool set = false;
        std::string value;
    };
    static Saved save(const char* name) {
        const char* v = std::getenv(name);
        return v != nullptr ? Saved{true, v} : Saved{};
    }
    static void restore(const char* name, const Saved& saved) {
        if (saved.set)
            ::setenv(name, saved.value.c_str(), 1);
        else
            ::unsetenv(name);
    }
    std::vector<Saved> saved_;
};

TEST_F(AutostartTest, SwitchingOnWritesTheEntryAndOffRemovesIt) {
    const Autostart autostart = Autostart::forThisUser();
    EXPECT_EQ(autostart.entryPath(), tmp.file("config/autostart/quillon.desktop"));
    EXPECT_FALSE(autostart.isOn());

    autostart.switchOn("/usr/bin/quillon");
    EXPECT_TRUE(autostart.isOn());
    EXPECT_EQ(entry(),
              "[Desktop Entry]\nType=Application\nName=Quillon\nComment=Keyboard and mouse macros\n"
              "Exec=/usr/bin/quillon\nIcon=quillon\nTerminal=false\n");

    autostart.switchOff();
    EXPECT_FALSE(autostart.isOn());
    EXPECT_FALSE(fs::exists(autostart.entryPath()));
    EXPECT_TRUE(fs::is_directory(tmp.file("config/autostart")));
    EXPECT_NO_THROW(autostart.switchOff());
}

TEST_F(AutostartTest, WithoutAProgramTheEntryStartsThisOne) {
    const std::string self = thisProgramPath();
    ASSERT_TRUE(fs::path(self).is_absolute()) << self;
    EXPECT_EQ(fs::path(self).filename(), "app_tests");
    Autostart::forThisUser().switchOn();
    EXPECT_NE(entry().find("\nExec=" + self + "\n"), std::string::npos) << entry();
}

TEST_F(AutostartTest, ARelativeConfigHomeIsIgnored) {
    ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
    EXPECT_EQ(Autostart::forThisUser().entryPath(), tmp.file("home/.config/autostart/quillon.desktop"));
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(Autostart::forThisUser().entryPath(), tmp.file("home/.config/autostart/quillon.desktop"));
}

struct ExecCase {
    const char* program;
    std::vector<std::string> arguments;
    const char* execLine;
};

TEST(AutostartEntry, ExecQuotesWhatTheDesktopWouldSplitOrExpand) {
    const ExecCase cases[] = {
        {"/usr/bin/quillon", {}, "Exec=/usr/bin/quillon"},
        {"/usr/bin/quillon", {"/HIDE", "/F/home/me/work.QLN"}, "Exec=/usr/bin/quillon /HIDE /F/home/me/work.QLN"},
        {"/home/me/My Programs/quillon", {}, "Exec=\"/home/me/My Programs/quillon\""},
        {"/opt/100%/quillon", {}, "Exec=/opt/100%%/quillon"},
        {"/opt/$HOME/quillon", {}, "Exec=\"/opt/\\\\$HOME/quillon\""},
        {"/opt/a\"b`c/quillon", {}, "Exec=\"/opt/a\\\\\"b\\\\`c/quillon\""},
        {"/opt/back\\slash/quillon", {}, "Exec=\"/opt/back\\\\\\\\slash/quillon\""},
        {"/opt/it's/quillon", {}, "Exec=\"/opt/it's/quillon\""},
        {"/opt/line\nbreak/quillon", {}, "Exec=\"/opt/line\\nbreak/quillon\""},
        {"/usr/bin/quillon", {""}, "Exec=/usr/bin/quillon \"\""},
    };
    for (const ExecCase& c : cases) {
        const std::string text = Autostart::entryText(c.program, c.arguments);
        EXPECT_NE(text.find(std::string("\n") + c.execLine + "\n"), std::string::npos) << c.execLine << "\n" << text;
    }
}

struct SwitchedCase {
    const char* text;
    bool on;
};

TEST_F(AutostartTest, TheDesktopsOwnSwitchIsHonoured) {
    const SwitchedCase cases[] = {
        {"[Desktop Entry]\nType=Application\nExec=quillon\n", true},
        {"[Desktop Entry]\nExec=quillon\nHidden=true\n", false},
        {"[Desktop Entry]\nExec=quillon\nHidden = true\r\n", false},
        {"[Desktop Entry]\nExec=quillon\nHidden=false\n", true},
        {"[Desktop Entry]\nExec=quillon\nX-GNOME-Autostart-enabled=false\n", false},
        {"[Desktop Entry]\nExec=quillon\nX-GNOME-Autostart-enabled=true\n", true},
        {"[Desktop Entry]\nExec=quillon\n[Desktop Action Hide]\nHidden=true\n", true},
        {"# Hidden=true\n[Desktop Entry]\nExec=quillon\n", true},
        {"", true},
    };
    const Autostart autostart = Autostart::forThisUser();
    fs::create_directories(tmp.file("config/autostart"));
    for (const SwitchedCase& c : cases) {
        tmp.write("config/autostart/quillon.desktop", c.text);
        EXPECT_EQ(autostart.isOn(), c.on) << c.text;
    }
    autostart.switchOn("/usr/bin/quillon");
    EXPECT_TRUE(autostart.isOn());
}

TEST_F(AutostartTest, WhatStandsInTheWayIsReported) {
    const Autostart autostart = Autostart::forThisUser();
    fs::create_directories(tmp.file("config/autostart/quillon.desktop"));
    EXPECT_FALSE(autostart.isOn());
    EXPECT_THROW(autostart.switchOff(), FileError);
    EXPECT_THROW(autostart.switchOn("/usr/bin/quillon"), FileError);
    EXPECT_TRUE(fs::is_directory(autostart.entryPath()));

    fs::remove_all(tmp.file("config/autostart"));
    tmp.write("config/autostart", "a file where the folder belongs");
    try {
        autostart.switchOn("/usr/bin/quillon");
        ADD_FAILURE() << "switched on without a folder";
    } catch (const FileError& e) {
        EXPECT_EQ(e.path(), tmp.file("config/autostart"));
    }
}

}  // namespace
}  // namespace qln
