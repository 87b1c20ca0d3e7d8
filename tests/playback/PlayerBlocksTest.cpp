// Repeat blocks, pass counters, clipboard blocks, pause dialogs and the tags handed to the effects.
#include <gtest/gtest.h>

#include "PlaybackHarness.h"

namespace qln::test {
namespace {

std::string typed(const Harness& h) { return typedLetters(h.desktop.trace().lines()); }

struct RepeatCase {
    const char* text;
    const char* typed;
};

class Repeats : public ::testing::TestWithParam<RepeatCase> {};

TEST_P(Repeats, TypeThis) {
    Harness h;
    h.play(GetParam().text);
    EXPECT_EQ(typed(h), GetParam().typed) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Playback, Repeats,
                         ::testing::Values(RepeatCase{"<REPEAT:0003>x<ENDREP>", "xxx"},
                                           RepeatCase{"<REPEAT:0003><II><TAB><ENDREP>", "01<TAB>02<TAB>03<TAB>"},
                                           RepeatCase{"<REPEAT:0000>x<I><ENDREP>", "x1"},
                                           RepeatCase{"<REPEAT:0001>x<I><ENDREP>", "x1"},
                                           RepeatCase{"<REPEAT:0002>x<ENDREP><II>", "xx"},
                                           RepeatCase{"<REPEAT:0012><I>,<ENDREP>", "123456789101112"},
                                           RepeatCase{"<REPEAT:0002><IIII><ENDREP>", "00010002"},
                                           RepeatCase{"<REPEAT:0003>x", "x"},
                                           RepeatCase{"<REPEAT:0002>a<REPEAT:0002>b<ENDREP>c<ENDREP>", "ababbc"},
                                           RepeatCase{"<REPEAT:002>x<ENDREP>", "repeat002x"}));

TEST(Repeats, NestedPassPlaysTheInnerTagAsText) {
    // The outer block ends at the first "<ENDREP>"; inside a pass the inner tag is skipped.
    Harness h;
    h.play("<REPEAT:0002>a<REPEAT:0002>b<ENDREP>c<ENDREP>");
    EXPECT_EQ(typed(h), "ab" "a" "bb" "c");
}

TEST(Repeats, PromptGivesTheCountAndNegativeOneIsManyPasses) {
    Harness h;
    h.effects.promptAnswer = 4;
    h.play("<PROMPTREP>z<ENDREP>");
    EXPECT_EQ(typed(h), "zzzz");
    EXPECT_EQ(h.effects.calls, std::vector<std::string>{"prompt []"});

    Harness many;
    many.effects.promptAnswer = static_cast<std::uint16_t>(-1);
    many.play("<PROMPTREP><ENDREP>");
    EXPECT_EQ(many.player.state().passCounter, 65535);
}

TEST(Clipboard, BlockGoesToTheClipboardUntyped) {
    Harness h;
    h.play("<BEGCLIP>Hello<ENDCLIP>");
    EXPECT_EQ(h.events(), "");
    EXPECT_EQ(h.effects.calls, std::vector<std::string>{"clip [Hello]"});
    EXPECT_EQ(h.desktop.clock().tickCount(), 51u);  // the settling wait after filling the clipboard
}

TEST(Clipboard, UnclosedBlockTypesOnlyTheLastCharacter) {
    Harness h;
    h.play("<BEGCLIP>Hello");
    EXPECT_EQ(typed(h), "o");
    EXPECT_TRUE(h.effects.calls.empty());
}

TEST(Clipboard, FileContentsUpToTheirFirstZero) {
    Harness h;
    h.effects.fileContents = std::string("abc\0def", 7);
    h.play("<CLIPF:notes.txt>");
    EXPECT_EQ(h.effects.calls, (std::vector<std::string>{"read [notes.txt]", "clip [abc]"}));
}

TEST(TextFile, ContentsPlayAsMacroTextAndTheMacroGoesOn) {
    Harness h;
    h.effects.fileContents = "x<TAB>";
    h.play("<TFILE:more.txt>y");
    EXPECT_EQ(typed(h), "x<TAB>y");
}

struct EffectCase {
    const char* text;
    std::vector<std::string> calls;
};

class Effects : public ::testing::TestWithParam<EffectCase> {};

TEST_P(Effects, TagHandsOverItsParameters) {
    Harness h;
    h.play(GetParam().text);
    EXPECT_EQ(h.effects.calls, GetParam().calls) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Playback, Effects,
    ::testing::Values(
        EffectCase{"<WSHUT:CURRENT>", {"window0 [CURRENT]"}},
        EffectCase{"<WSHUT:\"CURRENT\">", {"window0 [\"CURRENT\"]"}},
        EffectCase{"<WHIDE:a><WSHOW:b><WMAX:c><WMIN:d><WRES:e><WCLS:f>",
                   {"window1 [a]", "window2 [b]", "window3 [c]", "window4 [d]", "window5 [e]", "window6 [f]"}},
        EffectCase{"<WSIZE:0640,0480\"CURRENT\">", {"size 640x480 [\"CURRENT\"]"}},
        EffectCase{"<WPOS:-010,0020Notepad>", {"move -10,20 [Notepad]"}},
        EffectCase{"<ACTIVATE:Untitled - Notepad>", {"activate [Untitled - Notepad]"}},
        EffectCase{"<ACTIVATE:>", {}},
        EffectCase{"<COPYFILE:a.txt;b.txt>", {"copy [a.txt|b.txt]"}},
        EffectCase{"<COPYFILE:a>b.txt>", {}},
        EffectCase{"<RENFILE:old.txt;new.txt>", {"rename [old.txt|new.txt]"}},
        EffectCase{"<DELFILE:x.tmp><CHDIR:/tmp><SWAP:OTHER.QLN>", {"delete [x.tmp]", "chdir [/tmp]", "swap [OTHER.QLN]"}},
        EffectCase{"<LAUNCH:notepad.exe<PARAM>c:\\readme.txt>", {"launch [notepad.exe|c:\\readme.txt]"}},
        EffectCase{"<LAUNCH:notepad.exe>", {"launch [notepad.exe|]"}},
        EffectCase{"<LAUNCHYES:05Untitled - Notepad<LAUNCH:notepad.exe>",
                   {"launchyes 5 [Untitled - Notepad|notepad.exe|]"}},
        EffectCase{"<LAUNCHNO:10Calc<LAUNCH:calc.exe<PARAM>-x>", {"launchno 10 [Calc|calc.exe|-x]"}},
        EffectCase{"<HTTP:www.example.com><FTP:ftp.example.com>", {"open [www.example.com]", "open [ftp.example.com]"}},
        EffectCase{"<BEEP><WAV1:a.wav><WAV2:b.wav>", {"beep []", "wav1 [a.wav]", "wav2 [b.wav]"}}));

TEST(Effects, LaunchWindowThatNeverAppearsSkipsTheRest) {
    Harness h;
    h.effects.launchResult = false;
    h.play("<LAUNCHNO:05Calc<LAUNCH:calc.exe>abc");
    EXPECT_EQ(h.events(), "");
}

TEST(Pause, CentredWithoutMessage) {
    Harness h;
    h.play("a<PAUSE>b", 262);
    const PauseDialogRequest& r = h.desktop.prompts().lastPause();
    EXPECT_EQ(r.left, 400);
    EXPECT_EQ(r.top, 337);
    EXPECT_EQ(r.height, 94);
    EXPECT_EQ(r.caption, "Pause (Ctrl+Alt+Shift+W)");
    EXPECT_EQ(r.title, "Test macro");
    EXPECT_EQ(typed(h), "ab");
}

TEST(Pause, PulledBackOntoTheScreen) {
    HarnessOptions o;
    o.screen = {640, 480};
    Harness h(o);
    h.play("<PAUSE:900,900>");
    EXPECT_EQ(h.timed(),
              "0 app main-window hide\n"
              "0 pause left=416 top=386 message=\"\"\n"
              "0 answer resume\n"
              "0 focus 16 \"Untitled - Notepad\"\n"
              "0 app main-window show\n"
              "0 focus 16 \"Untitled - Notepad\"\n");
}

TEST(Pause, AbortRunsTheEndSequenceAndStopsEnclosingPasses) {
    HarnessOptions o;
    o.capsLock = true;
    Harness h(o);
    h.desktop.prompts().addAnswer("abort");
    h.play("<REPEAT:0003>a<PAUSE>b<ENDREP>c");
    EXPECT_EQ(typed(h), "a");
    EXPECT_EQ(h.events().substr(0, 16), "20d 20u 65d 65u ");
    const std::string events = h.events();
    const auto answered = events.find("| answer abort |");
    ASSERT_NE(answered, std::string::npos) << events;
    EXPECT_NE(events.find("20d 20u | app main-window show |", answered), std::string::npos) << events;
}

TEST(Pause, TimedAndSnipwordMacrosHaveNoKeyInTheCaption) {
    for (std::uint16_t code : {std::uint16_t{10000}, std::uint16_t{20000}}) {
        Harness h;
        h.play("<PAUSE>", code);
        EXPECT_EQ(h.desktop.prompts().lastPause().caption, "Pause");
    }
}

}  // namespace
}  // namespace qln::test
