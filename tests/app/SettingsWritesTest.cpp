// Writing the settings: a file the user made read-only is left as it is and said so once a run; a failure while
// the program ends asks nobody anything, goes to stderr and is told at the next start; the start's messages end
// their sentences.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/SettingsAtStart.h"
#include "app/TMainWin.h"
#include "core/SettingsFile.h"
#include "platform/sim/SimDesktop.h"
#include "support/TempFolder.h"

namespace qln {
namespace {

namespace fs = std::filesystem;

class CollectNotices : public INotices {
public:
    void notice(std::string_view caption, std::string_view text) override {
        seen.push_back(std::string(caption) + ": " + std::string(text));
    }
    std::vector<std::string> seen;
};

struct Program {
    test::TempFolder tmp;
    Paths paths = Paths::at(tmp.file("config"), tmp.file("data"));
    sim::SimDesktop desktop{{}};
    CollectNotices notices;
    std::unique_ptr<TMainWin> main;

    void start() {
        main = std::make_unique<TMainWin>(paths, Settings{}, desktop.hook(), desktop.clock(), desktop.pump(), notices);
        main->loadCurrentFile();
    }
    // What the window's closing printed on stderr.
    std::string close() {
        testing::internal::CaptureStderr();
        main->FormClose();
        return testing::internal::GetCapturedStderr();
    }
    std::string settingsFile() const { return paths.settingsFile(); }
};

// Makes the folder refuse new files, root included; false when the file system cannot.
bool makeFolderReadOnly(const std::string& folder) {
    if (!test::runningAsRoot()) {
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
        return true;
    }
    return std::system(("chattr +i '" + folder + "' 2>/dev/null").c_str()) == 0;
}
void makeFolderWritable(const std::string& folder) {
    if (test::runningAsRoot()) std::system(("chattr -i '" + folder + "' 2>/dev/null").c_str());
    fs::permissions(folder, fs::perms::owner_all);
}

TEST(SettingsWrites, AFailureAtTheEndGoesToStderrAndToTheNextStartNeverToAMessageBox) {
    const std::string refused = std::strerror(test::runningAsRoot() ? EPERM : EACCES);
    struct Case {
        const char* name;
        std::function<bool(Program&)> make;  // false: cannot be made here
        std::string reason;
    };
    const std::vector<Case> cases{
        {"a pipe", [](Program& p) { return ::mkfifo(p.settingsFile().c_str(), 0600) == 0; }, "is not a regular file"},
        {"a folder", [](Program& p) { return fs::create_directory(p.settingsFile()); }, "is a folder, not a file"},
        {"a link to /dev/zero",
         [](Program& p) {
             fs::create_symlink("/dev/zero", p.settingsFile());
             return true;
         },
         "is not a regular file"},
        {"a file over 64 MiB",
         [](Program& p) {
             p.tmp.write("config/QUILN.INI", "[Misc]\n");
             fs::resize_file(p.settingsFile(), (64u << 20) + 1);
             return true;
         },
         "is too large (67108865 bytes; at most 67108864 are read)"},
        {"a read-only folder",
         [](Program& p) {
             p.tmp.write("config/QUILN.INI", "[Misc]\nShow Date=Yes\n");
             return makeFolderReadOnly(p.tmp.file("config"));
         },
         "cannot write beside it: " + refused},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program p;
        p.start();
        if (!c.make(p)) {
            ADD_FAILURE() << "cannot make " << c.name;
            continue;
        }
        const std::string said = p.close();
        makeFolderWritable(p.tmp.file("config"));
        EXPECT_TRUE(p.notices.seen.empty()) << p.notices.seen.front();
        EXPECT_EQ(said, "quillon: the settings were not saved: " + p.settingsFile() + ": " + c.reason + "\n");
        // The next start, with the file in order again, tells the user once.
        std::error_code ec;
        fs::remove(p.settingsFile(), ec);
        CollectNotices next;
        readSettingsAtStart(p.paths, next);
        EXPECT_EQ(next.seen, std::vector<std::string>{"Error: The settings were not saved when Quillon last ended: " +
                                                      p.settingsFile() + ": " + c.reason + "."});
        CollectNotices after;
        readSettingsAtStart(p.paths, after);
        EXPECT_TRUE(after.seen.empty());
    }
}

TEST(SettingsWrites, AFileTheUserMadeReadOnlyIsKeptAndThatIsSaidOnceARun) {
    Program p;
    p.tmp.write("config/QUILN.INI", "[Misc]\nUse Tray=Yes\n");
    p.start();
    if (!p.tmp.makeReadOnly("config/QUILN.INI")) GTEST_SKIP() << "cannot make a file read-only here";
    p.main->settings().showDate = true;
    EXPECT_NO_THROW(p.main->writeSettings());
    EXPECT_NO_THROW(p.main->writeSettings());
    EXPECT_EQ(p.notices.seen, std::vector<std::string>{"Error: The settings were not saved: " + p.settingsFile() +
                                                       ": the file is read-only.  Quillon leaves it as it is and saves "
                                                       "no settings while it runs."});
    EXPECT_EQ(p.close(), "quillon: the settings were not saved: " + p.settingsFile() + ": the file is read-only\n");
    EXPECT_EQ(p.notices.seen.size(), 1u);
    EXPECT_EQ(p.tmp.read("config/QUILN.INI"), "[Misc]\nUse Tray=Yes\n");
    // The user's own choice: the next start does not complain of it.
    CollectNotices next;
    readSettingsAtStart(p.paths, next);
    EXPECT_TRUE(next.seen.empty());
}

TEST(SettingsWrites, SettingsThatCannotBeReadAreNamedInAWholeSentence) {
    Program p;
    fs::create_directory(p.settingsFile());
    CollectNotices start;
    readSettingsAtStart(p.paths, start);
    EXPECT_EQ(start.seen, std::vector<std::string>{"Error: " + p.settingsFile() +
                                                   ": is a folder, not a file.  Quillon starts with the default "
                                                   "settings."});
}

}  // namespace
}  // namespace qln
