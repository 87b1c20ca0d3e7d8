// qlntool new and list.
#include <gtest/gtest.h>

#include <algorithm>

#include "QlntoolRunner.h"
#include "support/TempFolder.h"

namespace {

using qln::test::qlntool;

TEST(New, CreatesTheFourSystemMacrosAndListShowsThem) {
    qln::test::TempFolder tmp;
    const std::string path = tmp.file("Mine.QLN");
    const auto made = qlntool({"new", path});
    EXPECT_EQ(made.code, 0) << made.err;
    EXPECT_EQ(std::filesystem::file_size(path), 20660u);
    const auto listed = qlntool({"list", path});
    EXPECT_EQ(listed.code, 0);
    EXPECT_EQ(listed.out,
              "1\tCtrl+Alt+Shift+W\tActivate Quillon\tSYSTEM\tactive\n"
              "2\tCtrl+Alt+Shift+X\tStart / Stop Capture\tSYSTEM\tactive\n"
              "3\tCtrl+Alt+Shift+Y\tResume Pause\tSYSTEM\tactive\n"
              "4\tCtrl+Alt+Shift+Z\tMenu of Macros for Top Most Window\tSYSTEM\tactive\n");
    EXPECT_EQ(listed.err, "");
}

TEST(New, RefusesAnExistingFileAndOtherNames) {
    qln::test::TempFolder tmp;
    tmp.write("Old.QLN", "precious");
    const auto again = qlntool({"new", tmp.file("Old.QLN")});
    EXPECT_EQ(again.code, 1);
    EXPECT_NE(again.err.find("already exists"), std::string::npos);
    EXPECT_EQ(tmp.read("Old.QLN"), "precious");
    EXPECT_EQ(qlntool({"new", tmp.file("Mine.TXT")}).code, 1);
    EXPECT_EQ(qlntool({"new", tmp.file("no/folder/Mine.QLN")}).code, 1);
    EXPECT_EQ(qlntool({"new"}).code, 2);
}

struct Damaged {
    const char* name;
    std::size_t keepBytes;  // of a four-record file; 0 keeps all and appends instead
    std::string extra;
    const char* message;
    int lines;
};

TEST(List, DamagedFilesNameTheFileAndTheProblem) {
    const Damaged cases[] = {
        {"Truncated", 6000, "", ": the file ends in a partial macro record of 835 bytes", 1},
        {"Empty", 1, "", ": the file ends in a partial macro record of 1 bytes", 0},
        {"BadScope", 0, std::string(95, 'x') + std::string("\x63\x00", 2) + std::string(5068, '\0'),
         ": macro 5 is damaged: its scope kind is 99", 4},
    };
    for (const Damaged& c : cases) {
        qln::test::TempFolder tmp;
        const std::string path = tmp.file("Bad.QLN");
        ASSERT_EQ(qlntool({"new", path}).code, 0);
        std::string bytes = tmp.read("Bad.QLN");
        bytes = c.keepBytes ? bytes.substr(0, c.keepBytes) : bytes + c.extra;
        tmp.write("Bad.QLN", bytes);
        const auto r = qlntool({"list", path});
        EXPECT_EQ(r.code, 1) << c.name;
        EXPECT_NE(r.err.find(path + c.message), std::string::npos) << c.name << ": " << r.err;
        EXPECT_EQ(static_cast<int>(std::count(r.out.begin(), r.out.end(), '\n')), c.lines) << c.name;
        EXPECT_EQ(tmp.read("Bad.QLN"), bytes) << "list must not change the file";
    }
}

TEST(List, MissingFileAndFolder) {
    qln::test::TempFolder tmp;
    const auto missing = qlntool({"list", tmp.file("None.QLN")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find(tmp.file("None.QLN")), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(tmp.file("None.QLN")));
    EXPECT_EQ(qlntool({"list", tmp.path()}).code, 1);
}

TEST(List, MoreThanFiveHundredMacros) {
    qln::test::TempFolder tmp;
    const std::string path = tmp.file("Big.QLN");
    ASSERT_EQ(qlntool({"new", path}).code, 0);
    const std::string four = tmp.read("Big.QLN");
    std::string many;
    for (int i = 0; i < 126; ++i) many += four;  // 504 records
    tmp.write("Big.QLN", many);
    const auto r = qlntool({"list", path});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("holds 504 macros"), std::string::npos);
}

}  // namespace
