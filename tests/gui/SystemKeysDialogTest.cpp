// The System Hot Keys form on the offscreen platform: capturing a hot key into the focused field, its refusals,
// and what OK stores.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <tuple>

#include "gui/triggers/SystemKeysDialog.h"
#include "platform/sim/SimDesktop.h"
#include "store/HotKeyNames.h"
#include "store/InMemoryMacroStore.h"

namespace qln::gui {
namespace {

struct Collected : INotices {
    void notice(std::string_view caption, std::string_view text) override {
        seen.push_back(std::string(caption) + ": " + std::string(text));
    }
    std::vector<std::string> seen;
};

struct Set {
    sim::SimDesktop desktop{{}};
    TriggerTable table;
    MacroNames names;
    MacroTable macros{table, names, desktop.hook()};
    InMemoryMacroStore store{macros, desktop.clock()};
    Settings settings;
    SystemKeys::MacroReader read = [this](int n) -> std::optional<MacroRecord> { return store.read(n); };
    std::vector<bool> capturing;
    Collected notices;

    Set() {
        MacroRecord global;
        global.hotKeyCode = 30;
        store.load({global});  // the system macros follow as 2..5
    }
    std::unique_ptr<SystemKeysDialog> dialog() {
        auto d = std::make_unique<SystemKeysDialog>(
            macros, settings, read, store, [this](bool on) { capturing.push_back(on); }, &notices);
        d->show();
        // Mnemonics work in the active window only.
        d->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(d.get()));
        return d;
    }
};

int codeOf(const std::string& name) {
    for (int c = 0; c < HotKeyCount; ++c)
        if (hotKeyName(c) == name) return c;
    ADD_FAILURE() << name;
    return -1;
}

QLineEdit* field(const QWidget& d, const char* name) {
    auto* f = d.findChild<QLineEdit*>(name);
    EXPECT_NE(f, nullptr) << name;
    return f;
}

TEST(SystemKeysDialog, AHotKeyGoesIntoTheFocusedField) {
    Set s;
    auto d = s.dialog();
    EXPECT_EQ(d->windowTitle(), "System Hot Keys");
    EXPECT_EQ(d->findChild<QLabel*>("PressLabel")->text(), "(Press the Hot Key)");
    EXPECT_EQ(field(*d, "Resume")->text(), QString::fromStdString(hotKeyName(264)));
    EXPECT_TRUE(field(*d, "Resume")->isReadOnly());
    // The first field has the focus: the dialog waits for a hot key from the start.
    EXPECT_EQ(s.capturing, std::vector<bool>{true});
    d->focusField(SystemKeys::Resume);
    EXPECT_EQ(s.capturing, std::vector<bool>{true});
    d->hotKeyPressed(40);
    EXPECT_EQ(field(*d, "Resume")->text(), QString::fromStdString(hotKeyName(40)));
    d->hotKeyPressed(30);
    ASSERT_EQ(s.notices.seen.size(), 1u);
    EXPECT_EQ(s.notices.seen[0], "Error: The hot key \"" + hotKeyName(30) +
                                     "\" is already in use by a macro.  If you wish to use this hot key combination, "
                                     "you will first need to either remove or move the macro which is assigned to it.");
    EXPECT_EQ(field(*d, "Resume")->text(), QString::fromStdString(hotKeyName(40)));
    d->findChild<QRadioButton*>("ShowNick")->setChecked(true);
    QTest::mouseClick(d->findChild<QPushButton*>("OkButton"), Qt::LeftButton);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_TRUE(d->changed());
    EXPECT_EQ(s.store.read(4).hotKeyCode, 40);
    EXPECT_EQ(s.settings.systemMenu, 3);
    ASSERT_FALSE(s.capturing.empty());
    EXPECT_FALSE(s.capturing.back());
}

TEST(SystemKeysDialog, CancelStoresNothing) {
    Set s;
    auto d = s.dialog();
    d->focusField(SystemKeys::ActProg);
    d->hotKeyPressed(41);
    QTest::mouseClick(d->findChild<QPushButton*>("CancelButton"), Qt::LeftButton);
    EXPECT_FALSE(d->changed());
    EXPECT_EQ(s.store.read(2).hotKeyCode, 262);
    EXPECT_FALSE(s.capturing.back());
}

// While a field waits, the hook library reports every hot key pressed, and the dialog sees the same press.
void press(SystemKeysDialog& d, QWidget* focused, Qt::Key key, Qt::KeyboardModifiers modifiers, const char* name,
           bool codeFirst = false) {
    if (codeFirst) d.hotKeyPressed(codeOf(name));
    QTest::keyClick(focused, key, modifiers);
    if (!codeFirst && d.isVisible()) d.hotKeyPressed(codeOf(name));
    // A mnemonic clicks its button as a click of the mouse would, animated: the click comes from the loop.
    (void)QTest::qWaitFor([&] { return !d.isVisible(); }, 300);
}

TEST(SystemKeysDialog, TheDialogsOwnKeysWorkWhileAFieldWaits) {
    for (const bool codeFirst : {false, true}) {
        Set s;
        auto d = s.dialog();
        d->focusField(SystemKeys::ActProg);
        QLineEdit* f = field(*d, "ActProg");
        const QString before = f->text();
        // Alt+O is Ok's mnemonic: the dialog closes, nothing changed.
        press(*d, f, Qt::Key_O, Qt::AltModifier, "Alt+O", codeFirst);
        EXPECT_EQ(d->result(), QDialog::Accepted) << codeFirst;
        EXPECT_FALSE(d->changed()) << codeFirst;
        EXPECT_EQ(s.store.read(2).hotKeyCode, 262) << codeFirst;
        EXPECT_EQ(f->text(), before);
    }
    Set s;
    auto d = s.dialog();
    QLineEdit* f = field(*d, "ActProg");
    d->focusField(SystemKeys::ActProg);
    press(*d, f, Qt::Key_Escape, Qt::NoModifier, "ESC");
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->result(), QDialog::Rejected);
}

TEST(SystemKeysDialog, ACombinationNoControlUsesIsTheHotKey) {
    Set s;
    auto d = s.dialog();
    d->focusField(SystemKeys::Resume);
    QLineEdit* f = field(*d, "Resume");
    for (const auto& [key, modifiers, name] : std::vector<std::tuple<Qt::Key, Qt::KeyboardModifiers, const char*>>{
             {Qt::Key_Q, Qt::AltModifier, "Alt+Q"},
             {Qt::Key_O, Qt::AltModifier | Qt::ShiftModifier, "Alt+Shift+O"},
             {Qt::Key_O, Qt::ControlModifier | Qt::AltModifier, "Ctrl+Alt+O"}}) {
        press(*d, f, key, modifiers, name);
        EXPECT_TRUE(d->isVisible()) << name;
        EXPECT_EQ(f->text(), QString(name));
    }
}

TEST(SystemKeysDialog, SpaceFirstGivesAFieldOneOfTheDialogsOwnKeys) {
    for (const bool codeFirst : {false, true}) {
        Set s;
        auto d = s.dialog();
        d->focusField(SystemKeys::ActProg);
        QLineEdit* f = field(*d, "ActProg");
        QTest::keyClick(f, Qt::Key_Space);
        EXPECT_TRUE(f->text().isEmpty());  // waiting for any key
        press(*d, f, Qt::Key_O, Qt::AltModifier, "Alt+O", codeFirst);
        EXPECT_TRUE(d->isVisible()) << codeFirst;
        EXPECT_EQ(f->text(), "Alt+O") << codeFirst;
        QTest::keyClick(f, Qt::Key_Space);
        press(*d, f, Qt::Key_Escape, Qt::NoModifier, "ESC", codeFirst);
        EXPECT_TRUE(d->isVisible()) << codeFirst;
        EXPECT_EQ(f->text(), "ESC") << codeFirst;
        // Armed no more: Alt+O is Ok again.
        press(*d, f, Qt::Key_O, Qt::AltModifier, "Alt+O", codeFirst);
        EXPECT_EQ(d->result(), QDialog::Accepted);
        EXPECT_EQ(s.store.read(2).hotKeyCode, codeOf("ESC"));
    }
}

}  // namespace
}  // namespace qln::gui
