// Layouts of the tags: where their fields are, where they end, and when a keyword is no tag.
#include <gtest/gtest.h>

#include "TagDescription.h"
#include "playback/TagRecognizer.h"

namespace qln::test {
namespace {

struct Case {
    std::string text;
    std::size_t end;  // 0: no tag
    std::string tag = {};
};

class Layouts : public ::testing::TestWithParam<Case> {};

TEST_P(Layouts, FieldsAndEnd) {
    const Case& c = GetParam();
    const Tag t = recognizeTag(c.text, 0);
    ASSERT_EQ(static_cast<bool>(t), c.end != 0) << c.text;
    if (!t) return;
    EXPECT_EQ(t.end, c.end) << c.text;
    EXPECT_EQ(describe(t), c.tag) << c.text;
}

const std::string k300(300, 'x');
const std::string k255(255, 'x');

INSTANTIATE_TEST_SUITE_P(
    Playback, Layouts,
    ::testing::Values(
        Case{"<ENTER>", 7, "<ENTER>"}, Case{"<enter>", 0}, Case{"<ENTER", 0}, Case{"<DELAY:1.5>", 0},
        Case{"<DELAY:001.5>", 13, "<DELAY: seconds=001.5"}, Case{"<DELAY:001.5", 0},
        Case{"<SPEED:00002>x", 13, "<SPEED: factor=00002"}, Case{"<MSD:0250>", 10, "<MSD: ms=0250"},
        Case{"<MSD:250>", 0}, Case{"<SPKEY:0100>", 12, "<SPKEY: ms=0100"}, Case{"<SPMSE:0005>", 12, "<SPMSE: ms=0005"},
        Case{"<ALT:065>", 9, "<ALT: digits=065"}, Case{"<ALT4:0233>", 11, "<ALT4: digits=0233"}, Case{"<ALT4:233>", 0},
        Case{"<WFW:003>", 9, "<WFW: notches=003"}, Case{"<WBW:03>", 0},
        Case{"<REPEAT:0003>", 13, "<REPEAT: count=0003"}, Case{"<MMS:00100,00200>", 17, "<MMS: x=00100 y=00200"},
        Case{"<MMW:0010,00200>", 0}, Case{"<MMW:00010;00200>", 17, "<MMW: x=00010 y=00200"},
        Case{"<PAUSE:900,900>", 15, "<PAUSE: top=900 left=900 message="},
        Case{"<PAUSE:010,020Take a break>x", 27, "<PAUSE: top=010 left=020 message=Take a break"}, Case{"<PAUSE:9", 0},
        Case{"<PAUSE>", 7, "<PAUSE>"},
        Case{"<WSIZE:0640,0480\"CURRENT\">", 26, "<WSIZE: width=0640 height=0480 title=\"CURRENT\""},
        Case{"<WPOS:-010,0020Notepad>", 23, "<WPOS: x=-010 y=0020 title=Notepad"}, Case{"<WPOS:-010,002", 0},
        Case{"<REM:anything>x", 14, "<REM: comment=anything"}, Case{"<REM:abc", 8, "<REM: comment=abc"},
        Case{"<WSHUT:" + k300 + ">z", 308, "<WSHUT: title=" + k255},
        Case{"<ACTIVATE:Untitled - Notepad>", 29, "<ACTIVATE: title=Untitled - Notepad"},
        Case{"<CHDIR:c:\\work>", 15, "<CHDIR: folder=c:\\work"}, Case{"<FTP:ftp.x.org>", 15, "<FTP: address=ftp.x.org"},
        Case{"<COPYFILE:a.txt;b.txt>", 22, "<COPYFILE: source=a.txt target=b.txt"},
        Case{"<COPYFILE:a>b;c>", 16, "<COPYFILE: source=a>b target=c"},
        Case{"<COPYFILE:a.txt>rest", 20, "<COPYFILE: source=a.txt>rest no target"},
        Case{"<RENFILE:old;new>", 17, "<RENFILE: source=old target=new"},
        Case{"<LAUNCH:notepad.exe<PARAM>c:\\readme.txt>x", 40, "<LAUNCH: program=notepad.exe arguments=c:\\readme.txt"},
        Case{"<LAUNCH:notepad.exe>", 20, "<LAUNCH: program=notepad.exe arguments="},
        // The path is cut as a whole: arguments lose what lies beyond 255, and a late "<PARAM>" splits nothing.
        Case{"<LAUNCH:p<PARAM>" + k300 + ">", 8 + 8 + 300 + 1, "<LAUNCH: program=p arguments=" + k255.substr(8)},
        Case{"<LAUNCH:" + k300 + "<PARAM>a>", 8 + 300 + 9, "<LAUNCH: program=" + k255 + " arguments="},
        Case{"<LAUNCHYES:05Untitled - Notepad<LAUNCH:notepad.exe>", 51,
             "<LAUNCHYES: seconds=05 title=Untitled - Notepad program=notepad.exe arguments="},
        Case{"<LAUNCHNO:10Calc<LAUNCH:calc.exe<PARAM>-x>", 42,
             "<LAUNCHNO: seconds=10 title=Calc program=calc.exe arguments=-x"},
        Case{"<LAUNCHNO:1", 0}, Case{"<LAUNCHNO:10Calc", 16, "<LAUNCHNO: seconds=10 title=Calc program= arguments="},
        Case{"<MM/DD/YY{N}>", 13, "<MM/DD/YY{ padded=N days=0"},
        Case{"<MM/DD/YY{YF001}>", 17, "<MM/DD/YY{ padded=Y days=1"}, Case{"<MM/DD/YY{N}", 0}, Case{"<MM/DD/YY{NF01", 0},
        Case{"<Day of Week 3{NP001}>", 22, "<Day of Week 3{ padded=N days=-1"},
        Case{"<YYYY{YP365}>", 13, "<YYYY{ padded=Y days=-365"}, Case{"<DD{X?>", 7, "<DD{ padded=N days=0"},
        Case{"<DD{NX012xx", 11, "<DD{ padded=N days=12"}, Case{"<hh:mm am{N}>", 13, "<hh:mm am{ padded=N"},
        Case{"<hh:mm{Y}>", 10, "<hh:mm{ padded=Y"}, Case{"<hh:mm{X}>", 0}, Case{"<hh:mm{N}", 0},
        Case{"<hh:mm{NF001}>", 0}));

TEST(TagAt, RecognisesInsideText) {
    const std::string text = "ab<TAB>c";
    const Tag t = recognizeTag(text, 2);
    ASSERT_TRUE(t);
    EXPECT_EQ(t.end, 7u);
    EXPECT_EQ(t.keyword->value, 9);
    const Tag date = recognizeTag("<YYYY{YP365}>", 0);
    EXPECT_EQ(date.kind(), TagKind::Date);
    EXPECT_EQ(date.keyword->value, 47);
}

}  // namespace
}  // namespace qln::test
