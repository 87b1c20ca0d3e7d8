// qlntool new and list.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

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
    EXPECT_EQ(qlntool({"new"}).code, 2);
}

TEST(New, AFileThatCannotBeMadeIsNamedWithTheReason) {
    qln::test::TempFolder tmp;
    const std::string path = tmp.file("no/folder/Mine.QLN");
    const auto r = qlntool({"new", path});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "qlntool: Error: New file could not be created.\nqlntool: " + path +
                         ": No such file or directory\n");
}

TEST(List, AHugeFileOrOneThatIsNoFileIsNotReadWhole) {
    qln::test::TempFolder tmp;
    { std::ofstream(tmp.file("Huge.QLN")); }
    std::filesystem::resize_file(tmp.file("Huge.QLN"), 3ULL << 30);  // sparse
    const auto huge = qlntool({"list", tmp.file("Huge.QLN")});
    EXPECT_EQ(huge.code, 1);
    EXPECT_EQ(std::count(huge.out.begin(), huge.out.end(), '\n'), 500);
    EXPECT_NE(huge.err.find("the file holds 623664 macros"), std::string::npos) << huge.err;
    const auto device = qlntool({"list", "/dev/zero"});
    EXPECT_EQ(device.code, 1);
    EXPECT_EQ(device.err, "qlntool: /dev/zero: is not a regular file\n");
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

// Set.QLN: the four records of `qlntool new` with some of their bytes replaced.
struct Poke {
    std::size_t record;
    std::size_t offset;
    std::string bytes;
};

std::string makeSet(const qln::test::TempFolder& tmp, const std::vector<Poke>& pokes) {
    EXPECT_EQ(qlntool({"new", tmp.file("Set.QLN")}).code, 0);
    std::string bytes = tmp.read("Set.QLN");
    for (const Poke& p : pokes) bytes.replace((p.record - 1) * 5165 + p.offset, p.bytes.size(), p.bytes);
    tmp.write("Set.QLN", bytes);
    return bytes;
}

TEST(List, ControlCharactersAreEscapedAndEachMacroKeepsItsLine) {
    qln::test::TempFolder tmp;
    const std::string nickname("A\tB\0C\nD\x1B[31mE\\F\x81G\xE9\r\x7F", 20);
    makeSet(tmp, {{1, 0, std::string(1, static_cast<char>(nickname.size())) + nickname},
                  {2, 51, "\x08Note\tpad"},  // window name
                  {2, 95, "\x02"},           // scope Window
                  {3, 82, "\x02s\x9D"},      // Snipword name
                  {3, 93, "\x20\x4E"},       // hot key code 20000
                  {3, 95, "\x01"}});         // scope Global
    const auto r = qlntool({"list", tmp.file("Set.QLN")});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "1\tCtrl+Alt+Shift+W\tA\\tB\\x00C\\nD\\x1B[31mE\\\\F\\x81G\xC3\xA9\\r\\x7F\tSYSTEM\tactive\n"
              "2\tCtrl+Alt+Shift+X\tStart / Stop Capture\tWindow: Note\\tpad\tactive\n"
              "3\ts\\x9D\tResume Pause\tGLOBAL\tactive\n"
              "4\tCtrl+Alt+Shift+Z\tMenu of Macros for Top Most Window\tSYSTEM\tactive\n");
    EXPECT_EQ(r.err, "");
}

TEST(List, DamagedRecordsAreReportedFieldByFieldAndStillListed) {
    qln::test::TempFolder tmp;
    const std::string bytes = makeSet(tmp, {{2, 0, "\x3C"},                       // nickname length 60 of 50
                                            {3, 93, "\x20\x03"},                  // hot key code 800
                                            {4, 95, std::string("\x63\x00", 2)},  // scope kind 99
                                            {4, 97, "\x07"}});                    // active flag 7
    const auto r = qlntool({"list", tmp.file("Set.QLN")});
    EXPECT_EQ(r.code, 1);
    std::string filler;  // a cut name is followed by the rest of its field
    for (int i = 0; i < 30; ++i) filler += "\\x00";
    const std::string second = "2\tCtrl+Alt+Shift+X\tStart / Stop Capture" + filler + "\tSYSTEM\tactive\n";
    EXPECT_EQ(r.out, "1\tCtrl+Alt+Shift+W\tActivate Quillon\tSYSTEM\tactive\n" + second +
                         "3\thot key code 800\tResume Pause\tSYSTEM\tactive\n"
                         "4\tCtrl+Alt+Shift+Z\tMenu of Macros for Top Most Window\tScope 99\tactive\n");
    const std::string macro = "qlntool: " + tmp.file("Set.QLN") + ": macro ";
    EXPECT_EQ(r.err, macro + "2 is damaged: nickname: length byte 60 is larger than the field's 50 characters\n" +
                         macro + "3 is damaged: hot key code: 800 is not one of 0 to 719, 10000 or 20000\n" + macro +
                         "4 is damaged: scope kind: 99 is outside 1 to 5\n" + macro +
                         "4 is damaged: active flag: 7 is neither 0 nor 1\n");
    EXPECT_EQ(tmp.read("Set.QLN"), bytes) << "list must not change the file";
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
