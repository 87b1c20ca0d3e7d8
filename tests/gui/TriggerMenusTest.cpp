// The main window's trigger commands: Snipword Options writes the settings file, the restore questions ask first
// and then install the hooks again, the remapper closed unchanged leaves the keyboard alone.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "app/TMainWin.h"
#include "core/SettingsFile.h"
#include "gui/MainWindow.h"
#include "gui/triggers/SnipwordOptionsDialog.h"
#include "gui/triggers/SystemKeysDialog.h"
#include "platform/sim/SimDesktop.h"
#include "support/TempFolder.h"
#include "ui/RestoreHooks.h"

namespace qln::gui {
namespace {

class Quiet : public INotices {
public:
    void notice(std::string_view, std::string_view) override {}
};

struct Program {
    Program() {
        main = std::make_unique<TMainWin>(paths, Settings{}, desktop.hook(), desktop.clock(), desktop.pump(), notices);
        main->loadCurrentFile();
        window = std::make_unique<MainWindow>(*main);
        main->FormCreate(*window, desktop.platform(), {});
        window->start();
    }
    test::TempFolder tmp;
    Paths paths = Paths::at(tmp.file("config"), tmp.file("data"));
    sim::SimDesktop desktop{{}};
    Quiet notices;
    std::unique_ptr<TMainWin> main;
    std::unique_ptr<MainWindow> window;
};

// Runs `answer` on the modal window the next command opens.
void whenOpen(const std::function<void(QWidget*)>& answer) {
    QTimer::singleShot(0, [answer] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        answer(modal);
    });
}

TEST(TriggerMenus, SnipwordOptionsOkWritesTheSettingsFile) {
    Program p;
    whenOpen([](QWidget* d) {
        ASSERT_NE(qobject_cast<SnipwordOptionsDialog*>(d), nullptr);
        d->findChild<QCheckBox*>("UsePrefix")->click();
        d->findChild<QPushButton*>("OkButton")->click();
    });
    p.window->run(Command::Snipwords);
    EXPECT_TRUE(p.main->settings().snipwordUseSuffix);
    EXPECT_TRUE(loadSettingsFile(p.paths).snipwordUseSuffix);
}

TEST(TriggerMenus, RestoringHooksAsksFirst) {
    Program p;
    auto count = [&](const char* call) {
        int n = 0;
        for (const auto& c : p.desktop.hook().calls()) n += c.call == call ? 1 : 0;
        return n;
    };
    p.desktop.hook().clearCalls();
    auto answer = [](QMessageBox::StandardButton button, const char* title, const char* text) {
        whenOpen([=](QWidget* d) {
            auto* box = qobject_cast<QMessageBox*>(d);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), title);
            EXPECT_EQ(box->text(), text);
            box->button(button)->click();
        });
    };
    answer(QMessageBox::No, RestoreKeyboardHooksTitle, RestoreKeyboardHooksQuestion);
    p.window->askToRestoreHooks(HooksToRestore::Keyboard);
    EXPECT_EQ(count("QlnHookKeyboard"), 0);
    answer(QMessageBox::Yes, RestoreKeyboardHooksTitle, RestoreKeyboardHooksQuestion);
    p.window->askToRestoreHooks(HooksToRestore::Keyboard);
    EXPECT_EQ(count("QlnHookKeyboard"), 1);
    EXPECT_EQ(count("QlnUpKeyHook"), 1);
    answer(QMessageBox::Yes, RestoreMouseHooksTitle, RestoreMouseHooksQuestion);
    p.window->askToRestoreHooks(HooksToRestore::Mouse);
    EXPECT_EQ(count("QlnHookMouse"), 1);
    EXPECT_EQ(count("QlnHookKeyboard"), 1);
}

TEST(TriggerMenus, TheRemapperClosedUnchangedLeavesTheKeyboardAlone) {
    Program p;
    p.desktop.hook().clearCalls();
    whenOpen([](QWidget* d) { d->findChild<QPushButton*>("OkButton")->click(); });
    p.window->remapper();
    for (const auto& c : p.desktop.hook().calls()) EXPECT_NE(c.call, "QlnHookSwap");
    EXPECT_FALSE(p.main->vexmap().SwapsInUse());
}

TEST(TriggerMenus, RenameOnASystemMacroOpensSystemHotKeysAndFreesTheHotKeysAfterwards) {
    Program p;
    p.window->selectRow(0);  // a new file holds the four system macros only
    p.window->commandsChanged();
    bool opened = false;
    whenOpen([&](QWidget* d) {
        opened = qobject_cast<SystemKeysDialog*>(d) != nullptr;
        d->findChild<QPushButton*>("CancelButton")->click();
    });
    p.window->run(Command::RenameMacro);
    EXPECT_TRUE(opened);
    // Closed: hot keys go to the main window again.
    EXPECT_EQ(p.main->table().byteAt(hooktable::SecondWindowFlag), 0);
}

}  // namespace
}  // namespace qln::gui
