// The main window's list: cell texts, the three-level sort, the selection across a sort, type-ahead, the header's
// right click and the row commands.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/sim/SimHookLibrary.h"
#include "store/HotKeyNames.h"
#include "ui/MacroList.h"

namespace qln {
namespace {

std::uint16_t code(const std::string& name) {
    for (int c = 0; c < HotKeyCount; ++c)
        if (hotKeyName(c) == name) return static_cast<std::uint16_t>(c);
    throw std::invalid_argument("no hot key " + name);
}

struct M {
    std::string nick;
    std::uint16_t code;
    std::int16_t scope = ScopeGlobal;
    std::string name = "";  // window or program; the Snipword of a Snipword macro
    std::uint8_t active = 1;
};

struct Set {
    sim::SimHookLibrary hook;
    TriggerTable trigger;
    MacroNames names;
    MacroTable table{trigger, names, hook};
    Settings settings;
    MacroList list{table, settings};

    explicit Set(const std::vector<M>& macros) {
        int n = 0;
        for (const M& m : macros) {
            MacroRecord r;
            r.nickname = m.nick;
            r.hotKeyCode = m.code;
            r.scope = m.scope;
            r.active = m.active;
            (m.code == HotKeySnipword ? r.snipword : r.windowName) = m.name;
            table.publish(++n, r);
        }
        table.setCount(n);
    }
    // The macro numbers in display order.
    std::vector<int> order() const {
        std::vector<int> macros;
        for (int row = 1; row < list.rowCount(); ++row) macros.push_back(list.macroAt(row));
        return macros;
    }
};

TEST(MacroListCells, EachKindOfMacroAndTheHeader) {
    Set s({{"timed", HotKeyTimed, ScopeGlobal},
           {"snip", HotKeySnipword, ScopeGlobal, "zap"},
           {"win", code("Ctrl+B"), ScopeWindow, "Untitled - Notepad"},
           {"prog", code("Ctrl+C"), ScopeProgram, "XTERM"},
           {"menu", code("Ctrl+D"), ScopePopupMenu},
           {"sys", code("Ctrl+E"), ScopeSystem, "1"},
           {"off", code("Ctrl+F"), ScopeGlobal, "", 0}});
    s.settings.activationSort = "312";  // timed first, then hot keys, then Snipwords
    s.list.fill();
    const std::vector<std::vector<std::string>> expected = {{"", "Activation", "Nickname", "Scope"},
                                                            {"1", "Timed Macro", "timed", "GLOBAL"},
                                                            {"2", "Ctrl+B", "win", "Window: Untitled - Notepad"},
                                                            {"3", "Ctrl+C", "prog", "Program: XTERM"},
                                                            {"4", "Ctrl+D", "menu", "Popup Menu"},
                                                            {"5", "Ctrl+E", "sys", "SYSTEM"},
                                                            {"6", "Ctrl+F", "off", "GLOBAL"},
                                                            {"7", "zap", "snip", "GLOBAL"}};
    ASSERT_EQ(s.list.rowCount(), 8);
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 4; ++col) EXPECT_EQ(s.list.cellText(row, col), expected[row][col]) << row << "," << col;
    EXPECT_TRUE(s.list.deactivated(6));
    EXPECT_FALSE(s.list.deactivated(5));
    EXPECT_FALSE(s.list.deactivated(0));
}

struct SortCase {
    const char* what;
    std::vector<M> macros;
    std::string primary, activation, scope;
    std::vector<int> order;
};

class MacroListSort : public ::testing::TestWithParam<SortCase> {};

TEST_P(MacroListSort, RowsInOrder) {
    const SortCase& c = GetParam();
    Set s(c.macros);
    s.settings.primarySort = c.primary;
    s.settings.activationSort = c.activation;
    s.settings.scopeSort = c.scope;
    s.list.fill();
    EXPECT_EQ(s.order(), c.order) << c.what;
}

const std::vector<M> kinds = {{"a", HotKeySnipword, ScopeGlobal, "zz"},
                              {"b", HotKeyTimed},
                              {"c", code("Alt+A")},
                              {"d", HotKeySnipword, ScopeGlobal, "aa"},
                              {"e", code("Ctrl+A")}};
const std::vector<M> sameKey = {{"x", code("Ctrl+A"), ScopeProgram, "zed"},
                                {"y", code("Ctrl+A"), ScopeGlobal},
                                {"w", code("Ctrl+A"), ScopeWindow, "abc"}};
const M same = {"same", code("Ctrl+A")};

INSTANTIATE_TEST_SUITE_P(
    Cases, MacroListSort,
    ::testing::Values(
        SortCase{"hot keys by name, Snipwords by name, then timed", kinds, "123", "123", "12345", {3, 5, 4, 1, 2}},
        SortCase{"activation order 312", kinds, "123", "312", "12345", {2, 3, 5, 4, 1}},
        SortCase{"activation order 231", kinds, "123", "231", "12345", {4, 1, 2, 3, 5}},
        SortCase{"same key: nickname second", sameKey, "123", "123", "12345", {3, 1, 2}},
        SortCase{"same key: scope second", sameKey, "132", "123", "12345", {2, 3, 1}},
        SortCase{"same key: scope order 32145", sameKey, "132", "123", "32145", {1, 3, 2}},
        SortCase{
            "scope first",
            {{"n", code("Ctrl+B"), ScopeSystem, "1"}, {"m", code("Ctrl+A"), ScopePopupMenu}, {"o", code("Ctrl+C")}},
            "312",
            "123",
            "12345",
            {3, 2, 1}},
        SortCase{"letters compare upper-cased",
                 {{"_x", code("Ctrl+A")}, {"apple", code("Ctrl+A")}},
                 "213",
                 "123",
                 "12345",
                 {2, 1}},
        SortCase{"bytes above 127 come after letters",
                 {{"\xC9mile", code("Ctrl+A")}, {"zoo", code("Ctrl+A")}},
                 "213",
                 "123",
                 "12345",
                 {2, 1}},
        // The partial keys follow each other without a separator: "ABA" and then its activation key beat "AB".
        SortCase{"keys joined", {{"AB", code("Ctrl+A")}, {"ABA", code("Ctrl+A")}}, "213", "123", "12345", {2, 1}},
        SortCase{"damaged settings read as the default", kinds, "1", "x", "", {3, 5, 4, 1, 2}},
        // Equal keys stay where this quicksort leaves them, not in their first order.
        SortCase{"three equal keys", {same, same, same}, "123", "123", "12345", {3, 2, 1}},
        SortCase{"four equal keys", {same, same, same, same}, "123", "123", "12345", {3, 4, 1, 2}}));

TEST(MacroListSelection, FollowsTheMacroAcrossASort) {
    Set s({{"c", code("Ctrl+A")}, {"b", code("Ctrl+B")}, {"a", code("Ctrl+C")}});
    s.list.fill();
    s.list.selectRow(1);
    ASSERT_EQ(s.list.selectedMacro(), 1);
    s.settings.primarySort = "213";
    s.list.fill();
    EXPECT_EQ(s.order(), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(s.list.selectedRow(), 3);
    EXPECT_EQ(s.list.selectedMacro(), 1);
}

TEST(MacroListSelection, AMacroThatIsGoneLeavesTheRowCutToTheLast) {
    Set s({{"a", code("Ctrl+A")}, {"b", code("Ctrl+B")}, {"c", code("Ctrl+C")}});
    s.list.fill();
    s.list.selectRow(3);
    s.table.setCount(2);
    s.list.fill();
    EXPECT_EQ(s.list.selectedRow(), 2);
    s.list.selectRow(0);  // the header is not a row to select
    s.list.selectRow(3);
    EXPECT_EQ(s.list.selectedRow(), 2);
}

TEST(MacroListSelection, EmptyTableHasOnlyTheHeaderAndIgnoresEverything) {
    Set s({});
    s.list.fill();
    EXPECT_EQ(s.list.rowCount(), 1);
    EXPECT_EQ(s.list.selectedRow(), 0);
    EXPECT_EQ(s.list.selectedMacro(), 0);
    EXPECT_EQ(s.list.cellText(0, 2), "Nickname");
    EXPECT_EQ(s.list.cellText(1, 2), "");
    EXPECT_FALSE(s.list.key(ListKey::Character, 'c'));
    EXPECT_FALSE(s.list.headerRightClick(2));
    EXPECT_EQ(s.settings.primarySort, "123");
    s.list.selectRow(1);
    EXPECT_EQ(s.list.selectedRow(), 0);
}

struct Typed {
    ListKey key;
    char c;
    std::string buffer;
    int macro;  // selected afterwards
};

TEST(MacroListTypeAhead, CtrlSInMixedCaseAndTheKeysThatClear) {
    Set s({{"1", code("Ctrl+Shift+A")},
           {"2", code("Ctrl+A")},
           {"3", code("Ctrl+S")},
           {"4", code("Alt+S")},
           {"5", HotKeySnipword, ScopeGlobal, "zap"},
           {"6", HotKeyTimed}});
    s.list.fill();
    s.list.selectRow(s.list.rowOf(4));
    const std::vector<Typed> steps = {{ListKey::Character, 'c', "C", 2},
                                      {ListKey::Character, 'T', "CT", 2},
                                      {ListKey::Character, 'r', "CTR", 2},
                                      {ListKey::Character, 'L', "CTRL", 2},
                                      {ListKey::Character, '+', "CTRL+", 2},
                                      {ListKey::Character, 's', "CTRL+S", 3},
                                      {ListKey::Character, '\x13', "CTRL+S", 3},  // Ctrl with a letter types no text
                                      {ListKey::Character, 'h', "CTRL+SH", 1},
                                      {ListKey::Backspace, 0, "CTRL+S", 3},
                                      {ListKey::Character, 'q', "CTRL+SQ", 3},  // nothing matches: the selection stays
                                      {ListKey::Down, 0, "", 3},
                                      {ListKey::Character, 'Z', "Z", 5},
                                      {ListKey::Backspace, 0, "", 5},  // an empty buffer looks for nothing
                                      {ListKey::Backspace, 0, "", 5},
                                      {ListKey::Character, 't', "T", 6},
                                      {ListKey::Character, '\r', "", 6},
                                      {ListKey::Character, 'a', "A", 4},
                                      {ListKey::Character, '\x1b', "", 4},
                                      {ListKey::Character, 'z', "Z", 5},
                                      {ListKey::Character, '\t', "", 5},
                                      {ListKey::Character, 'a', "A", 4},
                                      {ListKey::Ctrl, 0, "", 4},
                                      {ListKey::Character, 'a', "A", 4},
                                      {ListKey::Other, 0, "A", 4},
                                      {ListKey::Home, 0, "", 4}};
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const int before = s.list.selectedMacro();
        const bool moved = s.list.key(steps[i].key, steps[i].c);
        EXPECT_EQ(s.list.typeAhead(), steps[i].buffer) << "step " << i;
        EXPECT_EQ(s.list.selectedMacro(), steps[i].macro) << "step " << i;
        EXPECT_EQ(moved, before != steps[i].macro) << "step " << i;
    }
}

TEST(MacroListTypeAhead, BufferHoldsAtMost255Characters) {
    Set s({{"a", code("Ctrl+A")}});
    s.list.fill();
    for (int i = 0; i < 300; ++i) s.list.key(ListKey::Character, 'x');
    EXPECT_EQ(s.list.typeAhead().size(), 255u);
}

struct HeaderCase {
    bool sortHeader;
    std::string primary;
    int column;
    bool changed;
    std::string after;
    std::vector<int> order;
};

class MacroListHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(MacroListHeader, RightClick) {
    const HeaderCase& c = GetParam();
    Set s({{"b", code("Ctrl+A")}, {"a", code("Ctrl+B")}});
    s.settings.sortHeader = c.sortHeader;
    s.settings.primarySort = c.primary;
    s.list.fill();
    s.list.selectRow(s.list.rowOf(1));
    EXPECT_EQ(s.list.headerRightClick(c.column), c.changed);
    EXPECT_EQ(s.settings.primarySort, c.after);
    EXPECT_EQ(s.list.selectedMacro(), 1);
    EXPECT_EQ(s.order(), c.order);
}

INSTANTIATE_TEST_SUITE_P(Cases, MacroListHeader,
                         ::testing::Values(HeaderCase{true, "123", 1, false, "123", {1, 2}},  // already primary
                                           HeaderCase{true, "132", 1, false, "132", {1, 2}},
                                           HeaderCase{true, "123", 2, true, "213", {2, 1}},
                                           HeaderCase{true, "213", 1, true, "132", {1, 2}},
                                           HeaderCase{true, "213", 3, true, "321", {2, 1}},
                                           HeaderCase{true, "312", 3, false, "312", {1, 2}},
                                           HeaderCase{true, "123", 0, false, "123", {1, 2}},
                                           HeaderCase{true, "123", 4, false, "123", {1, 2}},
                                           HeaderCase{false, "123", 2, false, "123", {1, 2}}));

TEST(MacroListCells, ShortenedByCharactersUntilTheyFit) {
    const auto tenEach = [](std::string_view t) { return static_cast<int>(t.size()) * 10; };
    EXPECT_EQ(fitCellText("Nickname", 52, tenEach), "Nickn");
    EXPECT_EQ(fitCellText("Nickname", 82, tenEach), "Nickname");  // exactly the cell less 2 pixels
    EXPECT_EQ(fitCellText("Nickname", 81, tenEach), "Nicknam");
    EXPECT_EQ(fitCellText("Nickname", 2, tenEach), "");
    EXPECT_EQ(fitCellText("", 0, tenEach), "");
}

struct CommandCase {
    std::int16_t scope;
    std::uint16_t code;
    RestrictedMode mode;
    bool popupCaption;
    // recapture, script editor, copy, modify directly, remove, activate
    std::array<bool, 6> enabled;
};

class MacroListRowCommands : public ::testing::TestWithParam<CommandCase> {};

TEST_P(MacroListRowCommands, ForTheSelectedMacro) {
    const CommandCase& c = GetParam();
    Set s({{"m", c.code, c.scope, c.scope == ScopeSystem ? "1" : ""}});
    const RowCommands r = CheckTimeItem(s.table, 1, c.mode);
    EXPECT_EQ(r.modifyCaption, c.popupCaption ? "Mo&dify Popup Menu" : "Modify &Directly");
    EXPECT_EQ(r.modifyHint, c.popupCaption ? "Modify Macro Popup Menu" : "Modify Macro Directly");
    const std::array<bool, 6> got = {r.recapture, r.scriptEditor, r.copy, r.modifyDirectly, r.remove, r.activate};
    EXPECT_EQ(got, c.enabled);
}

constexpr std::array<bool, 6> all = {true, true, true, true, true, true};
constexpr std::array<bool, 6> none = {};
INSTANTIATE_TEST_SUITE_P(
    Cases, MacroListRowCommands,
    ::testing::Values(
        CommandCase{ScopeGlobal, 0, RestrictedMode::None, false, all},
        CommandCase{ScopeWindow, HotKeySnipword, RestrictedMode::None, false, all},
        CommandCase{ScopeGlobal, HotKeyTimed, RestrictedMode::None, false, {false, true, true, true, true, true}},
        CommandCase{ScopePopupMenu, 5, RestrictedMode::None, true, {false, false, true, true, true, true}},
        CommandCase{ScopeSystem, 262, RestrictedMode::None, false, none},
        CommandCase{ScopeGlobal, 0, RestrictedMode::Browse, false, none},
        CommandCase{ScopePopupMenu, 5, RestrictedMode::BrowseAll, true, none}));

TEST(MacroListRowCommands, NoMacroEnablesNothing) {
    Set s({});
    const RowCommands r = CheckTimeItem(s.table, 1, RestrictedMode::None);
    EXPECT_EQ(r.modifyCaption, "Modify &Directly");
    EXPECT_FALSE(r.copy || r.remove || r.activate || r.recapture || r.scriptEditor || r.modifyDirectly);
}

TEST(MacroListRowCommands, ActivateCaptionFollowsTheState) {
    EXPECT_EQ(activateCommand(true).caption, "Deacti&vate Macro");
    EXPECT_EQ(activateCommand(true).hint, "Deactivate Macro");
    EXPECT_EQ(activateCommand(false).caption, "Acti&vate Macro");
    EXPECT_EQ(activateCommand(false).hint, "Activate Macro");
    EXPECT_TRUE(rowClicksAllowed(RestrictedMode::None));
    EXPECT_FALSE(rowClicksAllowed(RestrictedMode::Browse));
    EXPECT_FALSE(rowClicksAllowed(RestrictedMode::BrowseAll));
}

}  // namespace
}  // namespace qln
