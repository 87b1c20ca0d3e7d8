// The main window's small dialogs on the offscreen platform: what they show, what they refuse, what they store.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include "core/Notices.h"
#include "gui/FontSetting.h"
#include "gui/dialogs/AppearanceDialog.h"
#include "gui/dialogs/NetworkDialog.h"
#include "gui/dialogs/QuickInfoDialog.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimMessagePump.h"
#include "store/HotKeyNames.h"
#include "support/TempFolder.h"

namespace qln::gui {
namespace {

template <typename W>
W* child(const QWidget& form, const char* name) {
    W* w = form.findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

QString labelText(const QWidget& form, const char* name) {
    return child<QLabel>(form, name)->text();
}

struct CollectedNotices : INotices {
    void notice(std::string_view caption, std::string_view text) override {
        seen.push_back(std::string(caption) + ": " + std::string(text));
    }
    std::vector<std::string> seen;
};

TEST(QuickInfoDialog, ShowsTheRecordsFields) {
    MacroRecord r;
    r.hotKeyCode = 5;
    r.nickname = "Caf\xE9 <b>order</b>";
    r.scope = ScopeWindow;
    r.windowName = "NOTEPAD";
    r.topMostOnly = 1;
    r.active = 0;
    r.iconName = "MAIN";
    r.setText("Dear Sir,<ENTER>\r\nYours");
    QWidget mainWindow;  // in a corner: the dialog still centres on the screen
    mainWindow.setGeometry(0, 0, 200, 100);
    mainWindow.show();
    QuickInfoDialog dialog(quickInfoOf(r, "/nowhere"), &mainWindow);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Quick Info");
    const QPoint offCentre = dialog.frameGeometry().center() - dialog.screen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 2);
    EXPECT_EQ(labelText(dialog, "TriggerLabel"), "Hot Key:");
    EXPECT_EQ(labelText(dialog, "TriggerText"), QString::fromStdString(hotKeyName(5)));
    EXPECT_EQ(labelText(dialog, "NickName"), QString::fromUtf8("Caf\u00e9 <b>order</b>"));
    EXPECT_EQ(child<QLabel>(dialog, "NickName")->textFormat(), Qt::PlainText);
    EXPECT_EQ(labelText(dialog, "Scope"), "NOTEPAD \"Window\" (Top Most Only)");
    EXPECT_EQ(labelText(dialog, "Active"), "No");
    auto* text = child<QPlainTextEdit>(dialog, "MacroText");
    EXPECT_TRUE(text->isVisible());
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->toPlainText(), "Dear Sir,<ENTER>\nYours");
    QTest::mouseClick(child<QPushButton>(dialog, "OkButton"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(QuickInfoDialog, HidesTheTextOfAPopupMenuMacro) {
    MacroRecord r;
    r.scope = ScopePopupMenu;
    r.iconName = "MENU";
    r.setText("\x03\x01\x02");  // member numbers, not text
    QuickInfoDialog dialog(quickInfoOf(r, "/nowhere"));
    dialog.show();
    EXPECT_EQ(labelText(dialog, "Scope"), "Popup Menu");
    EXPECT_FALSE(child<QPlainTextEdit>(dialog, "MacroText")->isVisible());
    EXPECT_FALSE(child<QLabel>(dialog, "MacroTextLabel")->isVisible());
}

TEST(AppearanceDialog, RefusesAZeroWidthAndKeepsTheFocusThere) {
    Settings settings;
    CollectedNotices notices;
    AppearanceDialog dialog(settings, &notices);
    dialog.show();
    auto* col2 = child<QLineEdit>(dialog, "Col2Wid");
    EXPECT_EQ(col2->text(), QString::number(settings.col2Width));
    col2->setText("0");
    child<QLineEdit>(dialog, "Col3Wid")->setText("-4");
    auto* ok = child<QPushButton>(dialog, "OkButton");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(notices.seen, std::vector<std::string>{"Error: Invalid width specified."});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), col2);
    EXPECT_FALSE(dialog.choice());

    col2->setText("77");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dialog.focusWidget(), child<QLineEdit>(dialog, "Col3Wid"));
    child<QLineEdit>(dialog, "Col3Wid")->setText("5");
    QTest::mouseClick(child<QRadioButton>(dialog, "SpeedButtons"), Qt::LeftButton);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_TRUE(dialog.choice());
    EXPECT_EQ(dialog.choice()->col2Width, 77);
    EXPECT_EQ(dialog.choice()->col3Width, 5);
    EXPECT_TRUE(dialog.choice()->useSpeed);
    EXPECT_EQ(notices.seen.size(), 2u);
}

struct NoReload : IMacroSetReload {
    void reloadWithRefresh() override {}
};

TEST(NetworkDialog, FollowsFileLockingAndStoresOnEscape) {
    test::TempFolder tmp;
    sim::SimClock clock{{2026, 12, 9, 10, 0, 0, 0}};
    sim::SimMessagePump pump{clock};
    CollectedNotices notices;
    NoReload reload;
    NetworkSync network{clock, pump, notices, reload};
    Settings settings;
    settings.currentFile = tmp.file("SET.QLN");
    settings.autoSync = false;

    NetworkDialog dialog(settings, network);
    dialog.show();
    auto* option = child<QCheckBox>(dialog, "NetworkOption");
    auto* autoSync = child<QCheckBox>(dialog, "AutoSync");
    auto* minutes = child<QLineEdit>(dialog, "Minutes");
    EXPECT_EQ(minutes->maxLength(), 2);
    EXPECT_FALSE(autoSync->isEnabled());
    EXPECT_FALSE(minutes->isEnabled());
    QTest::mouseClick(option, Qt::LeftButton);
    EXPECT_TRUE(autoSync->isEnabled());
    EXPECT_TRUE(minutes->isEnabled());
    QTest::mouseClick(autoSync, Qt::LeftButton);
    minutes->clear();
    QTest::keyClicks(minutes, "345");  // the third character does not fit
    EXPECT_EQ(minutes->text(), "34");

    QTest::keyClick(minutes, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(settings.networkMode);
    EXPECT_TRUE(settings.autoSync);
    EXPECT_EQ(settings.syncMinutes, 34);
    EXPECT_TRUE(network.syncTimerRunning());
    EXPECT_EQ(network.syncPath(), tmp.file("SET.MAS"));

    NetworkDialog again(settings, network);
    again.show();
    QTest::mouseClick(child<QCheckBox>(again, "NetworkOption"), Qt::LeftButton);
    EXPECT_FALSE(child<QCheckBox>(again, "AutoSync")->isEnabled());
    QTest::mouseClick(child<QPushButton>(again, "OkButton"), Qt::LeftButton);
    EXPECT_FALSE(settings.networkMode);
}

TEST(FontSetting, RoundTripsThroughQFont) {
    const FontSetting cases[] = {
        {0x000080FF, "Caf\xE9 Sans", 12, true, false, true, false},
        {0, "Arial", 10, false, true, false, true},
        {0, "Courier New", -16, false, false, false, false},  // pixels
    };
    for (const FontSetting& f : cases) EXPECT_EQ(toFontSetting(toQFont(f), f.color), f) << f.name;
    EXPECT_EQ(toQFont(cases[0]).family(), QString::fromUtf8("Caf\u00e9 Sans"));
    EXPECT_EQ(toQFont(cases[2]).pixelSize(), 16);
    EXPECT_EQ(fontColor(cases[0]), QColor(0xFF, 0x80, 0x00));
    FontSetting system = cases[1];
    system.color = static_cast<std::int32_t>(0x80000008u);  // a system colour on Windows
    EXPECT_FALSE(fontColor(system).isValid());
}

}  // namespace
}  // namespace qln::gui
