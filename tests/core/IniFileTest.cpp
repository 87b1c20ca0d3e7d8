// The profile file keeps what it does not know and finds keys without regard to case.
#include <gtest/gtest.h>

#include "core/IniFile.h"

namespace qln {
namespace {

TEST(IniFile, LookupIgnoresCaseAndBlanksAndQuotes) {
    const IniFile f = IniFile::parse("; mine\n[Misc]\n  Use Tray =  Yes  \nName=\"Quoted value\"\n[Other]\nUse Tray=No\n");
    EXPECT_EQ(f.get("misc", "use tray"), "Yes");
    EXPECT_EQ(f.get("MISC", "name"), "Quoted value");
    EXPECT_EQ(f.get("Other", "Use Tray"), "No");
    EXPECT_EQ(f.get("Misc", "Missing"), std::nullopt);
    EXPECT_EQ(f.get("Nowhere", "Use Tray"), std::nullopt);
}

TEST(IniFile, SetReplacesInPlaceAppendsToItsSectionOrAddsTheSection) {
    IniFile f = IniFile::parse("; my notes\n[Misc]\nUse Tray=No\nMine=1\n\n[Custom]\nx=y\n");
    f.set("misc", "USE TRAY", "Yes");
    f.set("Misc", "Show Date", "No");
    f.set("Network", "Network Mode", "No");
    EXPECT_EQ(f.serialize(),
              "; my notes\n[Misc]\nUSE TRAY=Yes\nMine=1\nShow Date=No\n\n[Custom]\nx=y\n\n[Network]\nNetwork Mode=No\n");
}

TEST(IniFile, KeepsWindowsLineEnds) {
    IniFile f = IniFile::parse("[A]\r\nk=1\r\n");
    f.set("A", "k", "2");
    EXPECT_EQ(f.serialize(), "[A]\r\nk=2\r\n");
}

TEST(IniFile, LeadingByteOrderMarkHidesNoSectionAndIsWrittenBack) {
    IniFile f = IniFile::parse("\xEF\xBB\xBF[Misc]\r\nUse Tray=Yes\r\n");
    EXPECT_EQ(f.get("Misc", "Use Tray"), "Yes");
    f.set("Misc", "Show Date", "No");
    EXPECT_EQ(f.serialize(), "\xEF\xBB\xBF[Misc]\r\nUse Tray=Yes\r\nShow Date=No\r\n");
    IniFile plain = IniFile::parse("[Misc]\n");
    plain.set("Misc", "Show Date", "No");
    EXPECT_EQ(plain.serialize(), "[Misc]\nShow Date=No\n");
}

// Reading takes the blanks around a value and one pair of quotes away: values that would lose them are quoted.
TEST(IniFile, EveryValueReadsBackAsItWasSet) {
    struct Case {
        std::string value, line;
    };
    const std::vector<Case> cases{
        {"/home/u/set.QLN", "k=/home/u/set.QLN"},
        {" /home/u/set.QLN", "k=\" /home/u/set.QLN\""},
        {"/home/u/set.QLN ", "k=\"/home/u/set.QLN \""},
        {"\t tabbed", "k=\"\t tabbed\""},
        {"\"/home/u/quoted.QLN\"", "k=\"\"/home/u/quoted.QLN\"\""},
        {"'single'", "k=\"'single'\""},
        {"\"open", "k=\"open"},
        {"in \"the\" middle", "k=in \"the\" middle"},
        {"\"", "k=\""},
        {"", "k="},
    };
    for (const Case& c : cases) {
        IniFile f;
        f.set("S", "k", c.value);
        EXPECT_EQ(f.serialize(), "[S]\n" + c.line + "\n") << c.value;
        EXPECT_EQ(IniFile::parse(f.serialize()).get("S", "k"), c.value) << c.value;
    }
}

TEST(IniFile, EmptyFileGrowsSectionBySection) {
    IniFile f;
    f.set("A", "k", "1");
    f.set("B", "k", "2");
    f.set("A", "j", "3");
    EXPECT_EQ(f.serialize(), "[A]\nk=1\nj=3\n\n[B]\nk=2\n");
}

}  // namespace
}  // namespace qln
