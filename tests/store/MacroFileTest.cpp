// The macro file on disk: bytes after load, store, remove and set active flag, and damaged or foreign files.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#include "core/FileError.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimHookLibrary.h"
#include "store/MacroFile.h"
#include "support/TempFolder.h"

namespace qln {
namespace {

class CollectNotices : public INotices {
public:
    void notice(std::string_view caption, std::string_view text) override {
        seen.push_back(std::string(caption) + ": " + std::string(text));
    }
    std::vector<std::string> seen;
};

MacroRecord user(const std::string& nick, std::uint16_t code = 7) {
    MacroRecord r;
    r.nickname = nick;
    r.hotKeyCode = code;
    r.setText("text of " + nick);
    return r;
}

std::string bytesOf(const std::vector<MacroRecord>& records) {
    std::string out;
    for (const auto& r : records) {
        const RecordBytes b = r.encode();
        out.append(b.begin(), b.end());
    }
    return out;
}

struct Fixture {
    test::TempFolder tmp;
    sim::SimClock clock{{2026, 12, 9, 10, 0, 0, 0}};
    sim::SimHookLibrary hook{&clock};
    TriggerTable table;
    MacroNames names;
    MacroTable macros{table, names, hook};
    CollectNotices notices;
    MacroFile file{macros, clock, notices};
    std::string path = tmp.file("SET.QLN");
};

TEST(MacroFile, MissingFileIsCreatedWithTheFourSystemMacros) {
    Fixture f;
    f.file.load(f.path);
    EXPECT_EQ(f.macros.count(), 4);
    EXPECT_EQ(std::filesystem::file_size(f.path), 20660u);
    EXPECT_EQ(f.file.read(3)->nickname, "Resume Pause");
    EXPECT_TRUE(f.notices.seen.empty());
}

TEST(MacroFile, EmptyFileGetsTheFourSystemMacros) {
    Fixture f;
    f.tmp.write("SET.QLN", "");
    f.file.load(f.path);
    EXPECT_EQ(f.macros.count(), 4);
    EXPECT_EQ(std::filesystem::file_size(f.path), 20660u);
}

TEST(MacroFile, UserMacrosKeepTheirPlaceAndSystemMacrosFollow) {
    Fixture f;
    f.tmp.write("SET.QLN", bytesOf({user("a"), user("b")}));
    f.file.load(f.path);
    ASSERT_EQ(f.macros.count(), 6);
    EXPECT_EQ(f.macros.nickname(1), "a");
    EXPECT_EQ(f.macros.nickname(3), "Activate Quillon");
    EXPECT_EQ(f.macros.nickname(6), "Menu of Macros for Top Most Window");
    EXPECT_EQ(f.tmp.read("SET.QLN").substr(0, 2 * 5165), bytesOf({user("a"), user("b")}));
}

TEST(MacroFile, StoreWritesTheRecordAtItsPlace) {
    Fixture f;
    f.file.load(f.path);
    f.macros.setCount(5);
    f.file.store(5, user("five"));
    f.file.store(2, user("two"));
    const std::string bytes = f.tmp.read("SET.QLN");
    ASSERT_EQ(bytes.size(), 5u * 5165);
    EXPECT_EQ(bytes.substr(4 * 5165), bytesOf({user("five")}));
    EXPECT_EQ(bytes.substr(5165, 5165), bytesOf({user("two")}));
    EXPECT_EQ(f.macros.nickname(2), "two");
    EXPECT_EQ(f.file.read(5)->text(), "text of five");
}

TEST(MacroFile, RemoveShiftsLaterRecordsDown) {
    Fixture f;
    std::vector<MacroRecord> ten;
    for (int i = 1; i <= 10; ++i) ten.push_back(user("m" + std::to_string(i)));
    f.tmp.write("SET.QLN", bytesOf(ten));
    f.file.load(f.path);  // appends the four system macros: 14 records
    const std::string before = f.tmp.read("SET.QLN");
    ASSERT_TRUE(f.file.remove(1));
    EXPECT_EQ(f.tmp.read("SET.QLN"), before.substr(5165));
    ASSERT_TRUE(f.file.remove(13));  // the last one: nothing moves
    EXPECT_EQ(f.tmp.read("SET.QLN"), before.substr(5165, 12 * 5165));
    EXPECT_FALSE(f.file.remove(13));
    EXPECT_FALSE(f.file.remove(0));
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.tmp.path()), {}), 1);
}

TEST(MacroFile, SetActiveFlagRewritesOneByte) {
    Fixture f;
    f.file.load(f.path);
    const std::string before = f.tmp.read("SET.QLN");
    ASSERT_TRUE(f.file.setActiveFlag(2, 0));
    std::string expected = before;
    expected[5165 + 97] = 0;
    EXPECT_EQ(f.tmp.read("SET.QLN"), expected);
    EXPECT_FALSE(f.file.setActiveFlag(9, 0));
}

// What is no macro file (a text given to /F, a picture, a macro file cut short) is refused as a whole: neither
// loaded nor ever written, so the system macro repair cannot write over its end.
TEST(MacroFile, AFileThatIsNoMacroFileIsRefusedAndNeverWritten) {
    std::string text;
    while (text.size() < 12090) text += "Notes of a Tuesday: call the dentist, water the plants, buy bread.\n";
    std::mt19937 random(17);
    std::string noise(3 * 5165, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    struct Case {
        const char* name;
        std::string bytes;
        std::string reason;  // after "this is no macro file: "; a prefix when it ends in "("
    };
    const std::vector<Case> cases{
        {"a text", text.substr(0, 12090), "its size, 12090 bytes, is no whole number of 5165-byte macro records"},
        {"a macro file cut short", bytesOf({user("a")}) + std::string(100, 'x'),
         "its size, 5265 bytes, is no whole number of 5165-byte macro records"},
        {"a text the size of two records", text.substr(0, 2 * 5165),
         "record 1 is no macro record (nickname: length byte 78 is larger than the field's 50 characters)"},
        {"a record of zeros behind a macro", bytesOf({user("a")}) + std::string(5165, '\0'),
         "record 2 is no macro record (scope kind: 0 is outside 1 to 5)"},
        {"random bytes", noise, "record 1 is no macro record ("},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.tmp.write("SET.QLN", c.bytes);
        const std::string start = f.path + ": this is no macro file: " + c.reason;
        const std::string refusal = f.file.refusal(f.path);
        EXPECT_TRUE(refusal.starts_with(start)) << refusal;
        EXPECT_TRUE(refusal.ends_with(".  It was not loaded and is left as it is.")) << refusal;
        if (!c.reason.ends_with("(")) {
            EXPECT_EQ(refusal, start + ".  It was not loaded and is left as it is.");
        }
        f.file.load(f.path);
        EXPECT_TRUE(f.file.refused());
        EXPECT_EQ(f.macros.count(), 0);
        EXPECT_EQ(f.notices.seen, std::vector<std::string>{"Error: " + refusal});
        f.notices.seen.clear();
        EXPECT_FALSE(f.file.store(1, user("x")));
        EXPECT_EQ(f.notices.seen, std::vector<std::string>{"Error: Saving of keystrokes failed.  " + refusal});
        EXPECT_FALSE(f.file.remove(1));
        EXPECT_FALSE(f.file.setActiveFlag(1, 0));
        EXPECT_FALSE(f.file.read(1));
        EXPECT_EQ(f.tmp.read("SET.QLN"), c.bytes);
    }
}

TEST(MacroFile, MacroFilesAreNotRefused) {
    for (const std::string& bytes : {std::string(), bytesOf({user("a")}), bytesOf({systemMacro('1', 0)})}) {
        Fixture f;
        f.tmp.write("SET.QLN", bytes);
        EXPECT_EQ(f.file.refusal(f.path), "");
        EXPECT_EQ(f.file.refusal(f.tmp.file("MISSING.QLN")), "");
        f.file.load(f.path);
        EXPECT_FALSE(f.file.refused());
        EXPECT_TRUE(f.notices.seen.empty());
    }
}

TEST(MacroFile, ReadingPastTheLastRecordSaysThereIsNoSuchMacro) {
    Fixture f;
    f.file.load(f.path);
    try {
        f.file.read(5);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), f.path + ": there is no macro 5 in the file: it holds 4 macro records");
    }
}

TEST(MacroFile, MoreThanFiveHundredRecordsLoadsFiveHundredAndKeepsTheRest) {
    Fixture f;
    std::vector<MacroRecord> many;
    for (char d = '1'; d <= '4'; ++d) many.push_back(systemMacro(d, 0));
    for (int i = 0; i < 498; ++i) many.push_back(user("m" + std::to_string(i)));
    f.tmp.write("SET.QLN", bytesOf(many));
    f.file.load(f.path);
    EXPECT_EQ(f.macros.count(), 500);
    EXPECT_EQ(f.notices.seen, std::vector<std::string>{"Warning: " + f.path +
                                                       ": the file holds 502 macros; only the first 500 are loaded."});
    EXPECT_EQ(std::filesystem::file_size(f.path), 502u * 5165);
    ASSERT_TRUE(f.file.remove(1));
    EXPECT_EQ(std::filesystem::file_size(f.path), 501u * 5165);
}

TEST(MacroFile, FolderWhereTheFileShouldBe) {
    Fixture f;
    std::filesystem::create_directory(f.path);
    f.file.load(f.path);
    EXPECT_EQ(f.macros.count(), 0);
    EXPECT_EQ(f.notices.seen, std::vector<std::string>{"Error: " + f.path +
                                                       ": the macro file could not be opened: it is a folder, not a file."});
    f.notices.seen.clear();
    f.file.store(1, user("x"));
    EXPECT_EQ(f.notices.seen,
              std::vector<std::string>{"Error: Saving of keystrokes failed.  " + f.path +
                                       ": the macro file could not be opened: it is a folder, not a file."});
    EXPECT_FALSE(f.file.read(1));
    EXPECT_FALSE(f.file.remove(1));
    EXPECT_FALSE(f.file.setActiveFlag(1, 0));
    EXPECT_EQ(f.file.recordsInFile(), 0u);
    EXPECT_TRUE(std::filesystem::is_directory(f.path));
}

TEST(MacroFile, MissingFolderCannotBeCreated) {
    Fixture f;
    f.file.load(f.tmp.file("no/such/folder/SET.QLN"));
    EXPECT_EQ(f.macros.count(), 0);
    EXPECT_EQ(f.notices.seen, std::vector<std::string>{"Error: New file could not be created."});
}

TEST(MacroFile, UnreadableFileIsNeitherReplacedNorTruncated) {
    if (test::runningAsRoot()) GTEST_SKIP() << "root reads every file";
    Fixture f;
    f.tmp.write("SET.QLN", bytesOf({user("a")}));
    std::filesystem::permissions(f.path, std::filesystem::perms::none);
    f.file.load(f.path);
    EXPECT_EQ(f.macros.count(), 0);
    std::filesystem::permissions(f.path, std::filesystem::perms::owner_all);
    EXPECT_EQ(f.tmp.read("SET.QLN"), bytesOf({user("a")}));
}

TEST(MacroFile, ReadOnlyFileLoadsButRefusesChanges) {
    Fixture f;
    f.file.load(f.path);
    const std::string before = f.tmp.read("SET.QLN");
    if (!f.tmp.makeReadOnly("SET.QLN")) GTEST_SKIP() << "cannot make a file read-only here";
    f.file.load(f.path);
    EXPECT_EQ(f.macros.count(), 4);
    EXPECT_TRUE(f.notices.seen.empty());
    f.file.store(1, user("x"));
    // The file and the reason follow the design's words.
    ASSERT_EQ(f.notices.seen.size(), 1u);
    const std::string& seen = f.notices.seen[0];
    EXPECT_TRUE(seen.starts_with("Error: Saving of keystrokes failed.  " + f.path +
                                 ": the macro file could not be opened for writing: "))
        << seen;
    EXPECT_TRUE(seen.ends_with(std::string(std::strerror(test::runningAsRoot() ? EPERM : EACCES)) + ".")) << seen;
    EXPECT_FALSE(f.file.remove(1));
    EXPECT_FALSE(f.file.setActiveFlag(1, 0));
    EXPECT_EQ(f.tmp.read("SET.QLN"), before);
}

TEST(MacroFile, TruncatedRecordReadGivesAnError) {
    Fixture f;
    f.tmp.write("SET.QLN", bytesOf({user("a")}));
    f.file.load(f.path);
    f.tmp.write("SET.QLN", bytesOf({user("a")}).substr(0, 3000));
    EXPECT_THROW(f.file.read(1), FileError);
}

}  // namespace
}  // namespace qln
