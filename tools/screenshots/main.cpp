// quillon_screenshots OUTPUT_FOLDER: runs Quillon's main window on the current display with a sample macro file
// holding macros of each kind, opens each window and dialog built so far in turn, and saves a picture of each
// (with the window manager's frame) as OUTPUT_FOLDER/NAME.png.  scripts/screenshots gives it a private desktop.
#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/TMainWin.h"
#include "core/Paths.h"
#include "gui/HelpWindow.h"
#include "gui/MainWindow.h"
#include "gui/list/MacroListView.h"
#include "gui/playback/TOnTopMessage.h"
#include "gui/playback/TPauseMacro.h"
#include "gui/playback/TRepeatPrompt.h"
#include "gui/triggers/QtMacroMenu.h"
#include "gui/triggers/SelectCharacterDialog.h"
#include "gui/triggers/SystemKeysDialog.h"
#include "platform/sim/SimDesktop.h"
#include "playback/PauseDialog.h"
#include "store/MacroFile.h"

static void loadResources() { Q_INIT_RESOURCE(quillon); }

namespace {

using namespace qln;

class Quiet : public INotices {
public:
    void notice(std::string_view, std::string_view) override {}
};

MacroRecord sample(const std::string& nick, std::uint16_t code, ScopeKind scope, const std::string& name,
                   const std::string& text, bool active = true) {
    MacroRecord r;
    r.nickname = nick;
    r.hotKeyCode = code;
    r.scope = scope;
    r.windowName = name;
    r.active = active ? 1 : 0;
    r.setText(text);
    r.modified = 46365.5;  // 9 December 2026, noon
    return r;
}

void writeSamples(const std::string& path) {
    Quiet quiet;
    sim::SimDesktop scratch{{}};
    TriggerTable table;
    MacroNames names;
    MacroTable macros(table, names, scratch.hook());
    MacroFile file(macros, scratch.clock(), quiet);
    file.load(path);
    std::vector<MacroRecord> records = {
        sample("Signature", 30, ScopeGlobal, "", "Best regards,<ENTER>Ann Example<ENTER>"),
        sample("Today's date", 154, ScopeGlobal, "", "<DD Mmmmm YYYY{N}>"),
        sample("Fill the order form", 61, ScopeWindow, "Order Form", "<TAB>42<TAB>Express<ENTER>"),
        sample("Open the terminal", 200, ScopeProgram, "xterm", "<LAUNCH:xterm>"),
        sample("Address", 20000, ScopeGlobal, "", "12 Quill Lane, Inkwell"),
        sample("Morning reminder", 10000, ScopeGlobal, "", "<BEEP>"),
        sample("Old shortcut (off)", 95, ScopeGlobal, "", "old", false),
    };
    records[4].snipword = "addr";
    MacroRecord menu = sample("Letters menu", 250, ScopePopupMenu, "", "");
    menu.snipword = "YNN";
    records.push_back(menu);
    int n = 5;
    for (const MacroRecord& r : records) file.store(n++, r);
}

// Saves what the screen shows of a window, frame included, once it has been drawn.
void shoot(QWidget* w, const QString& file) {
    QApplication::processEvents();
    const QRect frame = w->frameGeometry();
    QScreen* screen = w->screen();
    const QPixmap shot = screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    if (!shot.save(file)) std::fprintf(stderr, "quillon_screenshots: cannot save %s\n", file.toUtf8().constData());
    else std::printf("%s\n", file.toUtf8().constData());
}

// Opens a modal dialog with `open`, photographs it and closes it.
void shootDialog(const std::function<void()>& open, const QString& file) {
    QTimer::singleShot(700, [file] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (qobject_cast<QDialog*>(w) != nullptr && w->isVisible()) dialog = w;
        }
        if (dialog == nullptr) {
            std::fprintf(stderr, "quillon_screenshots: nothing opened for %s\n", file.toUtf8().constData());
            return;
        }
        shoot(dialog, file);
        dialog->close();
    });
    open();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: quillon_screenshots OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    QApplication app(argc, argv);
    loadResources();
    const QString out = QString::fromLocal8Bit(argv[1]) + "/";
    const Paths paths = Paths::fromEnvironment();
    writeSamples(paths.defaultMacroFile());

    sim::SimDesktop desktop{{}};
    Quiet notices;
    Settings settings;
    settings.useSpeed = true;
    TMainWin main(paths, settings, desktop.hook(), desktop.clock(), desktop.pump(), notices);
    main.loadCurrentFile();
    gui::MainWindow window(main);
    main.FormCreate(window, desktop.platform(), {});
    window.start();
    window.resize(760, 420);
    window.move(40, 40);
    window.list()->setSelectedRow(3);

    QTimer::singleShot(1000, [&] {
        shoot(&window, out + "main-window.png");
        main.settings().useSpeed = false;
        window.start();
        shoot(&window, out + "main-window-lettered-buttons.png");
        window.trayMenu()->popup(QPoint(600, 300));
        QTimer::singleShot(400, [&] {
            shoot(window.trayMenu(), out + "tray-menu.png");
            window.trayMenu()->close();
            const int popup = window.list()->list().rowOf(12);
            window.list()->setSelectedRow(window.list()->list().rowOf(7));
            shootDialog([&] { window.run(Command::QuickInfo); }, out + "quick-info.png");
            window.list()->setSelectedRow(popup);
            shootDialog([&] { window.run(Command::Sort); }, out + "sort-order.png");
            shootDialog([&] { window.run(Command::Appearance); }, out + "appearance.png");
            shootDialog([&] { window.run(Command::Network); }, out + "network.png");
            shootDialog([&] { window.run(Command::About); }, out + "about.png");
            shootDialog([&] { window.run(Command::Tutorial); }, out + "manual-notice.png");
            PauseDialogRequest pause = pauseRequest({1024, 768}, std::nullopt, "Fill the order form", 61);
            shootDialog([&] { gui::TPauseMacro(pause).exec(); }, out + "pause.png");
            shootDialog([&] { gui::TOnTopMessage("Macro Abort", "Quillon macro has been aborted.").exec(); },
                        out + "message.png");
            shootDialog([&] { gui::TRepeatPrompt([](std::string_view) { return std::optional<std::string>(); }).exec(); },
                        out + "repeat-prompt.png");
            shootDialog([&] { window.run(Command::Snipwords); }, out + "snipword-options.png");
            const gui::MacroReader read = [&](int n) { return main.readMacro(n); };
            gui::QtMacroMenu menu(main.macros(), read, paths.iconsFolder(), &window);
            const std::vector<int> listed = {5, 6, 7, 8, 9, 10, 12};
            shootDialog([&] { menu.showMacroMenu({listed, MenuStyle::NicknameAndScope, 16, -1}); },
                        out + "choose-a-macro.png");
            shootDialog([&] { menu.showMacroMenu({listed, MenuStyle::MacroText, 16, -1}); },
                        out + "choose-a-macro-text.png");
            shootDialog([&] { menu.showMacroMenu({listed, MenuStyle::Icons, 32, -1}); },
                        out + "choose-a-macro-icons.png");
            shootDialog(
                [&] {
                    gui::SystemKeysDialog(main.macros(), main.settings(), read, main.macroFile(), {}, nullptr, {},
                                          &window)
                        .exec();
                },
                out + "system-hot-keys.png");
            shootDialog([&] { window.remapper(); }, out + "keyboard-remapper.png");
            shootDialog([&] { gui::SelectCharacterDialog('e', 200, 20, {}, &window).exec(); },
                        out + "select-character.png");
            window.run(Command::HelpContents);
            if (auto* help = window.findChild<gui::HelpWindow*>()) {
                help->setGeometry(60, 40, 700, 520);
                QEventLoop drawn;
                QTimer::singleShot(700, &drawn, &QEventLoop::quit);
                drawn.exec();
                shoot(help, out + "help.png");
                help->close();
            }
            main.MenuTerminateClick();
            window.close();
        });
    });
    return QApplication::exec();
}
