// The System Hot Keys dialog's logic: what it shows, which hot keys it refuses, and what OK stores.
#include <gtest/gtest.h>

#include "platform/sim/SimDesktop.h"
#include "store/HotKeyNames.h"
#include "store/InMemoryMacroStore.h"
#include "triggers/ReservedHotKeys.h"
#include "ui/SystemKeys.h"

namespace qln {
namespace {

int codeNamed(const std::string& name) {
    for (int code = 0; code < HotKeyCount; ++code)
        if (hotKeyName(code) == name) return code;
    ADD_FAILURE() << name;
    return -1;
}

MacroRecord macro(std::uint16_t code, ScopeKind scope) {
    MacroRecord r;
    r.hotKeyCode = code;
    r.scope = scope;
    r.windowName = scope == ScopeWindow ? "NOTEPAD" : "";
    return r;
}

// A set of: Global on 30, Window on 31, Popup Menu on 32, then the four system macros (262..265).
struct Set {
    sim::SimDesktop desktop{{}};
    TriggerTable table;
    MacroNames names;
    MacroTable macros{table, names, desktop.hook()};
    InMemoryMacroStore store{macros, desktop.clock()};
    Settings settings;
    SystemKeys::MacroReader read = [this](int n) -> std::optional<MacroRecord> { return store.read(n); };

    Set() { store.load({macro(30, ScopeGlobal), macro(31, ScopeWindow), macro(32, ScopePopupMenu)}); }
};

TEST(SystemKeys, ShowsTheSystemMacrosByFunction) {
    Set s;
    s.settings.systemMenu = 3;
    const SystemKeys keys(s.macros, s.settings);
    for (int f = 0; f < SystemKeys::FieldCount; ++f) {
        const auto field = static_cast<SystemKeys::Field>(f);
        EXPECT_EQ(keys.macro(field), 4 + f);
        EXPECT_EQ(keys.code(field), 262 + f);
        EXPECT_EQ(keys.fieldText(field), hotKeyName(262 + f));
    }
    EXPECT_EQ(keys.style, SystemKeys::ShowNick);
    s.settings.systemMenu = 7;
    EXPECT_EQ(SystemKeys(s.macros, s.settings).style, SystemKeys::ShowText);
}

TEST(SystemKeys, RefusesKeysOfGlobalPopupAndSystemMacrosAndOfTheServer) {
    Set s;
    SystemKeys keys(s.macros, s.settings);
    const std::string inUse = "The hot key \"" + hotKeyName(30) +
                              "\" is already in use by a macro.  If you wish to use this hot key combination, you "
                              "will first need to either remove or move the macro which is assigned to it.";
    EXPECT_EQ(keys.hotKeyPressed(SystemKeys::ActProg, 30), (SystemKeysRefusal{"Error", inUse}));
    EXPECT_TRUE(keys.hotKeyPressed(SystemKeys::ActProg, 32));
    EXPECT_TRUE(keys.hotKeyPressed(SystemKeys::ActProg, 263));  // Start/Stop Capture's
    const int ctrlAltF5 = codeNamed("Ctrl+Alt+F5");
    EXPECT_EQ(keys.hotKeyPressed(SystemKeys::ActProg, ctrlAltF5), (SystemKeysRefusal{"Error", ReservedHotKeyMessage}));
    EXPECT_EQ(keys.code(SystemKeys::ActProg), 262);
    // A Window macro may share it; the field's own key is no conflict.
    EXPECT_FALSE(keys.hotKeyPressed(SystemKeys::ActProg, 31));
    EXPECT_EQ(keys.code(SystemKeys::ActProg), 31);
    EXPECT_FALSE(keys.hotKeyPressed(SystemKeys::StartCap, 263));
    // A key the dialog took from a system macro is free for another field.
    EXPECT_FALSE(keys.hotKeyPressed(SystemKeys::Resume, 262));
}

TEST(SystemKeys, OkRefusesTheSameKeyTwice) {
    Set s;
    // Two functions given one key: possible when the table already holds it twice (a damaged or imported file).
    MacroRecord second = s.store.read(5);
    second.hotKeyCode = 262;
    s.store.store(5, second);
    SystemKeys keys(s.macros, s.settings);
    EXPECT_EQ(keys.OkButtonClick(s.read, s.store, s.settings),
              (SystemKeysRefusal{"Error", "The same hot key has been assigned to more than one system command."}));
    EXPECT_FALSE(keys.changed());
}

TEST(SystemKeys, OkStoresChangedCodesAndTheStyle) {
    Set s;
    SystemKeys keys(s.macros, s.settings);
    ASSERT_FALSE(keys.hotKeyPressed(SystemKeys::MenuTop, 40));
    keys.style = SystemKeys::ShowIcon;
    EXPECT_FALSE(keys.OkButtonClick(s.read, s.store, s.settings));
    EXPECT_TRUE(keys.changed());
    EXPECT_EQ(s.store.read(7).hotKeyCode, 40);
    EXPECT_EQ(s.macros.table().code(7), 40);
    EXPECT_EQ(s.store.read(4).hotKeyCode, 262);
    EXPECT_EQ(s.settings.systemMenu, 2);

    SystemKeys unchanged(s.macros, s.settings);
    EXPECT_FALSE(unchanged.OkButtonClick(s.read, s.store, s.settings));
    EXPECT_FALSE(unchanged.changed());
}

TEST(SystemKeys, AMacroThatCannotBeReadEndsTheOk) {
    Set s;
    SystemKeys keys(s.macros, s.settings);
    ASSERT_FALSE(keys.hotKeyPressed(SystemKeys::ActProg, 40));
    const auto refusal = keys.OkButtonClick([](int) { return std::nullopt; }, s.store, s.settings);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->caption, "Error");
    EXPECT_EQ(s.macros.table().code(4), 262);
}

}  // namespace
}  // namespace qln
