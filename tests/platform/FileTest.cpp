// The file interface: transfers at offsets, what it refuses and why, exclusive creation, and atomic replacement.
#include "platform/File.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#endif

#include <filesystem>

#include "support/TempFolder.h"

namespace qln {
namespace {

namespace fs = std::filesystem;

std::string pattern(std::size_t size) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return s;
}

std::size_t filesIn(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(File, ReadAtStopsOnlyWhereTheFileEnds) {
    test::TempFolder tmp;
    tmp.write("f", pattern(120));
    const File file = File::open(tmp.file("f"), FileAccess::Read);
    ASSERT_TRUE(file) << file.reason();
    std::string out(100, '?');
    auto* bytes = reinterpret_cast<std::uint8_t*>(out.data());
    EXPECT_EQ(file.readAt(10, {bytes, 100}), 100u);
    EXPECT_EQ(out, pattern(120).substr(10, 100));
    EXPECT_EQ(file.readAt(90, {bytes, 100}), 30u);
    EXPECT_EQ(out.substr(0, 30), pattern(120).substr(90));
    EXPECT_EQ(file.readAt(120, {bytes, 100}), 0u);
    EXPECT_EQ(file.readAt(5000, {bytes, 100}), 0u);
}

TEST(File, ReadAllGivesEveryByteAcrossItsBuffer) {
    test::TempFolder tmp;
    for (const std::size_t size : {0u, 1u, 65535u, 65536u, 65537u, 200001u}) {
        tmp.write("f", pattern(size));
        const File file = File::open(tmp.file("f"), FileAccess::Read);
        EXPECT_EQ(file.readAll(), pattern(size)) << size;
        EXPECT_EQ(file.size(), size);
    }
}

TEST(File, WriteAtPutsBytesInPlaceAndFillsAGapWithZeros) {
    test::TempFolder tmp;
    tmp.write("f", "abcdef");
    File file = File::open(tmp.file("f"), FileAccess::ReadWrite);
    file.writeAt(2, "XY");
    file.writeAt(8, "Z");
    file.flush();
    EXPECT_EQ(file.size(), 9u);
    File moved = std::move(file);
    EXPECT_FALSE(file.isOpen());
    moved.close();
    EXPECT_EQ(tmp.read("f"), std::string("abXYef\0\0Z", 9));
}

TEST(File, MissingFileIsNamedAndNotCreated) {
    test::TempFolder tmp;
    const File file = File::open(tmp.file("none"), FileAccess::ReadWrite);
    EXPECT_FALSE(file);
    EXPECT_EQ(file.problem(), FileProblem::Missing);
    EXPECT_EQ(file.failure().path(), tmp.file("none"));
    EXPECT_FALSE(file.reason().empty());
    EXPECT_FALSE(fs::exists(tmp.file("none")));
}

TEST(File, FoldersPipesAndDevicesAreRefusedWithAReason) {
    test::TempFolder tmp;
    fs::create_directory(tmp.file("folder"));
    struct Case {
        std::string path;
        FileProblem problem;
        const char* reason;
    };
    std::vector<Case> cases = {{tmp.file("folder"), FileProblem::Folder, "is a folder, not a file"}};
#ifndef _WIN32
    // A pipe nobody writes to must not hold up the open.
    ASSERT_EQ(::mkfifo(tmp.file("pipe").c_str(), 0600), 0);
    cases.push_back({tmp.file("pipe"), FileProblem::NotRegular, "is not a regular file"});
    cases.push_back({"/dev/null", FileProblem::NotRegular, "is not a regular file"});
#endif
    for (const Case& c : cases) {
        for (const FileAccess access : {FileAccess::Read, FileAccess::Write, FileAccess::ReadWrite}) {
            const File file = File::open(c.path, access, FileCreate::IfMissing);
            EXPECT_FALSE(file) << c.path;
            EXPECT_EQ(file.problem(), c.problem) << c.path;
            EXPECT_EQ(file.reason(), c.reason) << c.path;
        }
    }
    const std::size_t entries = filesIn(tmp.path());
    for (const char* name : {"folder", "pipe"}) {
        if (!fs::exists(fs::symlink_status(tmp.file(name)))) continue;
        try {
            replaceFileAtomically(tmp.file(name), "x");
            ADD_FAILURE() << name << " was replaced";
        } catch (const FileError& e) {
            EXPECT_EQ(e.path(), tmp.file(name));
            EXPECT_EQ(e.reason(), name == std::string("folder") ? "is a folder, not a file" : "is not a regular file");
        }
    }
    EXPECT_EQ(filesIn(tmp.path()), entries);
}

TEST(File, ExclusiveCreationFailsOnAnythingAlreadyThere) {
    test::TempFolder tmp;
    tmp.write("old", "keep");
    fs::create_directory(tmp.file("folder"));
    for (const char* name : {"old", "folder"}) {
        const File file = File::open(tmp.file(name), FileAccess::Write, FileCreate::Exclusive);
        EXPECT_FALSE(file) << name;
        EXPECT_EQ(file.problem(), FileProblem::Exists) << name;
    }
    EXPECT_EQ(tmp.read("old"), "keep");
    File fresh = File::open(tmp.file("new"), FileAccess::Write, FileCreate::Exclusive);
    ASSERT_TRUE(fresh) << fresh.reason();
    EXPECT_EQ(fresh.size(), 0u);
}

TEST(File, CreateIfMissingNeverTruncates) {
    test::TempFolder tmp;
    tmp.write("old", "content");
    File file = File::open(tmp.file("old"), FileAccess::Write, FileCreate::IfMissing);
    file.writeAt(0, "C");
    file.close();
    EXPECT_EQ(tmp.read("old"), "Content");
    EXPECT_TRUE(File::open(tmp.file("new"), FileAccess::Write, FileCreate::IfMissing));
    EXPECT_EQ(fs::file_size(tmp.file("new")), 0u);
}

TEST(File, ReplaceKeepsThePermissionBitsAndLeavesOneFile) {
    using P = fs::perms;
    for (const P perms : {P::owner_read | P::owner_write, P::owner_read | P::owner_write | P::group_read,
                          P::owner_all | P::group_read | P::group_exec | P::others_read | P::others_exec}) {
        test::TempFolder tmp;
        tmp.write("f", "old");
        fs::permissions(tmp.file("f"), perms);
        replaceFileAtomically(tmp.file("f"), "new content");
        EXPECT_EQ(tmp.read("f"), "new content");
        EXPECT_EQ(fs::status(tmp.file("f")).permissions(), perms);
        EXPECT_EQ(filesIn(tmp.path()), 1u);
    }
    test::TempFolder tmp;
    replaceFileAtomically(tmp.file("new"), "x");
    EXPECT_EQ(fs::status(tmp.file("new")).permissions(),
              P::owner_read | P::owner_write | P::group_read | P::others_read);
}

#ifndef _WIN32
TEST(File, FailedReplaceLeavesTheOldFileAndNoTemporaryFile) {
    test::TempFolder tmp;
    tmp.write("f", "old");
    fs::permissions(tmp.file("f"), fs::perms::owner_read | fs::perms::owner_write);
    // The file size limit cuts the temporary file short: the first write stops part-way, the next one fails.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 100000;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(replaceFileAtomically(tmp.file("f"), pattern(300000)), FileError);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(tmp.read("f"), "old");
    EXPECT_EQ(fs::status(tmp.file("f")).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(filesIn(tmp.path()), 1u);
}
#endif

TEST(File, InfoTouchAndRemove) {
    test::TempFolder tmp;
    tmp.write("f", "12345");
    fs::create_directory(tmp.file("folder"));
    EXPECT_EQ(fileInfo(tmp.file("none")).kind, FileKind::Missing);
    EXPECT_FALSE(fileInfo(tmp.file("none")).exists());
    EXPECT_EQ(fileInfo(tmp.file("folder")).kind, FileKind::Folder);
    EXPECT_EQ(fileInfo(tmp.file("f")).kind, FileKind::Regular);
    EXPECT_EQ(fileInfo(tmp.file("f")).size, 5u);

    const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365);
    fs::last_write_time(tmp.file("f"), longAgo);
    const std::int64_t before = fileInfo(tmp.file("f")).modifiedNs;
    ASSERT_TRUE(touchFile(tmp.file("f")));
    EXPECT_GT(fileInfo(tmp.file("f")).modifiedNs - before, 364LL * 24 * 3600 * 1000000000LL);
    EXPECT_FALSE(touchFile(tmp.file("none")));
    EXPECT_FALSE(fs::exists(tmp.file("none")));

    EXPECT_FALSE(removeFile(tmp.file("folder")));
    EXPECT_TRUE(fs::is_directory(tmp.file("folder")));
    EXPECT_TRUE(removeFile(tmp.file("f")));
    EXPECT_FALSE(fs::exists(tmp.file("f")));
    EXPECT_FALSE(removeFile(tmp.file("f")));
}

}  // namespace
}  // namespace qln
