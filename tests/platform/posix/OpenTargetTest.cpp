#include "platform/posix/OpenTarget.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempFolder.h"

namespace qln {
namespace {

using Args = std::vector<std::string>;

struct SplitCase {
    const char* line;
    Args expected;
};

class SplitArguments : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitArguments, AsWindowsProgramsReadTheirCommandLine) {
    EXPECT_EQ(splitArguments(GetParam().line), GetParam().expected) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitArguments,
    ::testing::Values(SplitCase{"", {}}, SplitCase{"   \t ", {}}, SplitCase{"c:\\readme.txt", {"c:\\readme.txt"}},
                      SplitCase{"a  b\tc", {"a", "b", "c"}},
                      SplitCase{"\"My Documents\\a b.txt\" -x", {"My Documents\\a b.txt", "-x"}},
                      SplitCase{"pre\"fix mid\"post", {"prefix midpost"}}, SplitCase{"\"\"", {""}},
                      SplitCase{"a \"\" b", {"a", "", "b"}}, SplitCase{"\\\"quoted\\\"", {"\"quoted\""}},
                      SplitCase{"x\\\\\"y z\"", {"x\\y z"}}, SplitCase{"x\\\\\\\"y", {"x\\\"y"}},
                      SplitCase{"a\\\\b c\\", {"a\\\\b", "c\\"}}, SplitCase{"\"say \"\"hi\"\"\"", {"say \"hi\""}},
                      SplitCase{"\"open to the end", {"open to the end"}}));

class PlanOpen : public ::testing::Test {
protected:
    PlanOpen() {
        folder.write("tool", "#!/bin/sh\n");
        folder.write("notepad", "#!/bin/sh\n");
        folder.write("readme.txt", "text");
        std::filesystem::permissions(folder.file("tool"), std::filesystem::perms::owner_all);
        std::filesystem::permissions(folder.file("notepad"), std::filesystem::perms::owner_all);
        std::filesystem::create_directory(folder.file("sub"));
        path = "/nonexistent:" + folder.path();
    }
    test::TempFolder folder;
    std::string path;
};

TEST_F(PlanOpen, ProgramsStartDirectlyWithTheirArguments) {
    const OpenPlan byName = planOpen("tool", "-a \"b c\"", path);
    EXPECT_TRUE(byName.program);
    EXPECT_EQ(byName.file, folder.file("tool"));
    EXPECT_EQ(byName.arguments, (Args{"-a", "b c"}));

    const OpenPlan byPath = planOpen(folder.file("tool"), "", path);
    EXPECT_TRUE(byPath.program);
    EXPECT_EQ(byPath.file, folder.file("tool"));
    EXPECT_TRUE(byPath.arguments.empty());
}

TEST_F(PlanOpen, ExeNamesFallBackToTheNameWithoutExtension) {
    const OpenPlan plan = planOpen("NotePad.EXE", "c:\\readme.txt", "/nonexistent:" + folder.path());
    // Names on this file system keep their case: only the extension is dropped.
    EXPECT_FALSE(plan.program);
    const OpenPlan exact = planOpen("notepad.exe", "c:\\readme.txt", path);
    EXPECT_TRUE(exact.program);
    EXPECT_EQ(exact.file, folder.file("notepad"));
    EXPECT_EQ(exact.arguments, (Args{"c:\\readme.txt"}));
}

struct HandlerCase {
    const char* target;
    const char* opened;
};

TEST_F(PlanOpen, DocumentsFoldersAndAddressesGoToTheOpener) {
    const std::string doc = folder.file("readme.txt"), sub = folder.file("sub");
    const HandlerCase cases[] = {
        {"http://example.org/a?b=c", "http://example.org/a?b=c"},
        {"ftp://files.example.org", "ftp://files.example.org"},
        {"HTTPS://example.org/tool", "HTTPS://example.org/tool"},
        {"file:///usr/share/doc", "file:///usr/share/doc"},
        {"WWW.example.org", "http://WWW.example.org"},
        {"mailto:someone@example.org", "mailto:someone@example.org"},
        {doc.c_str(), doc.c_str()},
        {sub.c_str(), sub.c_str()},
        {"readme.txt", "readme.txt"},        // not a program anywhere in PATH
        {"no-such-program", "no-such-program"},
        {"c:\\windows\\notepad.exe", "c:\\windows\\notepad.exe"},
    };
    for (const auto& c : cases) {
        const OpenPlan plan = planOpen(c.target, "ignored", path);
        EXPECT_FALSE(plan.program) << c.target;
        EXPECT_EQ(plan.file, c.opened);
        EXPECT_TRUE(plan.arguments.empty()) << c.target;
    }
}

TEST_F(PlanOpen, RelativePathsAreTakenFromTheCurrentFolder) {
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    const OpenPlan program = planOpen("./tool", "x", "/nonexistent");
    const OpenPlan document = planOpen("sub/../readme.txt", "x", "/nonexistent");
    std::filesystem::current_path(before);
    EXPECT_TRUE(program.program);
    EXPECT_EQ(program.file, folder.file("./tool"));
    EXPECT_EQ(program.arguments, (Args{"x"}));
    EXPECT_FALSE(document.program);
    EXPECT_EQ(document.file, "sub/../readme.txt");
}

TEST_F(PlanOpen, FindProgramTakesOnlyExecutableFiles) {
    EXPECT_EQ(findProgram("tool", path), folder.file("tool"));
    EXPECT_EQ(findProgram("readme.txt", path), "");
    EXPECT_EQ(findProgram("sub", path), "");
    EXPECT_EQ(findProgram("", path), "");
    EXPECT_EQ(findProgram("sh", "/nonexistent::/bin"), "/bin/sh");
}

}  // namespace
}  // namespace qln
