// The main window form over the composition root: it lists a macro file written by the store, shows the commands
// a start mode allows, keeps the selection across a re-sort and opens Quick Info on the selected macro.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>

#include "app/TMainWin.h"
#include "core/SettingsFile.h"
#include "gui/HelpWindow.h"
#include "gui/MainWindow.h"
#include "gui/dialogs/MacroFileDialog.h"
#include "gui/list/MacroListView.h"
#include "platform/sim/SimDesktop.h"
#include "support/TempFolder.h"

namespace qln::gui {
namespace {

class Quiet : public INotices {
public:
    void notice(std::string_view caption, std::string_view text) override {
        seen.push_back(std::string(caption) + ": " + std::string(text));
    }
    std::vector<std::string> seen;
};

MacroRecord macro(const std::string& nick, std::uint16_t code, const std::string& text) {
    MacroRecord r;
    r.nickname = nick;
    r.hotKeyCode = code;
    r.scope = ScopeGlobal;
    r.active = 1;
    r.setText(text);
    return r;
}

struct Program {
    explicit Program(const std::vector<std::string>& args = {}) {
        // A set written through the store: the four system macros and three of the user's.
        {
            Quiet quiet;
            sim::SimDesktop scratch{{}};
            TriggerTable table;
            MacroNames names;
            MacroTable macros(table, names, scratch.hook());
            MacroFile file(macros, scratch.clock(), quiet);
            file.load(paths.defaultMacroFile());
            file.store(5, macro("zebra", 100, "z text"));
            file.store(6, macro("alpha", 50, "a text"));
            file.store(7, macro("middle \xE9", 75, "caf\xE9 text"));
        }
        main = std::make_unique<TMainWin>(paths, Settings{}, desktop.hook(), desktop.clock(), desktop.pump(), notices);
        main->loadCurrentFile();
        window = std::make_unique<MainWindow>(*main);
        main->FormCreate(*window, desktop.platform(), args);
        window->start();
    }
    test::TempFolder tmp;
    Paths paths = Paths::at(tmp.file("config"), tmp.file("data"));
    sim::SimDesktop desktop{{}};
    Quiet notices;
    std::unique_ptr<TMainWin> main;
    std::unique_ptr<MainWindow> window;
};

TEST(MainWindow, ListsTheMacroFileWithItsCaptionAndOnlyTheCommandsThatExist) {
    Program p;
    EXPECT_EQ(p.window->windowTitle(), "Quillon (QUILN)");
    EXPECT_EQ(p.window->rowCount(), 8);  // header and seven macros
    EXPECT_TRUE(p.window->action(Command::QuickInfo)->isEnabled());
    EXPECT_TRUE(p.window->action(Command::OpenFile)->isEnabled());
    EXPECT_FALSE(p.window->action(Command::AddMacro)->isEnabled());  // comes with the list editing
    EXPECT_FALSE(p.window->findChild<QPushButton*>("AddButton")->isEnabled());
    EXPECT_TRUE(p.notices.seen.empty());
}

TEST(MainWindow, BrowseAllModeLocksTheFileCommandsAndSaysSoInTheCaption) {
    Program p({"/ba"});
    EXPECT_EQ(p.window->windowTitle(), "Quillon (QUILN)    (Browse All Mode)");
    EXPECT_FALSE(p.window->action(Command::OpenFile)->isEnabled());
    EXPECT_FALSE(p.window->action(Command::QuickInfo)->isEnabled());
    EXPECT_TRUE(p.window->action(Command::Terminate)->isEnabled());
    EXPECT_FALSE(p.window->findChild<QWidget*>("LetterBar")->isEnabled());
}

TEST(MainWindow, ASortKeepsTheSelectedMacroSelected) {
    Program p;
    MacroListView* list = p.window->list();
    const int alpha = 6;
    list->setSelectedRow(list->list().rowOf(alpha));
    p.main->settings().primarySort = "213";  // by nickname first
    list->resort();
    EXPECT_EQ(list->selectedMacro(), alpha);
    EXPECT_EQ(list->list().cellText(list->selectedRow(), 2), "alpha");
}

TEST(MainWindow, QuickInfoShowsTheSelectedMacro) {
    Program p;
    MacroListView* list = p.window->list();
    list->setSelectedRow(list->list().rowOf(7));
    QString nickname, text;
    QTimer::singleShot(100, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), "TQuickInfo");
        if (auto* n = dialog->findChild<QLabel*>("NickName")) nickname = n->text();
        if (auto* t = dialog->findChild<QPlainTextEdit*>("MacroText")) text = t->toPlainText();
        if (auto* t = dialog->findChild<QTextEdit*>("MacroText")) text = t->toPlainText();
        dialog->close();
    });
    p.window->run(Command::QuickInfo);
    EXPECT_EQ(nickname, QString::fromUtf8("middle é"));
    EXPECT_EQ(text, QString::fromUtf8("café text"));
}

QAction* toolButton(const MainWindow& w, const char* name) {
    auto* a = w.findChild<QAction*>(QString("Speed_") + name);
    EXPECT_NE(a, nullptr) << name;
    return a;
}

TEST(MainWindow, TheToolBarsActivateButtonFollowsTheSelectedMacro) {
    Program p;
    MacroListView* list = p.window->list();
    list->setSelectedRow(list->list().rowOf(6));
    EXPECT_EQ(toolButton(*p.window, "activate")->toolTip(), "Deactivate Macro");
    EXPECT_EQ(p.window->action(Command::ActivateMacro)->text(), "Deacti&vate Macro");
}

TEST(MainWindow, BrowseModeLocksTheToolBarsOpenButtonButNotTheMenuEntry) {
    Program p({"/B"});
    EXPECT_TRUE(p.window->action(Command::OpenFile)->isEnabled());
    EXPECT_FALSE(toolButton(*p.window, "open")->isEnabled());
    EXPECT_TRUE(toolButton(*p.window, "sort")->isEnabled());
    EXPECT_TRUE(toolButton(*p.window, "help")->isEnabled());
    Program plain;
    EXPECT_TRUE(toolButton(*plain.window, "open")->isEnabled());
}

TEST(MainWindow, TheSchedulerAndScreenSaverEntriesShowTheirSettings) {
    Program p;  // the defaults: Show Date off, Disable Screen Saver on
    auto* screenSaver = p.window->findChild<QAction*>("MenuDisableScreenSaver");
    auto* showDate = p.window->findChild<QAction*>("MenuShowDate");
    ASSERT_NE(screenSaver, nullptr);
    ASSERT_NE(showDate, nullptr);
    EXPECT_TRUE(screenSaver->isChecked());
    EXPECT_FALSE(showDate->isChecked());
}

TEST(MainWindow, HelpShowsTheManualInAWindowOfItsOwnAndFollowsItsLinks) {
    Program p;
    p.window->run(Command::HelpContents);
    auto* help = p.window->findChild<HelpWindow*>("HelpWindow");
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    QTextBrowser* text = help->browser();
    EXPECT_TRUE(text->source().toLocalFile().endsWith("/docs/manual/index.html"))
        << text->source().toString().toStdString();
    EXPECT_FALSE(text->toPlainText().isEmpty());
    // Links are followed in the window, from the keyboard too: Tab selects the next one (the second: the main
    // window's page), Enter follows it.
    const QString contents = text->toPlainText();
    text->setFocus();
    QTest::keyClick(text, Qt::Key_Tab);
    QTest::keyClick(text, Qt::Key_Tab);
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_NE(text->toPlainText(), contents);
    EXPECT_EQ(text->source().fileName(), "tmainwin.html");
    EXPECT_TRUE(text->isBackwardAvailable());
    // Help asked again: the same window.
    p.window->run(Command::HelpContents);
    EXPECT_EQ(p.window->findChildren<HelpWindow*>().size(), 1);
}

TEST(MainWindow, ADialogsHelpButtonOpensItsPageInAWindowItsModalityLetsThrough) {
    Program p;
    QString page;
    bool blocked = true;
    QTimer::singleShot(100, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        QTest::mouseClick(dialog->findChild<QPushButton*>("HelpButton"), Qt::LeftButton);
        if (auto* help = dialog->findChild<HelpWindow*>("HelpWindow")) {
            page = help->browser()->source().fileName();
            // A click reaches it through the window system, as modality filters it: it closes the help.
            QTest::mouseClick(help->findChild<QPushButton*>("CloseButton"), Qt::LeftButton);
            blocked = help->isVisible();
        }
        dialog->close();
    });
    p.window->run(Command::Sort);
    EXPECT_EQ(page, "tsortorder.html");
    EXPECT_FALSE(blocked);
}

TEST(MacroFileDialog, TheFilterNamesQLNAndMatchesEitherCase) {
    test::TempFolder tmp;
    for (const char* name : {"upper.QLN", "lower.qln", "Mixed.Qln", "notes.txt"}) tmp.write(name, "");
    MacroFileDialog dialog(MacroFileDialog::Purpose::Open, QString::fromStdString(tmp.path()));
    EXPECT_EQ(dialog.nameFilters(), QStringList{"Quillon (*.QLN)"});
    dialog.show();
    auto* files = dialog.findChild<QListView*>("listView");
    ASSERT_NE(files, nullptr);
    QStringList shown;
    // The folder is read in the background.
    EXPECT_TRUE(QTest::qWaitFor([&] { return files->model()->rowCount(files->rootIndex()) == 3; }, 10000));
    for (int row = 0; row < files->model()->rowCount(files->rootIndex()); ++row)
        shown << files->model()->index(row, 0, files->rootIndex()).data().toString();
    shown.sort();
    EXPECT_EQ(shown, (QStringList{"Mixed.Qln", "lower.qln", "upper.QLN"}));
}

}  // namespace
}  // namespace qln::gui
