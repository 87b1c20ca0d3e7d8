#include "gui/QuillonMain.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/SettingsAtStart.h"
#include "app/SingleInstance.h"
#include "app/TMainWin.h"
#include "core/FileError.h"
#include "core/Sentence.h"
#include "gui/EmptyCaption.h"
#include "gui/Ending.h"
#include "gui/ErrorHandler.h"
#include "gui/LooseMessage.h"
#include "gui/MainWindow.h"
#include "gui/Text.h"
#include "gui/playback/QtPrompts.h"
#include "gui/triggers/QtMacroMenu.h"
#include "hook/X11HookLibrary.h"
#include "hook/X11Remapper.h"
#include "platform/UserTurnPrompts.h"
#include "platform/posix/RuntimeFolder.h"
#include "platform/posix/TerminationSignals.h"
#include "platform/qt/QtPump.h"
#include "platform/x11/X11Desktop.h"

// Qt's resources of a static library are linked in only when asked for by name, from outside any namespace.
static void loadResources() { Q_INIT_RESOURCE(quillon); }

namespace qln::gui {

namespace {

constexpr const char* kUsage =
    "usage: quillon [/HIDE] [/B | /BA] [/S] [/N] [/SMminutes] [/Fpath] [--help] [--version]\n"
    "  /HIDE       start with the main window hidden\n"
    "  /B          Browse Mode: nothing that changes macros or settings\n"
    "  /BA         Browse All Mode: as /B, and no files, printing, sorting, scheduler, tray or Quick Info\n"
    "  /S          Automatic Synchronization on\n"
    "  /N          File Locking of Macro Files (network mode) on\n"
    "  /SMminutes  synchronise every 1 to 98 minutes\n"
    "  /Fpath      open this macro file\n"
    "Switches are not case-sensitive; the path after /F is used as given.\n";

void alone(const char* caption, const QString& text) {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
    box.exec();
}

// The losing copy of a double start says so, with an empty caption.
void alreadyRunning(bool useTray) {
    QMessageBox box(QMessageBox::Information, QString(),
                    useTray ? SingleInstance::RunningInTrayMessage : SingleInstance::RunningMessage, QMessageBox::Ok);
    box.setObjectName("MessageBox");
    clearCaption(&box);
    box.exec();
}

}  // namespace

int quillonMain(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (a == "--version") {
            std::printf("Quillon %s\n", QUILLON_VERSION);
            return 0;
        }
    }
    const char* display = std::getenv("DISPLAY");
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if ((display == nullptr || *display == '\0') && (platform == nullptr || *platform == '\0')) {
        std::fputs("quillon: no X display to use: the DISPLAY variable is not set\n", stderr);
        return 1;
    }

    TerminationSignals::blockInAllThreads();
    QApplication app(argc, argv);
    loadResources();
    QApplication::setApplicationName("Quillon");
    QApplication::setApplicationVersion(QUILLON_VERSION);
    // The program lives on in the tray with its window hidden.
    QApplication::setQuitOnLastWindowClosed(false);
    MessageBoxNotices notices;

    // The event loop and the signals first: a signal ends the program also while a start-up message waits.
    std::unique_ptr<QtPump> pump;
    std::unique_ptr<X11HookLibrary> hookLibrary;
    std::unique_ptr<x11::X11Desktop> desktop;
    try {
        desktop = std::make_unique<x11::X11Desktop>(std::string{}, [&](x11::X11Events& events, const IClock& clock) {
            pump = std::make_unique<QtPump>(clock, &events);
            // The hook library lends a keycode to the end marker: before the desktop hands out its spare ones.
            hookLibrary = std::make_unique<X11HookLibrary>(*pump, *pump, clock,
                                                    [](std::string_view text) { showLooseMessage("Warning", text); });
            return x11::EventLoop{*pump, *pump, *pump};
        });
    } catch (const std::exception& e) {
        alone("System Error", toQString(sentence(e.what()) + "  Quillon will terminate."));
        return 1;
    }
    TerminationSignals termination(*pump, *pump);
    const auto signalled = [&termination](int rc) {
        return termination.received() != 0 ? 128 + termination.received() : rc;
    };
    pump->setOnQuit([] { ending::begin(); });

    Paths paths;
    try {
        paths = Paths::fromEnvironment();
    } catch (const FileError& e) {
        alone("System Error", toQString(sentence(e.what()) + "  Quillon will terminate."));
        return signalled(1);
    }
    // The lock that keeps a second copy out and the notes that undo what a killed copy left live there: in a
    // folder someone else could have made or opened, none of them can be trusted.
    const posix::RuntimeFolder runtime;
    if (!runtime.usable()) {
        alone("System Error", toQString(runtime.problem() + "  Quillon will terminate."));
        return signalled(1);
    }
    const Settings settings = readSettingsAtStart(paths, notices);
    if (pump->quitRequested()) return signalled(0);

    // The remapper works on the hook library's connection; it also puts back what a killed predecessor left.
    hook::X11Remapper remapper(hookLibrary->events());
    hookLibrary->setRemapper(&remapper);
    TMainWin main(paths, settings, *hookLibrary, desktop->clock(), *pump, notices);
    runGuarded(nullptr, [&] { main.loadCurrentFile(); });

    const SingleInstance instance(runtime);
    if (!instance.first()) {
        if (!pump->quitRequested()) alreadyRunning(main.settings().useTray);
        return signalled(0);
    }

    QtPrompts qtPrompts;
    UserTurnPrompts prompts(qtPrompts, *hookLibrary);
    MainWindow window(main);
    notices.setParent(&window);
    const Platform platformForPlayback = desktop->platform(*hookLibrary, prompts, window);
    QtMacroMenu menu(
        main.macros(), [&main](int n) { return main.readMacro(n); }, paths.iconsFolder());
    runGuarded(&window, [&] { main.FormCreate(window, platformForPlayback, args, &menu, hookLibrary.get()); });
    pump->setHandler(&main);
    int rc = 0;
    if (pump->quitRequested()) {
        // A signal came during the start: end as it asks, giving back what the start took.
        ending::begin();
        window.close();
    } else {
        pump->setOnQuit([&window] { ending::begin([&window] { window.close(); }); });
        window.start();
        rc = QApplication::exec();
    }
    pump->setHandler(nullptr);
    desktop->finish();
    return signalled(rc);
}

}  // namespace qln::gui
