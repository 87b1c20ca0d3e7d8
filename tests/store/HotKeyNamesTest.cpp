// The hot key name table and DecipherKey.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include "store/HotKeyNames.h"
#include "store/MacroRecord.h"
#include "store/MacroText.h"

namespace qln {
namespace {

bool sameLetters(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// The virtual key of a key as the names spell it; a name cut at 24 characters may end in part of one.
std::optional<std::uint16_t> virtualKeyNamed(std::string_view key, bool cut) {
    if (key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0]))) return static_cast<std::uint16_t>(key[0]);
    static const std::map<std::string, std::uint16_t> named = [] {
        std::map<std::string, std::uint16_t> m = {
            {"Enter", 13},      {"Tab", 9},          {"Backspace", 8},  {"Space", 32},      {"Insert", 45},
            {"Delete", 46},     {"Home", 36},        {"End", 35},       {"Page Up", 33},    {"Page Down", 34},
            {"Left Arrow", 37}, {"Right Arrow", 39}, {"Up Arrow", 38},  {"Down Arrow", 40}, {"ESC", 27},
            {".", 190},         {",", 188},          {"/", 191},        {";", 186},         {"'", 222},
            {"\\", 220},        {"[", 219},          {"]", 221},        {"-", 189},         {"=", 187},
            {"`", 192},         {"Keypad /", 111},   {"Keypad *", 106}, {"Keypad -", 109},  {"Keypad +", 107}};
        for (int f = 1; f <= 12; ++f) m["F" + std::to_string(f)] = static_cast<std::uint16_t>(111 + f);
        for (int d = 0; d <= 9; ++d) m["Keypad " + std::to_string(d)] = static_cast<std::uint16_t>(96 + d);
        return m;
    }();
    std::optional<std::uint16_t> found;
    for (const auto& [name, vk] : named) {
        const bool matches =
            sameLetters(name, key) || (cut && sameLetters(std::string_view(name).substr(0, key.size()), key));
        if (!matches) continue;
        if (found) return std::nullopt;  // a cut name must still say which key it is
        found = vk;
    }
    return found;
}

// The keys a name spells: its modifier words in any order, then one key or mouse button.
std::optional<DecipheredKey> keysNamedBy(std::string_view name) {
    const bool cut = name.size() == 24;
    DecipheredKey k;
    const std::pair<std::string_view, bool DecipheredKey::*> words[] = {{"Ctrl+", &DecipheredKey::ctrl},
                                                                        {"Alt+", &DecipheredKey::alt},
                                                                        {"Shift+", &DecipheredKey::shift},
                                                                        {"Win+", &DecipheredKey::win}};
    for (bool more = true; more;) {
        more = false;
        for (const auto& [word, flag] : words) {
            if (!name.starts_with(word) || k.*flag) continue;
            k.*flag = true;
            name.remove_prefix(word.size());
            more = true;
        }
    }
    const std::string_view buttons[] = {"LMouse", "RMouse", "MMouse"};
    for (std::size_t b = 0; b < 3; ++b)
        if (name == buttons[b]) k.mouseButton = static_cast<std::uint16_t>(b + 1);
    if (k.mouseButton != 0) return k;
    const auto vk = virtualKeyNamed(name, cut);
    if (!vk) return std::nullopt;
    k.vk = *vk;
    return k;
}

TEST(HotKeyNames, EveryCodeHasItsOwnShortNameInItsSlot) {
    std::set<std::string> names;
    const auto slots = hotKeyNameSlots();
    ASSERT_EQ(slots.size(), 720u * 25);
    for (int code = 0; code < HotKeyCount; ++code) {
        const std::string& n = hotKeyName(code);
        EXPECT_FALSE(n.empty()) << code;
        EXPECT_LE(n.size(), 24u) << code;
        EXPECT_TRUE(names.insert(n).second) << code << " repeats " << n;
        const auto* slot = &slots[static_cast<std::size_t>(code) * 25];
        EXPECT_EQ(slot[0], n.size()) << code;
        EXPECT_EQ(std::string(slot + 1, slot + 1 + n.size()), n) << code;
        EXPECT_TRUE(std::all_of(slot + 1 + n.size(), slot + 25, [](std::uint8_t b) { return b == 0; })) << code;
    }
    for (const int outside : {-1, 720, 10000, 20000}) EXPECT_EQ(hotKeyName(outside), "") << outside;
}

TEST(HotKeyNames, EachNameSpellsTheKeysDecipherKeyGivesAndLeadsBackToItsCode) {
    std::map<std::tuple<int, int, bool, bool, bool, bool>, int> codeOfKeys;
    for (int code = 0; code < HotKeyCount; ++code) {
        const DecipheredKey k = DecipherKey(code);
        EXPECT_TRUE(codeOfKeys.emplace(std::tuple{k.vk, k.mouseButton, k.ctrl, k.alt, k.shift, k.win}, code).second)
            << code << " has the keys of another code";
    }
    for (int code = 0; code < HotKeyCount; ++code) {
        const auto named = keysNamedBy(hotKeyName(code));
        ASSERT_TRUE(named) << code << " " << hotKeyName(code);
        EXPECT_EQ(DecipherKey(code), *named) << code << " " << hotKeyName(code);
        const auto back =
            codeOfKeys.find({named->vk, named->mouseButton, named->ctrl, named->alt, named->shift, named->win});
        ASSERT_NE(back, codeOfKeys.end()) << hotKeyName(code);
        EXPECT_EQ(back->second, code) << hotKeyName(code);
    }
    for (const int outside : {-3, 720, 10000, 20000, 65535})
        EXPECT_EQ(DecipherKey(outside), DecipheredKey{}) << outside;
}

// The first and last code of groups, and the places where the order of modifiers or keys shows.
TEST(HotKeyNames, NamesAtTheEdgesOfTheGroups) {
    const std::pair<int, const char*> cases[] = {
        {0, "Ctrl+A"},
        {36, "Ctrl+F1"},
        {48, "Alt+A"},
        {96, "Ctrl+Shift+A"},
        {144, "Ctrl+Alt+A"},
        {192, "Alt+Shift+A"},
        {287, "Ctrl+Alt+Shift+F12"},
        {288, "F1"},
        {311, "Shift+F12"},
        {314, "Shift+Enter"},
        {316, "Alt+Shift+Enter"},
        {320, "Shift+Tab"},
        {349, "Alt+Shift+Delete"},
        {366, "Ctrl+Shift+."},
        {429, "Ctrl+Alt+Shift+`"},
        {430, "KeyPad /"},
        {433, "Shift+KeyPad /"},
        {461, "Ctrl+Alt+Shift+Keypad +"},
        {462, "Insert"},
        {471, "Down Arrow"},
        {472, "Ctrl+Page Up"},
        {492, "Ctrl+Alt+Shift+Left Arro"},
        {499, "Ctrl+Alt+Shift+Right Arr"},
        {513, "Ctrl+Alt+Shift+Down Arro"},
        {553, "Ctrl+Alt+Keypad 9"},
        {602, "Win+Ctrl+A"},
        {697, "Win+Alt+F12"},
        {698, "ESC"},
        {706, "RMouse"},
        {719, "Shift+Alt+MMouse"},
    };
    for (const auto& [code, name] : cases) EXPECT_EQ(hotKeyName(code), name) << code;
    EXPECT_EQ(DecipherKey(472), (DecipheredKey{33, 0, true, false, false, false}));
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
