// However a macro ends, the keyboard is left as the language says: a failure thrown out of a macro, an abort and
// the program quitting release what the macro holds, and Caps Lock comes back where the end of a macro puts it.
#include <gtest/gtest.h>

#include "PlaybackHarness.h"

namespace qln::test {
namespace {

Harness capsOn() {
    HarnessOptions o;
    o.capsLock = true;
    return Harness(o);
}

TEST(PlayerEnding, AFailureLetsGoOfEverythingRestoresCapsLockOnceAndReachesTheCaller) {
    HarnessOptions o;
    o.capsLock = true;
    Harness h(o);
    h.effects.failSwap = true;
    EXPECT_THROW(h.play("<SHFD><LDN><CTRL>a<SHIFT><SWAP:SHARED.QLN>b"), FileError);
    EXPECT_EQ(h.events(), "20d 20u 16d m2,0,0,0 17d 65d 65u 17u 16d 16u m4,0,0,0 20d 20u");
    EXPECT_TRUE(h.desktop.layout().capsLockOn());
    for (const std::uint8_t vk : {16, 17, 18, 20}) EXPECT_FALSE(h.desktop.input().isDown(vk)) << int(vk);

    // The next macro starts from a clean state.
    h.effects.failSwap = false;
    h.desktop.trace().clear();
    h.play("x");
    EXPECT_EQ(h.events(), "20d 20u 88d 88u 20d 20u");
}

TEST(PlayerEnding, AFailureInsideARepeatPassOrATextFileEndsTheWholeMacro) {
    for (const std::string text : {"<REPEAT:0003><CTLD>x<SWAP:A.QLN><ENDREP>y", "<TFILE:more.txt>y"}) {
        Harness h;
        h.effects.failSwap = true;
        h.effects.fileContents = "<CTLD>x<SWAP:A.QLN>";
        EXPECT_THROW(h.play(text), FileError) << text;
        EXPECT_EQ(h.events(), "17d 88d 88u 17u") << text;
    }
}

TEST(PlayerEnding, AnAbortLetsGoOfHeldKeysAndButtonsBeforeItsNotice) {
    Harness h = capsOn();
    h.desktop.pump().setHandler(&h.session);
    h.desktop.pump().postAt(500, hook::AbortRequest{});
    h.play("<SHFD><RDN><SHIFT><DELAY:01.00>ab");
    // Caps Lock stays off after an abort, as the language has it; nothing stays pressed.
    EXPECT_EQ(h.events(),
              "20d 20u 16d m8,0,0,0 16d 16u m16,0,0,0 | app main-window hide | "
              "| message \"Macro Abort\" \"Quillon macro has been aborted.\" | | app main-window show | "
              "| focus 16 \"Untitled - Notepad\" |");
}

TEST(PlayerEnding, QuittingEndsTheWaitAtOnceAndLetsGoWithoutANotice) {
    Harness h;
    h.desktop.pump().quitAt(300);
    h.play("<SHFD><LDN><DELAY:05.00>ab<WIND>");
    EXPECT_EQ(h.timed(), "0 key 16 down\n0 mouse 2 0 0 0\n300 key 16 up\n300 mouse 4 0 0 0\n");
}

TEST(PlayerEnding, AbortAtAPauseDialogRestoresCapsLockAndLetsGo) {
    Harness h = capsOn();
    h.desktop.prompts().addAnswer("abort");
    h.play("<ALTD>a<PAUSE>b");
    EXPECT_EQ(h.events(), "20d 20u 18d 65d 65u | app main-window hide | | pause left=400 top=337 message=\"\" | "
                          "| answer abort | | focus 16 \"Untitled - Notepad\" | 20d 20u | app main-window show | "
                          "| focus 16 \"Untitled - Notepad\" | 18u");
}

}  // namespace
}  // namespace qln::test
