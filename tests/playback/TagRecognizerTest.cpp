// Layouts of the tags: where their fields are, where they end, and when a keyword is no tag.
#include <gtest/gtest.h>

#include "playback/TagRecognizer.h"

namespace qln {
namespace {

struct Case {
    std::string text;
    bool recognised;
    std::size_t end = 0;
    std::string a, b, c, d;
};

class Layouts : public ::testing::TestWithParam<Case> {};

TEST_P(Layouts, FieldsAndEnd) {
    const Case& c = GetParam();
    const Tag t = recognizeTag(c.text, 0);
    ASSERT_EQ(static_cast<bool>(t), c.recognised) << c.text;
    if (!c.recognised) return;
    EXPECT_EQ(t.end, c.end) << c.text;
    EXPECT_EQ(t.a, c.a) << c.text;
    EXPECT_EQ(t.b, c.b) << c.text;
    EXPECT_EQ(t.c, c.c) << c.text;
    EXPECT_EQ(t.d, c.d) << c.text;
}

const std::string k300(300, 'x');

INSTANTIATE_TEST_SUITE_P(
    Playback, Layouts,
    ::testing::Values(
        Case{"<ENTER>", true, 7}, Case{"<enter>", false}, Case{"<ENTER", false},
        Case{"<DELAY:1.5>", false}, Case{"<DELAY:001.5>", true, 13, "001.5"}, Case{"<DELAY:001.5", false},
        Case{"<SPEED:00002>x", true, 13, "00002"}, Case{"<MSD:0250>", true, 10, "0250"},
        Case{"<MSD:250>", false}, Case{"<SPKEY:0100>", true, 12, "0100"}, Case{"<SPMSE:0005>", true, 12, "0005"},
        Case{"<ALT:065>", true, 9, "065"}, Case{"<ALT4:0233>", true, 11, "0233"}, Case{"<ALT4:233>", false},
        Case{"<WFW:003>", true, 9, "003"}, Case{"<WBW:03>", false}, Case{"<REPEAT:0003>", true, 13, "0003"},
        Case{"<MMS:00100,00200>", true, 17, "00100", "00200"}, Case{"<MMW:0010,00200>", false},
        Case{"<PAUSE:900,900>", true, 15, "900", "900", ""},
        Case{"<PAUSE:010,020Take a break>x", true, 27, "010", "020", "Take a break"},
        Case{"<PAUSE:9", false}, Case{"<PAUSE>", true, 7},
        Case{"<WSIZE:0640,0480\"CURRENT\">", true, 26, "0640", "0480", "\"CURRENT\""},
        Case{"<WPOS:-010,0020Notepad>", true, 23, "-010", "0020", "Notepad"}, Case{"<WPOS:-010,002", false},
        Case{"<REM:anything>x", true, 14, "anything"}, Case{"<REM:abc", true, 8, "abc"},
        Case{"<WSHUT:" + k300 + ">z", true, 308, k300.substr(0, 255)},
        Case{"<ACTIVATE:Untitled - Notepad>", true, 29, "Untitled - Notepad"},
        Case{"<COPYFILE:a.txt;b.txt>", true, 22, "a.txt", "b.txt"},
        Case{"<COPYFILE:a>b;c>", true, 16, "a>b", "c"}, Case{"<COPYFILE:a.txt>rest", true, 20, "a.txt>rest", ""},
        Case{"<RENFILE:old;new>", true, 17, "old", "new"},
        Case{"<LAUNCH:notepad.exe<PARAM>c:\\readme.txt>x", true, 40, "notepad.exe", "c:\\readme.txt"},
        Case{"<LAUNCH:notepad.exe>", true, 20, "notepad.exe", ""},
        Case{"<LAUNCHYES:05Untitled - Notepad<LAUNCH:notepad.exe>", true, 51, "notepad.exe", "",
             "Untitled - Notepad", "05"},
        Case{"<LAUNCHNO:10Calc<LAUNCH:calc.exe<PARAM>-x>", true, 42, "calc.exe", "-x", "Calc", "10"},
        Case{"<LAUNCHNO:1", false}, Case{"<LAUNCHNO:10Calc", true, 16, "", "", "Calc", "10"},
        Case{"<MM/DD/YY{N}>", true, 13}, Case{"<MM/DD/YY{YF001}>", true, 17}, Case{"<MM/DD/YY{N}", false},
        Case{"<MM/DD/YY{NF01", false}, Case{"<Day of Week 3{NP001}>", true, 22},
        Case{"<hh:mm am{N}>", true, 13}, Case{"<hh:mm{Y}>", true, 10}, Case{"<hh:mm{X}>", false},
        Case{"<hh:mm{N}", false}, Case{"<hh:mm{NF001}>", false}));

TEST(DateTags, FlagAndOffset) {
    const Tag shortForm = recognizeTag("<MM/DD/YY{Y}>", 0);
    EXPECT_TRUE(shortForm.pad);
    EXPECT_EQ(shortForm.dayOffset, 0);
    const Tag future = recognizeTag("<MM/DD/YY{NF012}>", 0);
    EXPECT_FALSE(future.pad);
    EXPECT_EQ(future.dayOffset, 12);
    const Tag past = recognizeTag("<YYYY{YP365}>", 0);
    EXPECT_EQ(past.dayOffset, -365);
    EXPECT_EQ(past.keyword->kind, TagKind::Date);
    EXPECT_EQ(past.keyword->value, 47);
}

TEST(TagAt, RecognisesInsideText) {
    const std::string text = "ab<TAB>c";
    const Tag t = recognizeTag(text, 2);
    ASSERT_TRUE(t);
    EXPECT_EQ(t.end, 7u);
    EXPECT_EQ(t.keyword->value, 9);
}

}  // namespace
}  // namespace qln
