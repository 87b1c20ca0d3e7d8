// The hot key name table and DecipherKey.
#include <gtest/gtest.h>

#include <set>

#include "store/HotKeyNames.h"
#include "store/MacroRecord.h"
#include "store/MacroText.h"

namespace qln {
namespace {

struct NameCase {
    int code;
    const char* name;
};

TEST(HotKeyNames, TheseCodesHaveTheseNames) {
    const NameCase cases[] = {
        {0, "Ctrl+A"},          {25, "Ctrl+Z"},           {26, "Ctrl+0"},           {47, "Ctrl+F12"},
        {48, "Alt+A"},          {96, "Ctrl+Shift+A"},     {144, "Ctrl+Alt+A"},      {192, "Alt+Shift+A"},
        {240, "Ctrl+Alt+Shift+A"}, {262, "Ctrl+Alt+Shift+W"}, {265, "Ctrl+Alt+Shift+Z"}, {287, "Ctrl+Alt+Shift+F12"},
        {288, "F1"},            {299, "F12"},             {300, "Shift+F1"},        {311, "Shift+F12"},
        {312, "Ctrl+Enter"},    {313, "Alt+Enter"},       {314, "Shift+Enter"},     {315, "Ctrl+Shift+Enter"},
        {316, "Alt+Shift+Enter"}, {317, "Ctrl+Alt+Enter"}, {318, "Ctrl+Alt+Shift+Enter"}, {319, "Ctrl+Tab"},
        {320, "Shift+Tab"},     {323, "Ctrl+Alt+Shift+Tab"}, {324, "Ctrl+Backspace"}, {331, "Ctrl+Space"},
        {338, "Ctrl+Insert"},   {345, "Ctrl+Delete"},     {349, "Alt+Shift+Delete"}, {350, "Ctrl+Home"},
        {357, "Ctrl+End"},      {364, "Ctrl+."},          {365, "Alt+."},           {366, "Ctrl+Shift+."},
        {369, "Ctrl+Alt+Shift+."}, {370, "Ctrl+,"},       {429, "Ctrl+Alt+Shift+`"}, {430, "KeyPad /"},
        {431, "Ctrl+Keypad /"}, {433, "Shift+KeyPad /"},  {437, "Ctrl+Alt+Shift+Keypad /"}, {438, "KeyPad *"},
        {461, "Ctrl+Alt+Shift+Keypad +"}, {462, "Insert"}, {467, "Page Down"},      {471, "Down Arrow"},
        {472, "Ctrl+Page Up"},  {478, "Ctrl+Alt+Shift+Page Up"}, {492, "Ctrl+Alt+Shift+Left Arro"},
        {499, "Ctrl+Alt+Shift+Right Arr"}, {513, "Ctrl+Alt+Shift+Down Arro"}, {514, "KeyPad 0"},
        {515, "Ctrl+Keypad 0"}, {553, "Ctrl+Alt+Keypad 9"}, {554, "Win+A"},         {602, "Win+Ctrl+A"},
        {650, "Win+Alt+A"},     {697, "Win+Alt+F12"},     {698, "ESC"},             {699, "LMouse"},
        {700, "Shift+LMouse"},  {705, "Shift+Alt+LMouse"}, {706, "RMouse"},         {713, "MMouse"},
        {719, "Shift+Alt+MMouse"},
    };
    for (const NameCase& c : cases) EXPECT_EQ(hotKeyName(c.code), c.name) << c.code;
}

TEST(HotKeyNames, SevenHundredTwentyDistinctShortNames) {
    std::set<std::string> names;
    for (int code = 0; code < HotKeyCount; ++code) {
        const std::string& n = hotKeyName(code);
        EXPECT_FALSE(n.empty()) << code;
        EXPECT_LE(n.size(), 24u) << code;
        names.insert(n);
    }
    EXPECT_EQ(names.size(), 720u);
    EXPECT_EQ(hotKeyName(-1), "");
    EXPECT_EQ(hotKeyName(720), "");
    const auto slots = hotKeyNameSlots();
    ASSERT_EQ(slots.size(), 720u * 25);
    EXPECT_EQ(slots[0], 6);
    EXPECT_EQ(slots[1], 'C');
    EXPECT_EQ(slots[492 * 25], 24);
}

struct KeyCase {
    int code;
    DecipheredKey key;
};

TEST(DecipherKey, KeysAndModifiersOfACode) {
    const KeyCase cases[] = {
        {472, {33, 0, true, false, false, false}},
        {0, {65, 0, true, false, false, false}},
        {287, {123, 0, true, true, true, false}},
        {299, {123, 0, false, false, false, false}},
        {318, {13, 0, true, true, true, false}},
        {364, {190, 0, true, false, false, false}},
        {433, {111, 0, false, false, true, false}},
        {514, {96, 0, false, false, false, false}},
        {601, {123, 0, false, false, false, true}},
        {650, {65, 0, false, true, false, true}},
        {698, {27, 0, false, false, false, false}},
        {699, {0, 1, false, false, false, false}},
        {705, {0, 1, false, true, true, false}},
        {710, {0, 2, true, false, true, false}},
        {719, {0, 3, false, true, true, false}},
        {720, {}},
        {65535, {}},
        {-3, {}},
    };
    for (const KeyCase& c : cases) EXPECT_EQ(DecipherKey(c.code), c.key) << c.code;
}

TEST(MacroText, ActivationAndScopeAsTheListShowsThem) {
    MacroRecord r;
    r.hotKeyCode = 262;
    EXPECT_EQ(activationText(r), "Ctrl+Alt+Shift+W");
    r.hotKeyCode = HotKeyTimed;
    EXPECT_EQ(activationText(r), "Timed Macro");
    r.hotKeyCode = HotKeySnipword;
    r.snipword = "sig";
    EXPECT_EQ(activationText(r), "sig");
    r.windowName = "Notepad";
    const std::pair<std::int16_t, const char*> scopes[] = {{ScopeGlobal, "GLOBAL"},
                                                           {ScopeWindow, "Window: Notepad"},
                                                           {ScopeProgram, "Program: Notepad"},
                                                           {ScopePopupMenu, "Popup Menu"},
                                                           {ScopeSystem, "SYSTEM"}};
    for (const auto& [scope, text] : scopes) {
        r.scope = scope;
        EXPECT_EQ(scopeText(r), text);
    }
}

}  // namespace
}  // namespace qln
