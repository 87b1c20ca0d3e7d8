#include "gui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWindow>

#include "app/Autostart.h"
#include "app/Help.h"
#include "core/Win1252.h"
#include "gui/ErrorHandler.h"
#include "gui/FlowLayout.h"
#include "gui/HelpWindow.h"
#include "gui/ScreenPlace.h"
#include "gui/Text.h"
#include "gui/dialogs/AboutDialog.h"
#include "gui/dialogs/AppearanceDialog.h"
#include "gui/dialogs/MacroFileDialog.h"
#include "gui/dialogs/ManualNoticeDialog.h"
#include "gui/dialogs/NetworkDialog.h"
#include "gui/dialogs/QuickInfoDialog.h"
#include "gui/list/MacroListView.h"
#include "gui/list/SortOrderDialog.h"
#include "gui/triggers/RemapperDialog.h"
#include "gui/triggers/RestoreHooksQuestion.h"
#include "gui/triggers/SnipwordOptionsDialog.h"
#include "gui/triggers/SystemKeysDialog.h"
#include "hook/X11HookLibrary.h"
#include "ui/MacroList.h"
#include "ui/QuickInfo.h"

namespace qln::gui {

namespace {

constexpr int kTrayWatchMs = 1000;
constexpr const char* ManualMissingMessage =
    "The Tutorial / User Manual could not be located.  Please make sure that it was installed.";

struct ToolButton {
    Command command;
    const char* icon;
    const char* hint;
};
// The tool bar, in the order of the design's hints.
const ToolButton kToolBar[] = {
    {Command::NewFile, "new", "New Macro File"},
    {Command::OpenFile, "open", "Open Macro File"},
    {Command::AddMacro, "add", "Add Macro"},
    {Command::ScriptEditor, "script", "Modify Macro Using Scripting Editor"},
    {Command::ModifyDirectly, "modify", "Modify Macro Directly"},
    {Command::Recapture, "recapture", "Recapture Macro"},
    {Command::RenameMacro, "rename", "Rename Macro"},
    {Command::CopyMacro, "copy", "Copy Macro"},
    {Command::ActivateMacro, "activate", "Activate Macro"},
    {Command::RemoveMacro, "delete", "Delete Macro"},
    {Command::ImportMacros, "import", "Import Macros"},
    {Command::ExportMacros, "export", "Export Macros"},
    {Command::PrintList, "print", "Print Macro List"},
    {Command::Sort, "sort", "Sort Order"},
    {Command::Appearance, "appearance", "Appearance"},
    {Command::HelpContents, "help", "Help"},
};

struct LetteredButton {
    Command command;
    const char* caption;
    const char* name;
};
// The row of lettered buttons under the list.
const LetteredButton kButtons[] = {
    {Command::ModifyDirectly, "Modify &Directly", "ModifyButton"},
    {Command::Recapture, "Re&capture Macro", "RecaptureButton"},
    {Command::RemoveMacro, "R&emove Macro", "RemoveButton"},
    {Command::CopyMacro, "Cop&y Macro", "CopyButton"},
    {Command::RenameMacro, "Re&name Macro", "RenameButton"},
    {Command::AddMacro, "&Add Macro", "AddButton"},
    {Command::ActivateMacro, "Acti&vate Macro", "ActivateButton"},
    {Command::ScriptEditor, "&Scripting Editor", "ScriptButton"},
};

}  // namespace

MainWindow::MainWindow(TMainWin& main) : main_(main) {
    setObjectName("MainWin");
    connect(&trayWatch_, &QTimer::timeout, this,
            [this] { guarded([&] { main_.trayAvailabilityChanged(QSystemTrayIcon::isSystemTrayAvailable()); }); });
    setWindowIcon(QIcon(":/icons/quillon.svg"));
    buildMenus();
    buildToolBar();
    auto* centre = new QWidget(this);
    auto* layout = new QVBoxLayout(centre);
    list_ = new MacroListView(main_.macros(), main_.settings(), centre);
    layout->addWidget(list_, 1);
    buildButtons();
    layout->addWidget(letterBar_);
    setCentralWidget(centre);
    buildTray();
    connect(list_, &MacroListView::selectedMacroChanged, this, [this] { selectionChanged(); });
    connect(list_, &MacroListView::rowClicked, this, [this] { selectionChanged(); });
    connect(list_, &MacroListView::quickInfoRequested, this, [this](int macro) { guarded([&] { quickInfo(macro); }); });
    connect(list_, &MacroListView::sortSettingsChanged, this, [this] { guarded([&] { main_.writeSettings(); }); });
    connect(list_, &MacroListView::columnWidthsChanged, this, [this] { guarded([&] { main_.writeSettings(); }); });
    // Whenever another program takes the focus, a program in the tray steps back into it.
    connect(qApp, &QApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationInactive) main_.AppDeactivate();
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::guarded(const std::function<void()>& command) { runGuarded(this, command); }

QAction* MainWindow::addCommand(QMenu* menu, Command c, const QString& caption, std::function<void()> onTrigger) {
    auto* a = menu->addAction(caption);
    actions_[c] = a;
    if (onTrigger) connect(a, &QAction::triggered, this, [this, onTrigger] { guarded(onTrigger); });
    return a;
}

QAction* MainWindow::action(Command c) const {
    const auto it = actions_.find(c);
    return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("FileMenu");
    addCommand(file, Command::NewFile, "&New File", [this] { newFile(); });
    addCommand(file, Command::OpenFile, "&Open File", [this] { openFile(); });
    file->addSeparator();
    addCommand(file, Command::OutputInfo, "O&utput Macro Information");
    addCommand(file, Command::PrintList, "&Print Macro List");
    addCommand(file, Command::PrinterFont, "Printer &Font");
    addCommand(file, Command::PrinterSetup, "Printer &Setup");
    file->addSeparator();
    addCommand(file, Command::Hide, "&Hide Quillon", [this] { main_.MenuHideClick(); });
    addCommand(file, Command::Terminate, "&Terminate Quillon", [this] { main_.MenuTerminateClick(); close(); });
    actions_[Command::LetterBar] = nullptr;
    QAction* separator = file->addSeparator();
    separator->setObjectName("RecentSeparator");
    for (int k = 1; k <= 5; ++k) {
        const auto c = static_cast<Command>(static_cast<int>(Command::RecentFile1) + k - 1);
        addCommand(file, c, QString("&%1").arg(k), [this, k] {
            main_.OpenRecentFile(k);
            showRecentFiles();
        });
    }

    QMenu* macros = menuBar()->addMenu("&Macros");
    macros->setObjectName("MacrosMenu");
    addCommand(macros, Command::AddMacro, "&Add Macro");
    addCommand(macros, Command::CopyMacro, "Cop&y Macro");
    addCommand(macros, Command::ScriptEditor, "&Scripting Editor");
    addCommand(macros, Command::ModifyDirectly, "Modify &Directly");
    addCommand(macros, Command::Recapture, "Re&capture Macro");
    // Renaming comes with list editing; on a system macro it already opens System Hot Keys.
    addCommand(macros, Command::RenameMacro, "Rena&me Macro", [this] {
        if (main_.systemKeysField(list_->selectedMacro()) >= 0) systemKeys(list_->selectedMacro());
    });
    addCommand(macros, Command::ActivateMacro, "Acti&vate Macro");
    addCommand(macros, Command::RemoveMacro, "&Remove Macro");
    macros->addSeparator();
    addCommand(macros, Command::QuickInfo, "&Quick Info", [this] { quickInfo(list_->selectedMacro()); });
    addCommand(macros, Command::ImportMacros, "&Import Macros");
    addCommand(macros, Command::ExportMacros, "E&xport Macros");
    addCommand(macros, Command::Sort, "S&ort", [this] { sortOrder(); });

    // The remapper is the menu title itself.
    QAction* remap = menuBar()->addAction("&Remap");
    actions_[Command::Remap] = remap;
    connect(remap, &QAction::triggered, this, [this] { guarded([&] { remapper(); }); });

    QMenu* options = menuBar()->addMenu("&Options");
    options->setObjectName("OptionsMenu");
    addCommand(options, Command::Appearance, "&Appearance", [this] { appearance(); });
    addCommand(options, Command::Network, "&Network", [this] { networkDialog(); });
    addCommand(options, Command::Snipwords, "Snip&words", [this] { snipwordOptions(); });
    addCommand(options, Command::Capture, "&Capture");
    QMenu* scheduler = options->addMenu("&Scheduler");
    QAction* showDate = addCommand(scheduler, Command::ShowDateTime, "&Show Date && Time");
    showDate->setObjectName("MenuShowDate");
    showDate->setCheckable(true);
    addCommand(scheduler, Command::Alarm, "&Alarm");
    addCommand(scheduler, Command::TimerInterval, "&Timer Interval");
    QMenu* screenSaver = options->addMenu("Screen Sa&ver");
    QAction* screenSaverOff = addCommand(screenSaver, Command::DisableScreenSaver, "&Disable if using Timed Macros");
    screenSaverOff->setObjectName("MenuDisableScreenSaver");
    screenSaverOff->setCheckable(true);
    QAction* tray = addCommand(options, Command::SystemTray, "Place in System &Tray", [this] { main_.MenuSysTrayClick(); });
    tray->setCheckable(true);
    tray->setObjectName("MenuSysTray");
    QAction* autostart =
        addCommand(options, Command::StartWithSession, "Start with the &Session", [this] {
            const Autostart entry = Autostart::forThisUser();
            if (entry.isOn())
                entry.switchOff();
            else
                entry.switchOn();
            actions_[Command::StartWithSession]->setChecked(entry.isOn());
        });
    autostart->setCheckable(true);

    QMenu* tools = menuBar()->addMenu("&Tools");
    addCommand(tools, Command::MouseLocator, "Mouse &Locator");
    addCommand(tools, Command::RestoreKeyboardHooks, "Restore &Keyboard Hooks",
               [this] { askToRestoreHooks(HooksToRestore::Keyboard); });
    addCommand(tools, Command::RestoreMouseHooks, "Restore &Mouse Hooks",
               [this] { askToRestoreHooks(HooksToRestore::Mouse); });

    QMenu* help = menuBar()->addMenu("&Help");
    addCommand(help, Command::HelpContents, "&Contents", [this] { openHelp("index.html"); });
    addCommand(help, Command::Tutorial, "&Tutorial / User Guide", [this] { tutorial(); });
    addCommand(help, Command::About, "&About", [this] { about(); });
}

void MainWindow::buildToolBar() {
    toolBar_ = addToolBar("Tools");
    toolBar_->setObjectName("SpeedBar");
    toolBar_->setMovable(false);
    for (const ToolButton& b : kToolBar) {
        QAction* a = action(b.command);
        if (a == nullptr) continue;
        auto* button = toolBar_->addAction(QIcon(QString(":/icons/toolbar/%1.svg").arg(b.icon)), b.hint);
        button->setToolTip(b.hint);
        button->setObjectName(QString("Speed_%1").arg(b.icon));
        connect(button, &QAction::triggered, a, &QAction::trigger);
        toolButtons_[b.command] = button;
    }
}

void MainWindow::buildButtons() {
    letterBar_ = new QWidget(this);
    letterBar_->setObjectName("LetterBar");
    auto* row = new FlowLayout(letterBar_);
    row->setContentsMargins(0, 0, 0, 0);
    for (const LetteredButton& b : kButtons) {
        auto* button = new QPushButton(b.caption, letterBar_);
        button->setObjectName(b.name);
        buttons_[b.command] = button;
        row->addWidget(button);
        QAction* a = action(b.command);
        connect(button, &QPushButton::clicked, a, &QAction::trigger);
    }
}

void MainWindow::buildTray() {
    trayMenu_ = new QMenu(this);
    trayMenu_->setObjectName("MyPopUp");
    connect(trayMenu_->addAction("&Open"), &QAction::triggered, this, [this] { guarded([&] { main_.ActivateMe(); }); });
    connect(trayMenu_->addAction("&Help"), &QAction::triggered, this, [this] { openHelp("index.html"); });
    connect(trayMenu_->addAction("&Terminate and Unload"), &QAction::triggered, this, [this] {
        main_.MenuTerminateClick();
        close();
    });
    trayIcon_ = new QSystemTrayIcon(QIcon(":/icons/quillon.svg"), this);
    trayIcon_->setObjectName("TaskIcon1");
    trayIcon_->setToolTip("Quillon");
    trayIcon_->setContextMenu(trayMenu_);
    connect(trayIcon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger) guarded([&] { main_.SysTrayOpen(); });
    });
}

void MainWindow::start() {
    const Settings& s = main_.settings();
    // The settings keep the window's own rectangle, without the frame, as geometry() gives it.  Left and Top both
    // 0: never placed, the window manager chooses.
    if (s.mainLeft != 0 || s.mainTop != 0)
        setGeometry(s.mainLeft, s.mainTop, s.mainWidth, s.mainHeight);
    else
        resize(s.mainWidth, s.mainHeight);
    action(Command::Hide)->setText("&Hide Quillon");
    action(Command::Terminate)->setText("&Terminate Quillon");
    showBars();
    showRecentFiles();
    commandsChanged();
    // A tray may come up later (at login the panel often starts after us), or go away.
    trayWatch_.start(kTrayWatchMs);
    // "/HIDE" (a start with the session): never shown, so the program in front keeps the focus.
    const bool hidden = main_.FormPaint();
    if (!main_.trayMode() && !hidden) showMainWindow();
}

void MainWindow::showMainWindow() {
    if (!isVisible() && place_.isValid()) {
        setGeometry(place_);
        // Qt leaves a place it thinks the window has to the window manager: asked for, it is kept.
        if (QWindow* window = QWidget::windowHandle()) window->setGeometry(place_);
    }
    // Shown without taking the focus: after a popup menu the focus goes back to the program the user works in
    // (ActivateMe brings the window to the front itself).
    setAttribute(Qt::WA_ShowWithoutActivating, true);
    show();
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    keepOnScreenOnceFramed(this);
}

void MainWindow::hideMainWindow() {
    // Shown again where it was: a window manager would place it anew, and the new place would be saved.
    if (isVisible() && !isMaximized() && !isFullScreen()) place_ = QWidget::geometry();
    hide();
}

void MainWindow::showBars() {
    const bool speed = main_.settings().useSpeed;
    toolBar_->setVisible(speed);
    letterBar_->setVisible(!speed);
}

void MainWindow::showRecentFiles() {
    const RecentFilesMenu menu = main_.fileCommands().recentFiles().SetMenuLastFiles();
    for (int k = 1; k <= 5; ++k) {
        QAction* a = action(static_cast<Command>(static_cast<int>(Command::RecentFile1) + k - 1));
        const auto& caption = menu.captions[static_cast<std::size_t>(k - 1)];
        a->setVisible(caption.has_value());
        if (caption) a->setText(toQString(*caption));
    }
    if (QAction* separator = findChild<QAction*>("RecentSeparator")) separator->setVisible(menu.separatorVisible);
}

void MainWindow::fillList() { list_->refill(); }
int MainWindow::selectedRow() const { return list_->selectedRow(); }
int MainWindow::rowCount() const { return list_->rowCount(); }
void MainWindow::selectRow(int row) { list_->setSelectedRow(row); }
void MainWindow::applyColumnWidths() { list_->applySettings(); }

void MainWindow::setCaption(std::string_view caption) { setWindowTitle(toQString(caption)); }

void MainWindow::commandsChanged() {
    for (const auto& [c, a] : actions_)
        if (a != nullptr) a->setEnabled(main_.enabled(c));
    for (const auto& [c, b] : buttons_) b->setEnabled(main_.enabled(c));
    for (const auto& [c, b] : toolButtons_) b->setEnabled(main_.toolButtonEnabled(c));
    letterBar_->setEnabled(main_.enabled(Command::LetterBar));
    action(Command::SystemTray)->setChecked(main_.settings().useTray);
    action(Command::ShowDateTime)->setChecked(main_.settings().showDate);
    action(Command::DisableScreenSaver)->setChecked(main_.settings().disableScreenSaver);
    action(Command::StartWithSession)->setChecked(Autostart::forThisUser().isOn());
    selectionChanged();
}

void MainWindow::selectionChanged() {
    const RestrictedMode mode = main_.restriction() == Restriction::None     ? RestrictedMode::None
                                : main_.restriction() == Restriction::Browse ? RestrictedMode::Browse
                                                                             : RestrictedMode::BrowseAll;
    const int macro = list_->selectedMacro();
    const RowCommands rc = CheckTimeItem(main_.macros(), macro, mode);
    action(Command::ModifyDirectly)->setText(toQString(rc.modifyCaption));
    buttons_[Command::ModifyDirectly]->setText(toQString(rc.modifyCaption));
    toolButtons_[Command::ModifyDirectly]->setText(toQString(rc.modifyHint));
    toolButtons_[Command::ModifyDirectly]->setToolTip(toQString(rc.modifyHint));
    const ActivateCommand activate =
        activateCommand(macro > 0 && main_.macros().table().active(macro) != 0);
    action(Command::ActivateMacro)->setText(toQString(activate.caption));
    buttons_[Command::ActivateMacro]->setText(toQString(activate.caption));
    toolButtons_[Command::ActivateMacro]->setText(toQString(activate.hint));
    toolButtons_[Command::ActivateMacro]->setToolTip(toQString(activate.hint));
    const bool rename = main_.enabled(Command::RenameMacro) || main_.systemKeysField(macro) >= 0;
    action(Command::RenameMacro)->setEnabled(rename);
    buttons_[Command::RenameMacro]->setEnabled(rename);
    toolButtons_[Command::RenameMacro]->setEnabled(rename &&
                                                   !toolButtonLockedBy(main_.restriction(), Command::RenameMacro));
}

void MainWindow::systemKeys(int macro) {
    SystemKeysDialog* shown = nullptr;
    const std::uint32_t window = windowHandle();
    auto capture = [this, &shown, window](bool capturing) {
        main_.SetSecWind(window, capturing, [&shown](std::uint16_t code) {
            if (shown != nullptr) shown->hotKeyPressed(code);
        });
    };
    SystemKeysDialog dialog(
        main_.macros(), main_.settings(), [this](int n) { return main_.readMacro(n); }, main_.macroFile(), capture,
        nullptr, [this](const std::string& page) { openHelp(page.c_str()); }, this);
    shown = &dialog;
    dialog.focusField(static_cast<SystemKeys::Field>(main_.systemKeysField(macro)));
    dialog.exec();
    shown = nullptr;
    main_.SetSecWind(window, false);
    if (dialog.changed()) {
        main_.SetHotKeys();
        main_.fillList();
    }
    main_.writeSettings();
}

bool MainWindow::trayAvailable() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

void MainWindow::setMainTrayIcon(bool active) { trayIcon_->setVisible(active); }

void MainWindow::setMenuTrayIcons(const std::vector<MenuTrayIcon>& icons) {
    for (QSystemTrayIcon* icon : menuIcons_) delete icon;
    menuIcons_.clear();
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
    for (const MenuTrayIcon& m : icons) {
        auto* icon = new QSystemTrayIcon(QIcon(m.iconFile.empty() ? QString(":/icons/menu.svg") : toQString(m.iconFile)), this);
        icon->setToolTip(toQString(m.tooltip).left(63));
        // A click opens the macro's menu at the click, at the bottom of the screen.
        const int macro = m.macro;
        connect(icon, &QSystemTrayIcon::activated, this, [this, macro](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Context || reason == QSystemTrayIcon::Trigger)
                guarded([&] { main_.MenuTaskIconRightClick(macro, QCursor::pos().x()); });
        });
        icon->setVisible(true);
        menuIcons_.push_back(icon);
    }
}

void MainWindow::showPlaying(bool playing, std::string_view nickname) {
    if (trayIcon_ == nullptr) return;
    trayIcon_->setToolTip(playing ? QString("Quillon is playing \"%1\".  Press %2 to stop it.")
                                        .arg(toQString(std::string(nickname)),
                                             QString::fromStdString(X11HookLibrary::abortKeyName()))
                                  : QString("Quillon"));
}

void MainWindow::bringToFront() {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
}

bool MainWindow::anyDialogOpen() const {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible() && qobject_cast<QDialog*>(w) != nullptr) return true;
    return false;
}

void MainWindow::closeDialogs() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QDialog*>(w); d != nullptr && d->isVisible()) d->reject();
}

void MainWindow::geometry(int& left, int& top, int& width, int& height) const {
    const QRect g = !isVisible() && place_.isValid() ? place_ : normalGeometry();
    left = g.left();
    top = g.top();
    width = g.width();
    height = g.height();
}

std::uint32_t MainWindow::windowHandle() const { return static_cast<std::uint32_t>(winId()); }

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closed once: a quit request may come while the window closes.
    if (closed_) return;
    closed_ = true;
    guarded([&] { main_.FormClose(); });
    QMainWindow::closeEvent(event);
    qApp->quit();
}

void MainWindow::run(Command c) {
    if (QAction* a = action(c); a != nullptr && a->isEnabled()) a->trigger();
}

void MainWindow::openHelp(const char* page) {
    HelpWindow* help = HelpWindow::forActiveWindow(this);
    // A window without a page of its own opens the contents; without a manual at all the user is told.
    if (help->showPage(page) || help->showPage("index.html")) return;
    if (!help->isVisible()) help->deleteLater();
    MessageBoxNotices(this).notice("Error", ManualMissingMessage);
}

void MainWindow::openFile() {
    MacroFileDialog dialog(MacroFileDialog::Purpose::Open, QString::fromStdString(main_.paths().programFolder), this);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    main_.DoOpen(dialog.selectedFiles().front().toStdString());
    showRecentFiles();
}

void MainWindow::newFile() {
    MacroFileDialog dialog(MacroFileDialog::Purpose::New, QString::fromStdString(main_.paths().programFolder), this);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    main_.DoNew(dialog.selectedFiles().front().toStdString());
    showRecentFiles();
}

void MainWindow::quickInfo(int macro) {
    if (macro < 1 || !main_.enabled(Command::QuickInfo)) return;
    const auto record = main_.readMacro(macro);
    if (!record) return;
    QuickInfoDialog dialog(quickInfoOf(*record, main_.paths().programFolder), this);
    dialog.exec();
}

void MainWindow::sortOrder() {
    SortOrderDialog dialog(main_.settings(), [this](const std::string& page) { openHelp(page.c_str()); }, this);
    if (dialog.exec() != QDialog::Accepted) return;
    main_.writeSettings();
    list_->resort();
}

void MainWindow::appearance() {
    MessageBoxNotices notices(this);
    AppearanceDialog dialog(main_.settings(), &notices, [this](const std::string& page) { openHelp(page.c_str()); },
                            this);
    if (dialog.exec() != QDialog::Accepted || !dialog.choice()) return;
    dialog.choice()->storeIn(main_.settings());
    list_->applySettings();
    showBars();
    main_.writeSettings();
}

void MainWindow::snipwordOptions() {
    SnipwordOptionsDialog dialog(main_.settings(), nullptr, [this](const std::string& page) { openHelp(page.c_str()); },
                                 this);
    if (dialog.exec() == QDialog::Accepted) main_.writeSettings();
}

void MainWindow::askToRestoreHooks(HooksToRestore hooks) {
    if (!askRestoreHooks(hooks, this)) return;
    if (hooks == HooksToRestore::Keyboard)
        main_.RestoreKeyboardHooks();
    else
        main_.RestoreMouseHooks();
}

void MainWindow::remapper() {
    // A shared macro file held by another user refuses (and says so).
    if (!main_.MenuRemapClick()) return;
    RemapperDialog dialog(main_.vexmap(), false, [this](const std::string& page) { openHelp(page.c_str()); }, this);
    dialog.exec();
    main_.remapperClosed(dialog.changed(), dialog.tables());
}

void MainWindow::networkDialog() {
    NetworkDialog dialog(main_.settings(), main_.network(), this);
    dialog.exec();
    main_.networkDialogClosed();
    main_.writeSettings();
}

void MainWindow::about() {
    AboutDialog dialog(QUILLON_VERSION, this);
    dialog.exec();
}

void MainWindow::tutorial() {
    ManualNoticeDialog notice(this);
    if (notice.exec() == QDialog::Accepted) openHelp("index.html");
}

}  // namespace qln::gui
