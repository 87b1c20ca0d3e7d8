// The loaded set: trigger arrays, name arrays, the hot key map, the system macros, and what reaches the library.
#include <gtest/gtest.h>

#include "platform/sim/SimClock.h"
#include "platform/sim/SimHookLibrary.h"
#include "store/InMemoryMacroStore.h"
#include "store/MacroTable.h"

namespace qln {
namespace {

using Call = sim::SimHookLibrary::Call;

MacroRecord macro(const std::string& nick, std::uint16_t code, std::int16_t scope = ScopeGlobal, std::uint8_t active = 1,
                  const std::string& name = "") {
    MacroRecord r;
    r.nickname = nick;
    r.hotKeyCode = code;
    r.scope = scope;
    r.active = active;
    r.windowName = name;
    return r;
}

MacroRecord system(char digit, const std::string& nick = "") {
    MacroRecord r = systemMacro(digit, 0);
    if (!nick.empty()) r.nickname = nick;
    return r;
}

struct Set {
    sim::SimClock clock{{2026, 12, 9, 10, 0, 0, 0}};
    sim::SimHookLibrary hook{&clock};
    TriggerTable table;
    MacroNames names;
    MacroTable macros{table, names, hook};
    InMemoryMacroStore store{macros, clock};
};

TEST(SystemMacros, EmptySetGetsTheFourInDigitOrder) {
    Set s;
    s.store.load({});
    ASSERT_EQ(s.macros.count(), 4);
    const char* nicknames[] = {"Activate Quillon", "Start / Stop Capture", "Resume Pause",
                               "Menu of Macros for Top Most Window"};
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(s.table.code(n), 261 + n);
        EXPECT_EQ(s.table.scope(n), ScopeSystem);
        EXPECT_EQ(s.table.active(n), 1);
        EXPECT_EQ(s.table.name(n), std::string(1, static_cast<char>('0' + n)));
        EXPECT_EQ(s.macros.nickname(n), nicknames[n - 1]);
        const MacroRecord& r = s.store.read(n);
        EXPECT_EQ(r.reserved, 0);
        EXPECT_EQ(r.text(), "");
        EXPECT_DOUBLE_EQ(r.modified, 46365.0 + 10.0 / 24);  // 9 December 2026, 10:00
    }
    // Published in the order the load does it: the count, then each appended system macro, counted only once it
    // is stored.
    const std::vector<Call> expected = {{"QlnUpNumKeys", 0, 0}, {"QlnUpItem", 1, 0},    {"QlnUpNumKeys", 0, 0},
                                        {"QlnUpItem", 2, 0},    {"QlnUpNumKeys", 0, 0}, {"QlnUpItem", 3, 0},
                                        {"QlnUpNumKeys", 0, 0}, {"QlnUpItem", 4, 0},    {"QlnUpNumKeys", 0, 0}};
    EXPECT_EQ(s.hook.calls(), expected);
    EXPECT_EQ(s.hook.block()[hooktable::MacroCount], 4);
}

TEST(SystemMacros, WrongNicknameIsShownFixedButTheRecordKeepsItsOwn) {
    Set s;
    s.store.load({system('1'), system('2'), system('3', "My resume"), system('4')});
    EXPECT_EQ(s.macros.count(), 4);
    EXPECT_EQ(s.macros.nickname(3), "Resume Pause");
    EXPECT_EQ(s.store.read(3).nickname, "My resume");
}

TEST(SystemMacros, MissingTwoIsAppendedLast) {
    Set s;
    s.store.load({macro("a", 0), system('1'), macro("b", 1), system('3'), system('4')});
    ASSERT_EQ(s.macros.count(), 6);
    EXPECT_EQ(s.macros.nickname(2), "Activate Quillon");
    EXPECT_EQ(s.macros.nickname(3), "b");
    EXPECT_EQ(s.macros.nickname(6), "Start / Stop Capture");
    EXPECT_EQ(s.table.code(6), 263);
}

TEST(SystemMacros, DuplicatesAndStrangeDigitsAreKept) {
    Set s;
    MacroRecord odd = system('1');
    odd.windowName = "9";
    s.store.load({system('1'), system('1'), system('2'), system('3'), system('4'), odd});
    EXPECT_EQ(s.macros.count(), 6);
}

TEST(SystemMacros, FullSetIsNeverWrittenPastFiveHundred) {
    Set s;
    std::vector<MacroRecord> many(510, macro("m", 5));
    s.store.load(many);
    EXPECT_EQ(s.macros.count(), 500);
    EXPECT_EQ(s.store.records().size(), 500u);
}

struct MapCase {
    const char* name;
    std::vector<MacroRecord> set;
    std::vector<int> usedCodes;
    int snipwordFlag;
};

class HotKeyMap : public ::testing::TestWithParam<MapCase> {};

TEST_P(HotKeyMap, DescribesTheActiveMacros) {
    Set s;
    std::vector<MacroRecord> set = GetParam().set;
    for (char d = '1'; d <= '4'; ++d) set.push_back(system(d));
    s.store.load(set);
    s.macros.SetHotKeys();
    std::vector<int> used;
    for (int code = 0; code < 720; ++code)
        if (s.table.hotKeyUsed(code)) used.push_back(code);
    std::vector<int> expected = GetParam().usedCodes;
    for (int c : {262, 263, 264, 265}) expected.push_back(c);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(used, expected);
    EXPECT_EQ(s.table.snipwordFlag(), GetParam().snipwordFlag);
    // What the library holds is what the image says.
    for (int code = 0; code < 720; ++code)
        EXPECT_EQ(s.hook.block()[hooktable::HotKeyMap + static_cast<std::size_t>(code)], s.table.hotKeyUsed(code) ? 1 : 0);
    EXPECT_EQ(s.hook.block()[hooktable::SnipwordFlag], GetParam().snipwordFlag);
    EXPECT_EQ(s.hook.calls().back().call, "QlnUpKeys");
}

INSTANTIATE_TEST_SUITE_P(
    Store, HotKeyMap,
    ::testing::Values(
        MapCase{"DeactivatedClearsItsCode", {macro("a", 7, ScopeGlobal, 0)}, {}, 0},
        MapCase{"AnotherActiveKeepsTheCode", {macro("a", 7, ScopeGlobal, 0), macro("b", 7)}, {7}, 0},
        MapCase{"TimedAndSnipwordUseNoCode", {macro("t", HotKeyTimed), macro("s", HotKeySnipword)}, {}, 1},
        MapCase{"DeactivatedSnipwordStillSetsTheFlag", {macro("s", HotKeySnipword, ScopeGlobal, 0)}, {}, 1},
        MapCase{"CodeOutsideTheMapIsIgnored", {macro("x", 900)}, {}, 0}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Publish, LongWindowNameIsWholeInTheRecordAndTwentyInTheTable) {
    Set s;
    const std::string name30 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234";
    s.store.load({macro("w", 3, ScopeWindow, 1, name30)});
    EXPECT_EQ(s.store.read(1).windowName, name30);
    EXPECT_EQ(MacroRecord::decode(s.store.read(1).encode()).windowName, name30);
    EXPECT_EQ(s.table.name(1), name30.substr(0, 20));
}

TEST(Publish, CopiesExactlyTheEntryBytesToTheLibrary) {
    Set s;
    s.store.load({});
    s.hook.clearCalls();
    MacroRecord r = macro("Program macro", 0x1234, ScopeProgram, 1, "NOTEPAD.EXE");
    r.topMostOnly = 1;
    s.macros.setCount(5);
    s.store.store(5, r);
    const auto& block = s.hook.block();
    EXPECT_EQ(block[790 + 10], 3);
    EXPECT_EQ(block[790 + 11], 0);
    EXPECT_EQ(block[1771 + 105], 11);
    EXPECT_EQ(block[1771 + 106], 'N');
    EXPECT_EQ(block[12291 + 5], 1);
    EXPECT_EQ(block[12790 + 10], 0x34);
    EXPECT_EQ(block[12790 + 11], 0x12);
    EXPECT_EQ(block[13791 + 5], 1);
    // The count was changed in the image only: the library has not been told.
    EXPECT_EQ(block[hooktable::MacroCount], 4);
    EXPECT_EQ(s.hook.calls(), (std::vector<Call>{{"QlnUpItem", 5, 0}}));
    EXPECT_EQ(s.macros.nickname(5), "Program macro");
}

TEST(Publish, NumbersOutsideTheArraysAreRefused) {
    Set s;
    EXPECT_THROW(s.macros.publish(0, MacroRecord{}), std::out_of_range);
    EXPECT_THROW(s.macros.publish(501, MacroRecord{}), std::out_of_range);
    EXPECT_THROW(s.table.setMacroCount(501), std::out_of_range);
    EXPECT_THROW(s.store.store(3, MacroRecord{}), std::out_of_range);  // would leave a gap
}

}  // namespace
}  // namespace qln
