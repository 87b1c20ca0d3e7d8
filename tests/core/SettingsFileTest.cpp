// The settings file: defaults, reading rules, bounds, order on write, and the user's own lines kept.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "support/TempFolder.h"
#include "core/FileError.h"
#include "core/SettingsFile.h"

namespace qln {
namespace {

struct Folders {
    test::TempFolder tmp;
    Paths paths = Paths::at(tmp.file("config"), tmp.file("data"));
};

TEST(Settings, NoFileGivesEveryDefault) {
    Folders f;
    const Settings s = loadSettingsFile(f.paths);
    Settings expected;
    expected.currentFile = f.paths.defaultMacroFile();
    EXPECT_EQ(s, expected);
    EXPECT_EQ(s.currentFile, f.tmp.file("data") + "/QUILN.QLN");
    EXPECT_FALSE(std::filesystem::exists(f.paths.settingsFile()));
}

TEST(Settings, FirstWriteCreatesTheFileInOrder) {
    Folders f;
    saveSettingsFile(loadSettingsFile(f.paths), f.paths);
    const std::string text = f.tmp.read("config/QUILN.INI");
    EXPECT_TRUE(text.starts_with("[Misc]\nSystem Menu=1\nSort Header=Yes\nPrimary Sort=123\nActivation Sort=123\n"
                                 "Scope Sort=12345\nLast Date Format=0\nLast Time Format=0\n"))
        << text;
    const char* sections[] = {"[Misc]", "[Capture]", "[Snipwords]", "[Main Window]", "[Grid Title Font]",
                              "[Grid Font]", "[Script Page]", "[Network]", "[Print List Font]", "[Scheduler]"};
    std::size_t at = 0;
    for (const char* s : sections) {
        const std::size_t found = text.find(s, at);
        ASSERT_NE(found, std::string::npos) << s;
        at = found;
    }
    EXPECT_NE(text.find("[Grid Title Font]\nColor=0\nFont Name=Arial\nSize=12\nBold=No\nItalic=No\nUnderline=No\n"
                        "Strikeout=No\n"),
              std::string::npos);
    EXPECT_NE(text.find("[Scheduler]\nUse Wave File=No\nWave File Wait=No\nWave File=\nTimer Seconds=10\n"),
              std::string::npos);
    EXPECT_EQ(loadSettingsFile(f.paths), loadSettingsFile(f.paths));
}

struct ValueCase {
    const char* section;
    const char* key;
    const char* value;
    std::function<bool(const Settings&)> check;
};

TEST(Settings, ValuesReadAsTheProfileFunctionsReadThem) {
    const ValueCase cases[] = {
        {"Misc", "Use Tray", "yes", [](const Settings& s) { return s.useTray; }},
        {"Misc", "Use Tray", "1", [](const Settings& s) { return !s.useTray; }},
        {"Misc", "Use Tray", "", [](const Settings& s) { return !s.useTray; }},
        {"Misc", "Use Tray", "Yes please", [](const Settings& s) { return !s.useTray; }},
        {"Scheduler", "Timer Seconds", "0", [](const Settings& s) { return s.timerSeconds == 10; }},
        {"Scheduler", "Timer Seconds", "61", [](const Settings& s) { return s.timerSeconds == 10; }},
        {"Scheduler", "Timer Seconds", "60", [](const Settings& s) { return s.timerSeconds == 60; }},
        {"Scheduler", "Timer Seconds", "-5", [](const Settings& s) { return s.timerSeconds == 10; }},
        {"Main Window", "Width", "640px", [](const Settings& s) { return s.mainWidth == 640; }},
        {"Main Window", "Width", "-20", [](const Settings& s) { return s.mainWidth == -20; }},
        {"Main Window", "Width", "-20px", [](const Settings& s) { return s.mainWidth == 20; }},
        {"Main Window", "Width", "px", [](const Settings& s) { return s.mainWidth == 0; }},
        {"Main Window", "Width", "99999999999999", [](const Settings& s) { return s.mainWidth == 2147483647; }},
        {"Network", "Sync Minutes", "70000", [](const Settings& s) { return s.syncMinutes == 4464; }},
        {"Misc", "Primary Sort", "32145", [](const Settings& s) { return s.primarySort == "321"; }},
        {"Snipwords", "Prefix Keys", ";;;;", [](const Settings& s) { return s.snipwordPrefixKeys == ";;"; }},
        {"Misc", "Last Date Format", "123456789012345678", [](const Settings& s) { return s.lastDateFormat == 2147483647; }},
        {"Grid Font", "Size", "  14", [](const Settings& s) { return s.gridFont.size == 14; }},
    };
    for (const ValueCase& c : cases) {
        Folders f;
        f.tmp.write("config/QUILN.INI", std::string("[") + c.section + "]\n" + c.key + "=" + c.value + "\n");
        EXPECT_TRUE(c.check(loadSettingsFile(f.paths))) << c.key << "=" << c.value;
    }
}

TEST(Settings, GarbageInEveryValueReadsWithoutHarm) {
    Folders f;
    saveSettingsFile(loadSettingsFile(f.paths), f.paths);
    std::string text = f.tmp.read("config/QUILN.INI");
    std::string garbled;
    for (std::size_t i = 0; i < text.size(); ++i) {
        garbled += text[i];
        if (text[i] == '=') garbled += std::string("\x01\xFF\"=[]garbage-9", 14) + std::string(400, 'x');
    }
    f.tmp.write("config/QUILN.INI", garbled);
    const Settings s = loadSettingsFile(f.paths);
    EXPECT_EQ(s.currentFile, f.paths.defaultMacroFile());  // no such file
    EXPECT_LE(s.lastFiles[0].size(), 254u);
    EXPECT_LE(s.primarySort.size(), 3u);
    EXPECT_EQ(s.timerSeconds, 10);
    EXPECT_FALSE(s.sortHeader);
}

struct CurrentFileCase {
    const char* name;
    std::function<void(test::TempFolder&, const std::string& path)> make;
    bool kept;
};

// Only a regular file (or a link to one) is a macro file; anything else at that path means the default set.
TEST(Settings, CurrentFileThatIsNoRegularFileFallsBackToTheDefault) {
    const CurrentFileCase cases[] = {
        {"file", [](test::TempFolder& t, const std::string&) { t.write("mine.QLN", ""); }, true},
        {"link to a file",
         [](test::TempFolder& t, const std::string& p) {
             t.write("real.QLN", "");
             std::filesystem::create_symlink(t.file("real.QLN"), p);
         },
         true},
        {"vanished", [](test::TempFolder&, const std::string&) {}, false},
        {"folder", [](test::TempFolder&, const std::string& p) { std::filesystem::create_directory(p); }, false},
        {"link to a folder",
         [](test::TempFolder& t, const std::string& p) { std::filesystem::create_directory_symlink(t.path(), p); },
         false},
        {"dangling link",
         [](test::TempFolder& t, const std::string& p) { std::filesystem::create_symlink(t.file("gone.QLN"), p); },
         false},
        {"fifo", [](test::TempFolder&, const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, false},
    };
    for (const CurrentFileCase& c : cases) {
        Folders f;
        const std::string path = f.tmp.file("mine.QLN");
        c.make(f.tmp, path);
        f.tmp.write("config/QUILN.INI", "[Misc]\nCurrent File=" + path + "\n");
        EXPECT_EQ(loadSettingsFile(f.paths).currentFile, c.kept ? path : f.paths.defaultMacroFile()) << c.name;
    }
}

TEST(Settings, RewriteKeepsTheUsersOwnLines) {
    Folders f;
    f.tmp.write("config/QUILN.INI", "; written by hand\n[misc]\nuse tray=yes\nMy Key=42\n\n[Plugins]\nfoo=bar\n");
    Settings s = loadSettingsFile(f.paths);
    EXPECT_TRUE(s.useTray);
    s.showDate = true;
    saveSettingsFile(s, f.paths);
    const std::string text = f.tmp.read("config/QUILN.INI");
    EXPECT_TRUE(text.starts_with("; written by hand\n[misc]\nUse Tray=Yes\nMy Key=42\nSystem Menu=1\nSort Header=Yes\n"))
        << text;
    EXPECT_NE(text.find("My Key=42\n"), std::string::npos);
    EXPECT_NE(text.find("[Plugins]\nfoo=bar\n"), std::string::npos);
    EXPECT_NE(text.find("Use Tray=Yes\n"), std::string::npos);
    EXPECT_NE(text.find("Show Date=Yes\n"), std::string::npos);
}

// Paths with blanks at an end or in quotes are texts like any other: they come back as they were.
TEST(Settings, TextsWithBlanksOrQuotesAtTheirEndsReadBackAsWritten) {
    for (const std::string wave : {" /home/u/set.QLN", "/home/u/set.QLN ", "\"/home/u/quoted.QLN\""}) {
        Folders f;
        Settings s = loadSettingsFile(f.paths);
        s.waveFile = wave;
        s.lastFiles[0] = wave;
        saveSettingsFile(s, f.paths);
        const Settings back = loadSettingsFile(f.paths);
        EXPECT_EQ(back.waveFile, wave);
        EXPECT_EQ(back.lastFiles[0], wave);
    }
}

TEST(Settings, AByteOrderMarkAtTheStartIsKept) {
    Folders f;
    f.tmp.write("config/QUILN.INI", "\xEF\xBB\xBF[Misc]\nUse Tray=Yes\n");
    Settings s = loadSettingsFile(f.paths);
    EXPECT_TRUE(s.useTray);
    saveSettingsFile(s, f.paths);
    const std::string text = f.tmp.read("config/QUILN.INI");
    EXPECT_TRUE(text.starts_with("\xEF\xBB\xBF[Misc]\nUse Tray=Yes\n")) << text;
    EXPECT_EQ(text.find("[Misc]", 4), std::string::npos);
}

TEST(Settings, AFailedWriteLeavesTheOldFile) {
    if (test::runningAsRoot()) GTEST_SKIP() << "root writes into read-only folders";
    Folders f;
    f.tmp.write("config/QUILN.INI", "[Misc]\nUse Tray=Yes\n");
    std::filesystem::permissions(f.tmp.file("config"), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_THROW(saveSettingsFile(Settings{}, f.paths), FileError);
    std::filesystem::permissions(f.tmp.file("config"), std::filesystem::perms::owner_all);
    EXPECT_EQ(f.tmp.read("config/QUILN.INI"), "[Misc]\nUse Tray=Yes\n");
}

TEST(Settings, AFolderThatCannotBeWrittenGivesAnErrorNamingTheFile) {
    // Even root cannot create files below /proc.
    const Paths paths{"/proc/self", "/proc/self"};
    try {
        saveSettingsFile(Settings{}, paths);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.path(), "/proc/self/QUILN.INI");
    }
}

TEST(Settings, AFolderWhereTheFileShouldBe) {
    Folders f;
    std::filesystem::create_directory(f.paths.settingsFile());
    EXPECT_THROW(loadSettingsFile(f.paths), FileError);
    try {
        saveSettingsFile(Settings{}, f.paths);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.path(), f.paths.settingsFile());
        EXPECT_EQ(e.reason(), "is a folder, not a file");
    }
}

TEST(Paths, FolderBlockedByAFile) {
    test::TempFolder tmp;
    tmp.write("blocked", "x");
    EXPECT_THROW(Paths::at(tmp.file("blocked"), tmp.file("data")), FileError);
}

}  // namespace
}  // namespace qln
