// The System Hot Keys form on the offscreen platform: capturing a hot key into the focused field, its refusals,
// and what OK stores.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

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
        QApplication::setActiveWindow(d.get());
        return d;
    }
};

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

}  // namespace
}  // namespace qln::gui
