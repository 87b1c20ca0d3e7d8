#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "app/Commands.h"
#include "app/MainWindowView.h"
#include "app/TMainWin.h"
#include "ui/RestoreHooks.h"

class QAction;
class QMenu;
class QPushButton;
class QSystemTrayIcon;
class QToolBar;
class QWidget;

namespace qln::gui {

class MacroListView;

// The main window form (`TMainWin`): menus, tool bar, the macro list and the row of lettered buttons, and the
// tray icons.  It shows what the composition root decides and hands it the user's commands.
class MainWindow : public QMainWindow, public IMainWindowView {
    Q_OBJECT
public:
    explicit MainWindow(TMainWin& main);
    ~MainWindow() override;

    // The start-up's last steps: geometry and bars from the settings, then shown unless the tray keeps it hidden.
    void start();
    // Runs a command as the menus do (the screenshots and tests use it).
    void run(Command c);
    QAction* action(Command c) const;

    // IMainWindowView
    void fillList() override;
    int selectedRow() const override;
    int rowCount() const override;
    void selectRow(int row) override;
    void applyColumnWidths() override;
    void setCaption(std::string_view caption) override;
    void commandsChanged() override;
    bool trayAvailable() const override;
    void setMainTrayIcon(bool active) override;
    void setMenuTrayIcons(const std::vector<MenuTrayIcon>& icons) override;
    bool mainWindowVisible() const override { return isVisible(); }
    void bringToFront() override;
    bool anyDialogOpen() const override;
    void closeDialogs() override;
    void geometry(int& left, int& top, int& width, int& height) const override;
    std::uint32_t windowHandle() const override;
    // IAppWindow
    bool isMinimised() const override { return isMinimized(); }
    void restore() override { showNormal(); }
    void minimise() override { showMinimized(); }
    void showMainWindow() override;
    void hideMainWindow() override;
    void showTaskbarWindow() override {}
    void hideTaskbarWindow() override {}
    void showPlaying(bool playing, std::string_view nickname) override;

    QSystemTrayIcon* mainTrayIcon() const { return trayIcon_; }
    // Opens the dialogs of the trigger commands (the menus and the screenshots use them).
    void snipwordOptions();
    void remapper();
    // System Hot Keys, opened on the system macro `macro`.
    void systemKeys(int macro);
    // Asks, and on Yes has the application install those hooks again.
    void askToRestoreHooks(HooksToRestore hooks);
    QMenu* trayMenu() const { return trayMenu_; }
    MacroListView* list() const { return list_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildButtons();
    void buildTray();
    QAction* addCommand(QMenu* menu, Command c, const QString& caption, std::function<void()> onTrigger = {});
    void showRecentFiles();
    void showBars();
    void selectionChanged();
    void openHelp(const char* page);
    void openFile();
    void newFile();
    void quickInfo(int row);
    void sortOrder();
    void appearance();
    void networkDialog();
    void about();
    void tutorial();
    // Runs a command, showing any failure it raises the way the program shows errors.
    void guarded(const std::function<void()>& command);

    TMainWin& main_;
    std::map<Command, QAction*> actions_;
    std::map<Command, QPushButton*> buttons_;
    std::map<Command, QAction*> toolButtons_;
    QToolBar* toolBar_ = nullptr;
    QWidget* letterBar_ = nullptr;
    MacroListView* list_ = nullptr;
    QSystemTrayIcon* trayIcon_ = nullptr;
    QMenu* trayMenu_ = nullptr;
    std::vector<QSystemTrayIcon*> menuIcons_;
    QRect place_;  // where the window was when it was last hidden
    QTimer trayWatch_;
    bool closed_ = false;
};

}  // namespace qln::gui
