#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "hook/TypedCharacters.h"

namespace qln::hook {
namespace {

struct Case {
    unsigned long keysym;
    bool command;
    std::optional<std::uint8_t> want;
};
class TypedByte : public ::testing::TestWithParam<Case> {};

TEST_P(TypedByte, OfAKeysym) {
    const Case c = GetParam();
    EXPECT_EQ(typedByte(c.keysym, c.command), c.want) << std::hex << c.keysym;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TypedByte,
    ::testing::Values(Case{XK_a, false, 'a'}, Case{XK_A, false, 'A'}, Case{XK_exclam, false, '!'},
                      Case{XK_space, false, ' '}, Case{XK_KP_5, false, '5'}, Case{XK_eacute, false, 0xE9},
                      Case{XK_EuroSign, false, 0x80}, Case{0x1002013, false, 0x96},  // en dash, a Unicode keysym
                      Case{0x1000416, false, 0},  // Cyrillic: not in the code page, ends the word
                      Case{XK_BackSpace, false, 8}, Case{XK_Return, false, 13}, Case{XK_KP_Enter, false, 13},
                      Case{XK_Tab, false, 9}, Case{XK_Escape, false, 27}, Case{XK_Delete, false, 0},
                      Case{XK_Left, false, 0}, Case{XK_F5, false, 0}, Case{XK_dead_acute, false, 0},
                      Case{XK_a, true, 0},  // Ctrl+A and the like are commands
                      Case{XK_Shift_L, false, std::nullopt}, Case{XK_Control_R, true, std::nullopt},
                      Case{XK_Caps_Lock, false, std::nullopt}, Case{XK_Num_Lock, false, std::nullopt},
                      Case{XK_ISO_Level3_Shift, false, std::nullopt}, Case{XK_Super_L, false, std::nullopt}));

TEST(Win1252Byte, EveryByteOfTheCodePageComesBackAndOthersDoNot) {
    EXPECT_EQ(win1252Byte(U'\u20AC'), 0x80);
    EXPECT_EQ(win1252Byte(U'\u0178'), 0x9F);
    EXPECT_EQ(win1252Byte(U'\u00FF'), 0xFF);
    EXPECT_EQ(win1252Byte(U'\u0100'), std::nullopt);
    EXPECT_EQ(win1252Byte(U'\u2603'), std::nullopt);
}

}  // namespace
}  // namespace qln::hook
