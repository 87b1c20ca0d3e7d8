// The "Choose A Macro" window on the offscreen platform: its lists and buttons, the keys and clicks that choose,
// Cancel, and its place.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "gui/triggers/MacroMenuDialog.h"
#include "gui/triggers/QtMacroMenu.h"
#include "platform/sim/SimDesktop.h"
#include "store/MacroTable.h"

namespace qln::gui {
namespace {

std::vector<MenuMacro> numbered(int count) {
    std::vector<MenuMacro> macros;
    for (int n = 1; n <= count; ++n) macros.push_back({100 + n, "Macro " + std::to_string(n), "", "", "text", "", 5,
                                                       ScopeGlobal});
    return macros;
}

MacroMenuModel menu(int count, MenuStyle style = MenuStyle::NicknameAndScope) {
    return MacroMenuModel({{}, style, 32, -1}, numbered(count), "/nowhere");
}

TEST(MacroMenuDialog, NineteenEntriesInTwoListsAndKeysChoose) {
    MacroMenuDialog dialog(menu(19));
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Choose A Macro");
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    auto* script = dialog.findChild<QListWidget*>("Script");
    auto* script2 = dialog.findChild<QListWidget*>("Script2");
    ASSERT_TRUE(script && script2);
    EXPECT_EQ(script->count(), 18);
    EXPECT_EQ(script2->count(), 1);
    EXPECT_EQ(script->height(), 314);
    EXPECT_EQ(script2->height(), 17 * 19 - 298);
    EXPECT_EQ(dialog.findChild<QLabel*>("MessageLabel")->text(), "Double Click or Press Number or Letter");
    EXPECT_EQ(dialog.findChild<QLabel*>("Heading"), nullptr);
    script->setFocus();
    QTest::keyClick(script, Qt::Key_J);
    QTest::keyClick(script, Qt::Key_Space);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.chosen(), -1);
    QTest::keyClick(script, Qt::Key_I);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.chosen(), 119);
}

TEST(MacroMenuDialog, DoubleClickChoosesCancelChoosesNothing) {
    MacroMenuDialog dialog(menu(3, MenuStyle::MacroText));
    dialog.show();
    EXPECT_EQ(dialog.findChild<QLabel*>("Heading")->text(), "Macro Text");
    EXPECT_EQ(dialog.findChild<QListWidget*>("Script2"), nullptr);
    auto* script = dialog.findChild<QListWidget*>("Script");
    emit script->itemDoubleClicked(script->item(2));
    EXPECT_EQ(dialog.chosen(), 103);
    MacroMenuDialog cancelled(menu(3));
    cancelled.show();
    QTest::mouseClick(cancelled.findChild<QPushButton*>("CancelButton"), Qt::LeftButton);
    EXPECT_FALSE(cancelled.isVisible());
    EXPECT_EQ(cancelled.chosen(), -1);
}

TEST(MacroMenuDialog, IconButtons) {
    MacroMenuDialog dialog(menu(10, MenuStyle::Icons));
    dialog.show();
    const QList<QToolButton*> buttons = dialog.findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 10);
    auto* tenth = dialog.findChild<QToolButton*>("Icon9");
    ASSERT_NE(tenth, nullptr);
    EXPECT_EQ(tenth->size(), QSize(36, 36));
    EXPECT_EQ(tenth->toolTip(), "Macro 10");
    EXPECT_EQ(tenth->pos(), QPoint(0, 36));
    EXPECT_EQ(dialog.findChild<QWidget*>("IconArea")->size(), QSize(9 * 36, 2 * 36));
    tenth->setFocus();
    QTest::keyClick(tenth, Qt::Key_Space);
    EXPECT_EQ(dialog.chosen(), -1);
    QTest::mouseClick(tenth, Qt::LeftButton);
    EXPECT_EQ(dialog.chosen(), 110);
}

TEST(MacroMenuDialog, FromATrayIconItStandsOnTheBottomOfTheScreen) {
    MacroMenuDialog dialog(menu(4), QGuiApplication::primaryScreen()->availableGeometry().right() - 10);
    dialog.show();
    const QRect area = dialog.screen()->availableGeometry();
    EXPECT_EQ(dialog.frameGeometry().bottom(), area.bottom());
    EXPECT_GE(dialog.frameGeometry().left(), area.left());
    EXPECT_LE(dialog.frameGeometry().right(), area.right());
}

TEST(QtMacroMenu, ShowsTheRecordsAndReturnsTheChoice) {
    sim::SimDesktop desktop{{}};
    TriggerTable table;
    MacroNames names;
    MacroTable macros(table, names, desktop.hook());
    MacroRecord unread;
    unread.nickname = "From the table";
    macros.setCount(2);
    macros.publish(2, unread);
    const MacroReader read = [](int n) -> std::optional<MacroRecord> {
        if (n != 1) return std::nullopt;
        MacroRecord r;
        r.nickname = "From the file";
        return r;
    };
    QtMacroMenu shown(macros, read, "/nowhere");
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<MacroMenuDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->model().entries()[0].label, "From the file");
        EXPECT_EQ(dialog->model().entries()[1].label, "From the table");
        QTest::keyClick(dialog, Qt::Key_1);
    });
    EXPECT_EQ(shown.showMacroMenu({{1, 2}, MenuStyle::NicknameAndScope, 16, -1}), 2);
}

}  // namespace
}  // namespace qln::gui
