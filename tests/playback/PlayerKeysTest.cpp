// Exact key and mouse event sequences of typed text and input tags.
#include <gtest/gtest.h>

#include "PlaybackHarness.h"

namespace qln::test {
namespace {

struct Case {
    const char* name;
    std::string text;
    std::string events;
    ScreenSize screen{1024, 768};
};

class PlayerKeys : public ::testing::TestWithParam<Case> {};

TEST_P(PlayerKeys, SendsExactlyTheseEvents) {
    const Case& c = GetParam();
    HarnessOptions o;
    o.screen = c.screen;
    Harness h(o);
    h.play(c.text);
    EXPECT_EQ(h.events(), c.events) << "macro text: " << c.text;
}

const Case kCases[] = {
    {"TwoLetters", "ab", "65d 65u 66d 66u"},
    {"CapitalNeedsShift", "A", "16d 65d 65u 16u"},
    {"OneShotShiftReleasedAfterChar", "<SHIFT>a", "16d 65d 65u 16u"},
    {"CtrlAltHeldForOneCharOnly", "<CTRL><ALT>x", "17d 18d 88d 88u 17u 18u"},
    {"AltToggles", "<ALT><ALT>", "18d 18u"},
    {"AltReleasedByNextKey", "<ALT><F4>", "18d 115d 115u 18u"},
    {"HighCharacterAsAltCode", "\xE9", "18d 96d 96u 98d 98u 99d 99u 99d 99u 18u"},
    {"HighCharacterKeepsOneShot", "<SHIFT>\xE9" "a", "16d 18d 96d 96u 98d 98u 99d 99u 99d 99u 18u 65d 65u 16u"},
    {"HeldCtrl", "<CTLD>c<CTLU>", "17d 67d 67u 17u"},
    {"HeldModifiersStayDown", "<ALTD><SHFD><WIND>", "18d 16d 91d"},
    {"HeldUps", "<ALTU><SHFU><WINU><CTLU>", "18u 16u 91u 17u"},
    {"CrLfIsOneEnter", "abc\r\ndef", "65d 65u 66d 66u 67d 67u 13d 13u 68d 68u 69d 69u 70d 70u"},
    {"LoneLineFeedIsCtrlEnter", "\n", "17d 13d 13u 17u"},
    {"CrAlone", "\r", "13d 13u"},
    {"LowerCaseTagIsText", "<enter>",
     "16d 188d 188u 16u 69d 69u 78d 78u 84d 84u 69d 69u 82d 82u 16d 190d 190u 16u"},
    {"DelayWithoutCloseAtTwelveIsText", "<DELAY:1.5>",
     "16d 188d 188u 16u 16d 68d 68u 16u 16d 69d 69u 16u 16d 76d 76u 16u 16d 65d 65u 16u 16d 89d 89u 16u "
     "16d 186d 186u 16u 49d 49u 190d 190u 53d 53u 16d 190d 190u 16u"},
    {"UnknownTagReleasesOneShot", "<SHIFT><Q", "16d 16d 188d 188u 16u 16d 81d 81u 16u"},
    {"ControlCharacterThree", "\x03", "17d 67d 67u 17u"},
    {"KeysAtTheEndsOfTheirRanges", "<F1><F24><KEYP0><KEYP9><KEYP.><PA1><PRTSCR>",
     "112d 112u 135d 135u 96d 96u 105d 105u 110d 110u 253d 253u 44d 44u"},
    {"OneShotShiftAtTheEndIsReleased", "a<SHIFT>", "65d 65u 16d 16u"},
    {"OneShotCtrlAndAltAtTheEndAreReleased", "<CTRL><ALT>", "17d 18d 17u 18u"},
    {"OneShotBeforeAFailedActivationIsReleased", "<SHIFT><ACTIVATE:>", "16d 16u"},
    {"OneShotAtTheEndOfARepeatPassIsReleased", "<REPEAT:0002><CTRL><ENDREP>", "17d 17u 17d 17u"},
    {"MouseButtonsAsKeys", "<SHIFT><RIGHT MOUSE><MIDDLE MOUSE>", "16d 2d 2u 16u 4d 4u"},
    {"AltCodeTag", "<ALT:065>", "18d 96d 96u 102d 102u 101d 101u 18u"},
    {"AltFourCodeTag", "<ALT4:0233>", "18d 96d 96u 98d 98u 99d 99u 99d 99u 18u"},
    {"AltCodeSkipsNonDigits", "<ALT:0x5>", "18d 96d 96u 101d 101u 18u"},
    {"LeftDoubleClick", "<LDCLK>", "m2,0,0,0 m4,0,0,0 m2,0,0,0 m4,0,0,0"},
    {"ButtonsDownUpClick", "<LDN><LUP><RCLK><MDN><MUP><MCLK>",
     "m2,0,0,0 m4,0,0,0 m8,0,0,0 m16,0,0,0 m32,0,0,0 m64,0,0,0 m32,0,0,0 m64,0,0,0"},
    {"RightAndMiddleDoubleClick", "<RDN><RUP><RDCLK><MDCLK>",
     "m8,0,0,0 m16,0,0,0 m8,0,0,0 m16,0,0,0 m8,0,0,0 m16,0,0,0 m32,0,0,0 m64,0,0,0 m32,0,0,0 m64,0,0,0"},
    {"Wheel", "<WFW:003><WBW:002>", "m2048,0,0,360 m2048,0,0,-240"},
    {"MoveOnSmallScreen", "<MMS:00100,00200>", "m32769,10239,27306,0", {640, 480}},
    {"MoveRelativeToWindowInFront", "<MMW:00010,00010>", "m32769,639,853,0"},
    {"ClipCopyAndPaste", "<CLIPC><CLIPP>", "17d 67d 67u 17u 17d 86d 86u 17u"},
    {"CommentAndTestProduceNothing", "<REM:anything><TEST><ENDCLIP>", ""},
    {"UnclosedCommentSwallowsTheRest", "<REM:abc def", ""},
    {"CounterOutsideRepeat", "<I><II><III><IIII>", ""},
    {"EmptyMacro", "", ""},
    {"TextAfterZeroByteIgnored", std::string("a\0b", 3), "65d 65u"},
};

INSTANTIATE_TEST_SUITE_P(Playback, PlayerKeys, ::testing::ValuesIn(kCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(PlayerCapsLock, SwitchedOffForPlaybackAndOnAgainAtTheEnd) {
    HarnessOptions o;
    o.capsLock = true;
    Harness h(o);
    h.play("a");
    EXPECT_EQ(h.events(), "20d 20u 65d 65u 20d 20u");
    EXPECT_TRUE(h.desktop.layout().capsLockOn());
}

TEST(PlayerCapsLock, EmptyMacroOnlyTogglesCapsLock) {
    HarnessOptions o;
    o.capsLock = true;
    Harness h(o);
    h.play("");
    EXPECT_EQ(h.events(), "20d 20u 20d 20u");
}

TEST(PlayerCapsLock, ActivateWithoutWindowSkipsTheRestButRestoresCapsLock) {
    HarnessOptions o;
    o.capsLock = true;
    Harness h(o);
    h.effects.activateResult = false;
    h.play("a<ACTIVATE:Nowhere>b");
    EXPECT_EQ(h.events(), "20d 20u 65d 65u 20d 20u");
}

// Every named, function and keypad key: one press and one release of one key, nothing else.
TEST(PlayerKeys, EveryKeyTagIsOnePressAndReleaseOfItsKey) {
    for (const Keyword& k : keywordsInOrder()) {
        if (k.kind != TagKind::Key) continue;
        Harness h;
        h.play(k.text);
        const std::string vk = std::to_string(k.value);
        EXPECT_EQ(h.events(), vk + "d " + vk + "u") << k.text;
        EXPECT_NE(k.value, 0) << k.text;
    }
}

TEST(PlayerModifiers, HeldModifierIsNotReleasedAtTheEnd) {
    Harness h;
    h.play("<CTLD>x");
    EXPECT_EQ(h.events(), "17d 88d 88u");
}

}  // namespace
}  // namespace qln::test
