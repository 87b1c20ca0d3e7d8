// The "Choose A Macro" window's logic: entry texts and keys, the sizes of the lists and of the icon buttons, the
// keys that choose, and where the window goes.
#include <gtest/gtest.h>

#include <fstream>

#include "store/HotKeyNames.h"
#include "support/TempFolder.h"
#include "ui/MacroMenuModel.h"

namespace qln {
namespace {

std::vector<MenuMacro> numbered(int count) {
    std::vector<MenuMacro> macros;
    for (int n = 1; n <= count; ++n) {
        MenuMacro m;
        m.number = 100 + n;
        m.nickname = "Macro " + std::to_string(n);
        macros.push_back(m);
    }
    return macros;
}

MacroMenuModel menu(int count, MenuStyle style = MenuStyle::NicknameAndScope, int iconSize = 16) {
    return MacroMenuModel({{}, style, iconSize, -1}, numbered(count), "/nowhere");
}

TEST(MacroMenuModel, NineteenEntriesMakeTwoListsAndTheNineteenthKeyIsI) {
    const MacroMenuModel m = menu(19);
    EXPECT_TRUE(m.twoLists());
    EXPECT_EQ(m.entries()[18].key, 'I');
    EXPECT_EQ(m.entries()[9].key, '9');
    EXPECT_EQ(m.entries()[10].key, 'A');
    EXPECT_EQ(m.clientWidth(), 604);
    EXPECT_EQ(m.scriptHeight(), 314);
    EXPECT_EQ(m.script2Height(), 17 * 19 - 298);
    const MacroMenuModel one = menu(18);
    EXPECT_FALSE(one.twoLists());
    EXPECT_EQ(one.clientWidth(), 300);
    EXPECT_EQ(one.script2Height(), 0);
    EXPECT_EQ(menu(40).count(), 36);
    EXPECT_EQ(menu(40).entries().back().key, 'Z');
}

TEST(MacroMenuModel, IconButtonLayout) {
    struct Case {
        int count, iconSize, width, height;
    };
    const Case cases[] = {
        {1, 16, 4 * 20, 20 + 22},       {3, 16, 4 * 20, 20 + 22},  {4, 16, 4 * 20, 20 + 22},
        {8, 32, 8 * 36, 36 + 22},       {9, 32, 9 * 36, 36 + 22},  {10, 32, 9 * 36, 2 * 36 + 22},
        {36, 64, 9 * 68, 4 * 68 + 22},  {5, 17, 5 * 20, 20 + 22},
    };
    for (const Case& c : cases) {
        const MacroMenuModel m = menu(c.count, MenuStyle::Icons, c.iconSize);
        EXPECT_EQ(m.clientWidth(), c.width) << c.count << " " << c.iconSize;
        EXPECT_EQ(m.clientHeight(), c.height) << c.count << " " << c.iconSize;
    }
}

TEST(MacroMenuModel, KeysChooseOnlyListedPositions) {
    const MacroMenuModel m = menu(12);
    const std::pair<char32_t, int> cases[] = {{U'0', 101}, {U'9', 110}, {U'A', 111}, {U'b', 112}, {U'B', 112},
                                              {U'C', -1},  {U'z', -1},  {U' ', -1},  {U'-', -1},  {U'\u00e9', -1}};
    for (const auto& [key, macro] : cases) EXPECT_EQ(m.macroAt(m.positionForKey(key)), macro) << int(key);
    EXPECT_EQ(menu(0).positionForKey(U'0'), -1);
}

TEST(MacroMenuModel, EntryTexts) {
    std::vector<MenuMacro> macros(6);
    macros[0] = {1, "Signature", "", "", "Best regards,\r\nAnn", "", 30, ScopeGlobal};
    macros[1] = {2, "", "", "NOTEPAD", "x", "", 61, ScopeWindow};
    macros[2] = {3, "", "", "", "x", "", HotKeyTimed, ScopeGlobal};
    macros[3] = {4, "", "addr", "xterm", "x", "", HotKeySnipword, ScopeProgram};
    macros[4] = {5, "Letters", "YN1", "", "", "MENU", 250, ScopePopupMenu};
    macros[5] = {6, "Start/Stop Capture", "", "2", "", "", 64, ScopeSystem};
    const MacroMenuModel scope({{}, MenuStyle::NicknameAndScope, 16, -1}, macros, "/nowhere");
    const std::pair<std::string, std::string> shown[] = {{"Signature", "GLOBAL"},    {hotKeyName(61), "NOTEPAD"},
                                                         {"Timed Macro", "GLOBAL"},  {"addr", "xterm"},
                                                         {"Letters", "Popup Menu"}, {"Start/Stop Capture", "SYSTEM"}};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(scope.entries()[i].label, shown[i].first) << i;
        EXPECT_EQ(scope.entries()[i].scope, shown[i].second) << i;
    }
    const MacroMenuModel text({{}, MenuStyle::MacroText, 16, -1}, macros, "/nowhere");
    EXPECT_EQ(text.entries()[0].label, "Best regards,");
    EXPECT_EQ(text.entries()[4].label, "Letters");
    EXPECT_EQ(text.entries()[0].scope, "");
}

TEST(MacroMenuModel, Icons) {
    test::TempFolder tmp;
    tmp.write("smiley.ico", "x");
    std::vector<MenuMacro> macros(5);
    macros[0] = {1, "a", "", "", "", "MAIN", 1, ScopeGlobal};
    macros[1] = {2, "b", "", "", "", "MENU", 1, ScopeGlobal};
    macros[2] = {3, "c", "", "", "", "SMILEY.ICO", 1, ScopeGlobal};
    macros[3] = {4, "d", "", "", "", "gone.ico", 1, ScopePopupMenu};
    macros[4] = {5, "e", "", "", "", "gone.ico", 1, ScopeWindow};
    const MacroMenuModel m({{}, MenuStyle::Icons, 32, -1}, macros, tmp.path());
    const MenuIcon icons[] = {MenuIcon::Program, MenuIcon::Menu, MenuIcon::File, MenuIcon::Menu, MenuIcon::Program};
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(m.entries()[i].icon, icons[i]) << i;
    EXPECT_EQ(m.entries()[2].iconFile, tmp.file("smiley.ico"));
    EXPECT_EQ(m.entries()[3].hint, "d");
}

TEST(MacroMenuModel, TextIsCutFromItsEndToFit) {
    const auto measure = [](const std::string& s) { return static_cast<int>(s.size()) * 7; };
    EXPECT_EQ(MacroMenuModel::fitText("Fill the order form", 70, measure), "Fill the o");
    EXPECT_EQ(MacroMenuModel::fitText("Short", 70, measure), "Short");
    EXPECT_EQ(MacroMenuModel::fitText("Wide", 3, measure), "");
    EXPECT_EQ(MacroMenuModel::scopeColumn(280), 180);
}

TEST(MacroMenuModel, Placement) {
    const MenuRect screen{0, 0, 1024, 768};
    struct Case {
        int clickX;
        MenuRect expected;
    };
    const Case cases[] = {
        {-1, {362, 234, 300, 300}},   // a hot key: centred
        {100, {100, 468, 300, 300}},  // a tray icon: bottom on the screen's bottom, left at the click
        {724, {724, 468, 300, 300}},  // just fits
        {900, {600, 468, 300, 300}},  // would leave the screen: moved left by its width
        {5000, {724, 468, 300, 300}}, // a click beyond the screen: still on it
    };
    for (const Case& c : cases) EXPECT_EQ(MacroMenuModel::place(300, 300, screen, c.clickX), c.expected) << c.clickX;
    // Wider than the click is from the left edge: never left of the screen.
    EXPECT_EQ(MacroMenuModel::place(700, 300, {0, 0, 1024, 768}, 600), (MenuRect{0, 468, 700, 300}));
    EXPECT_EQ(MacroMenuModel::place(700, 900, {0, 0, 1024, 768}, -1), (MenuRect{162, 0, 700, 900}));
}

}  // namespace
}  // namespace qln
