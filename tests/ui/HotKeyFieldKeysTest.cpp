// What a waiting hot key field takes and what its dialog keeps, whichever of the two reports of a press comes
// first.
#include <gtest/gtest.h>

#include "ui/HotKeyFieldKeys.h"

namespace qln {
namespace {

int codeOf(const std::string& name) {
    for (int c = 0; c < HotKeyCount; ++c)
        if (hotKeyName(c) == name) return c;
    ADD_FAILURE() << name;
    return -1;
}

DecipheredKey keyOf(const std::string& name) {
    return DecipherKey(codeOf(name));
}

DecipheredKey plainKey(std::uint16_t vk) {
    return {vk, 0, false, false, false, false};
}

TEST(HotKeyFieldKeys, TheDialogKeepsItsMnemonicsEnterEscapeTabAndPlainClicks) {
    const HotKeyFieldKeys keys("OCHFIN");
    struct Case {
        DecipheredKey key;
        bool dialogs;
    };
    const Case cases[] = {
        {keyOf("Alt+O"), true},        {keyOf("Alt+N"), true},        {keyOf("ESC"), true},
        {keyOf("Shift+Tab"), true},    {keyOf("LMouse"), true},       {plainKey(13), true},
        {plainKey(9), true},           {keyOf("Alt+Q"), false},       {keyOf("Ctrl+Alt+O"), false},
        {keyOf("Alt+Shift+O"), false}, {keyOf("Ctrl+O"), false},      {keyOf("Ctrl+Tab"), false},
        {keyOf("Ctrl+Enter"), false},  {keyOf("Ctrl+LMouse"), false}, {keyOf("F5"), false},
        {keyOf("Win+O"), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(keys.dialogKey(c.key), c.dialogs) << c.key.vk;
        EXPECT_EQ(keys.keeps(c.key), !c.dialogs) << c.key.vk;
    }
}

TEST(HotKeyFieldKeys, UnarmedTheFieldTakesOnlyWhatTheDialogDoesNotUse) {
    HotKeyFieldKeys keys("o");
    EXPECT_FALSE(keys.takesCode(codeOf("Alt+O")));
    EXPECT_FALSE(keys.pressed(keyOf("Alt+O")));
    EXPECT_TRUE(keys.takesCode(codeOf("Alt+Q")));
    EXPECT_TRUE(keys.pressed(keyOf("Alt+Q")));
}

TEST(HotKeyFieldKeys, SpaceArmsTheFieldForTheNextHotKeyWhicheverReportComesFirst) {
    HotKeyFieldKeys keys("O");
    const DecipheredKey space = plainKey(32);
    // The key event first, then the code.
    EXPECT_TRUE(keys.pressed(space));
    EXPECT_TRUE(keys.armed());
    EXPECT_TRUE(keys.keeps(keyOf("Alt+O")));
    EXPECT_TRUE(keys.pressed(keyOf("Alt+O")));
    EXPECT_TRUE(keys.takesCode(codeOf("Alt+O")));
    EXPECT_FALSE(keys.armed());
    EXPECT_FALSE(keys.keeps(keyOf("Alt+O")));  // the next Alt+O is the dialog's again
    // The code first: its key event, when it comes, is kept from the dialog all the same, once.
    keys.pressed(space);
    EXPECT_TRUE(keys.takesCode(codeOf("ESC")));
    EXPECT_TRUE(keys.keeps(keyOf("ESC")));
    EXPECT_TRUE(keys.pressed(keyOf("ESC")));
    EXPECT_FALSE(keys.pressed(keyOf("ESC")));
    // Space again disarms.
    keys.pressed(space);
    keys.pressed(space);
    EXPECT_FALSE(keys.armed());
    EXPECT_FALSE(keys.takesCode(codeOf("Alt+O")));
    keys.pressed(space);
    keys.reset();
    EXPECT_FALSE(keys.armed());
}

}  // namespace
}  // namespace qln
