// Finding a manual page: the installed manual beside the program first, then the source tree's; and the manual
// itself: every window's page is there, and its pages link only to each other.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "app/Help.h"
#include "support/TempFolder.h"

namespace qln {
namespace {

namespace fs = std::filesystem;

struct Tree {
    test::TempFolder tmp;
    std::string program = tmp.file("prefix/bin/quillon");
    std::string installed = tmp.file("prefix/share/doc/quillon/manual");
    std::string source = tmp.file("src");
    std::string inTree = tmp.file("src/docs/manual");

    Tree() {
        fs::create_directories(tmp.file("prefix/bin"));
        fs::create_directories(installed);
        fs::create_directories(inTree);
        tmp.write("prefix/bin/quillon", "");
    }
    void page(const std::string& folder, const std::string& name) const { std::ofstream(folder + "/" + name) << "x"; }
};

TEST(Help, TheInstalledManualComesFirst) {
    Tree t;
    t.page(t.installed, "tsortorder.html");
    t.page(t.inTree, "tsortorder.html");
    EXPECT_EQ(manualPagePath("tsortorder.html", t.program, t.source), t.installed + "/tsortorder.html");
}

TEST(Help, TheSourceTreeServesAProgramRunFromItsBuild) {
    Tree t;
    t.page(t.inTree, "tquickinfo.html");
    EXPECT_EQ(manualPagePath("tquickinfo.html", t.program, t.source), t.inTree + "/tquickinfo.html");
    EXPECT_EQ(manualPagePath("tquickinfo.html", "", t.source), t.inTree + "/tquickinfo.html");
}

TEST(Help, NoPageGivesNothing) {
    Tree t;
    EXPECT_EQ(manualPagePath("tquickinfo.html", t.program, t.source), "");
    EXPECT_EQ(manualPagePath("tquickinfo.html", "", ""), "");
    fs::create_directories(t.installed + "/folder.html");
    EXPECT_EQ(manualPagePath("folder.html", t.program, t.source), "");
}

TEST(Help, OnlyPlainPageNamesAreLookedUp) {
    Tree t;
    t.page(t.tmp.path(), "outside.html");
    t.page(t.inTree, "index.html");
    for (const char* name : {"", ".", "..", "../../../../outside.html", "/etc/passwd", "sub/index.html"})
        EXPECT_EQ(manualPagePath(name, t.program, t.source), "") << name;
}

TEST(Help, ARelativeProgramPathIsNotTakenForAnInstall) {
    Tree t;
    t.page(t.installed, "index.html");
    const fs::path before = fs::current_path();
    fs::current_path(t.tmp.file("prefix"));
    EXPECT_EQ(manualPagePath("index.html", "bin/quillon", ""), "");
    fs::current_path(before);
}

// The source tree this test was built from.
std::string sourceFolder() {
    return fs::path(QLN_TEST_DATA_DIR).parent_path().parent_path().string();
}

TEST(Manual, EveryWindowWithAHelpButtonHasItsPage) {
    for (const char* page : {"index.html", "tmainwin.html", "tsortorder.html", "tquickinfo.html", "tdoappear.html",
                             "tnetworkconsiderations.html", "tpausemacro.html", "tontopmessage.html",
                             "trepeatprompt.html", "tray.html", "commandline.html", "language.html", "autostart.html",
                             "tsnipwordoptions.html", "tdoamenu.html", "tsystemkeys.html", "tdovexmap.html",
                             "tdoswapspecial.html"})
        EXPECT_NE(manualPagePath(page, "", sourceFolder()), "") << page;
}

std::string readText(const fs::path& path) {
    std::ifstream in(path);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(Manual, PagesLinkOnlyToEachOtherAndRunNoScript) {
    const fs::path manual = fs::path(sourceFolder()) / "docs" / "manual";
    const std::regex reference(R"re((href|src)\s*=\s*"([^"]*)")re", std::regex::icase);
    int pages = 0;
    for (const auto& entry : fs::directory_iterator(manual)) {
        if (entry.path().extension() != ".html") continue;
        ++pages;
        const std::string text = readText(entry.path());
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(text.find("<script"), std::string::npos) << name;
        EXPECT_NE(text.find("href=\"quillon.css\""), std::string::npos) << name << " has no style sheet";
        for (std::sregex_iterator it(text.begin(), text.end(), reference), end; it != end; ++it) {
            const std::string target = (*it)[2].str();
            EXPECT_EQ(target.find(':'), std::string::npos) << name << " reaches outside the manual: " << target;
            const auto hash = target.find('#');
            const std::string file = target.substr(0, hash);
            if (!file.empty() && !fs::is_regular_file(manual / file)) {
                ADD_FAILURE() << name << " links to " << target;
                continue;
            }
            if (hash == std::string::npos) continue;
            const std::string anchor = "id=\"" + target.substr(hash + 1) + "\"";
            const std::string linked = file.empty() ? text : readText(manual / file);
            EXPECT_NE(linked.find(anchor), std::string::npos) << name << " links to " << target;
        }
    }
    EXPECT_GE(pages, 18);
}

}  // namespace
}  // namespace qln
