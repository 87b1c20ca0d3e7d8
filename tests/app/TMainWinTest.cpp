// The main window's logic without its widgets: start-up order, command line, commands, tray behaviour.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/CommandLine.h"
#include "app/TMainWin.h"
#include "core/SettingsFile.h"
#include "platform/sim/SimDesktop.h"
#include "store/HotKeyNames.h"
#include "store/PopupItems.h"
#include "support/TempFolder.h"

namespace qln {
namespace {

class CollectNotices : public INotices {
public:
    void notice(std::string_view caption, std::string_view text) override {
        seen.push_back(std::string(caption) + ": " + std::string(text));
    }
    std::vector<std::string> seen;
};

// A main window form that notes what it was asked to do.
class RecordingView : public IMainWindowView {
public:
    void fillList() override { ++fills; }
    int selectedRow() const override { return selected; }
    int rowCount() const override { return rows; }
    void selectRow(int row) override { selected = row; }
    void applyColumnWidths() override {}
    void setCaption(std::string_view c) override { caption = c; }
    void commandsChanged() override {}
    bool trayAvailable() const override { return tray; }
    void setMainTrayIcon(bool active) override { trayIcon = active; }
    void setMenuTrayIcons(const std::vector<MenuTrayIcon>& icons) override { menuIcons = icons.size(); }
    bool mainWindowVisible() const override { return visible; }
    void bringToFront() override { calls.push_back("front"); }
    bool anyDialogOpen() const override { return dialog; }
    void closeDialogs() override { calls.push_back("close dialogs"); }
    void geometry(int& l, int& t, int& w, int& h) const override { l = 10, t = 20, w = 700, h = 500; }
    std::uint32_t windowHandle() const override { return 0x4200007; }
    bool isMinimised() const override { return minimised; }
    void restore() override { minimised = false; }
    void minimise() override { minimised = true; }
    void showMainWindow() override { visible = true; }
    void hideMainWindow() override { visible = false; }
    void showTaskbarWindow() override {}
    void hideTaskbarWindow() override {}
    void showPlaying(bool playing, std::string_view nickname) override {
        calls.push_back(playing ? "playing " + std::string(nickname) : "ended");
    }

    int fills = 0, selected = 0, rows = 0;
    std::size_t menuIcons = 0;
    std::string caption;
    bool tray = true, trayIcon = false, visible = true, dialog = false, minimised = false;
    std::vector<std::string> calls;
};

struct App {
    explicit App(bool tray = true) {
        view.tray = tray;
    }
    void start(const std::vector<std::string>& args = {}, bool useTray = false) {
        Settings settings;
        settings.useTray = useTray;
        main = std::make_unique<TMainWin>(paths, settings, desktop.hook(), desktop.clock(), desktop.pump(), notices);
        main->loadCurrentFile();
        desktop.hook().clearCalls();
        main->FormCreate(view, desktop.platform(), args);
    }
    std::vector<std::string> hookCalls() {
        std::vector<std::string> out;
        for (const auto& c : desktop.hook().calls()) out.push_back(c.call);
        return out;
    }
    test::TempFolder tmp;
    Paths paths = Paths::at(tmp.file("config"), tmp.file("data"));
    sim::SimDesktop desktop{{}};
    CollectNotices notices;
    RecordingView view;
    std::unique_ptr<TMainWin> main;
};

TEST(CommandLine, SwitchesAreUpperCasedButTheFilePathIsKept) {
    using K = StartSwitch::Kind;
    EXPECT_EQ(readCommandLine({"/hide", "/b", "/Ba", "/s", "/n", "/fMine/Set.qln", "other", "/F"}),
              (std::vector<StartSwitch>{{K::Hide}, {K::Browse}, {K::BrowseAll}, {K::AutoSync}, {K::NetworkMode},
                                        {K::File, 0, "Mine/Set.qln"}}));
    for (const auto& [arg, minutes] : std::vector<std::pair<std::string, int>>{
             {"/SM5", 5}, {"/sm98", 98}, {"/SM0", 0}, {"/SM99", 0}, {"/SMabc", 0}, {"/SM", 0}, {"/SM-5", 0}}) {
        const auto read = readCommandLine({arg});
        EXPECT_EQ(read.empty() ? 0 : read[0].minutes, minutes) << arg;
    }
}

TEST(Commands, BrowseAllLocksEverythingBrowseLocksAndMore) {
    for (int i = 0; i < static_cast<int>(Command::Count); ++i) {
        const auto c = static_cast<Command>(i);
        if (lockedBy(Restriction::Browse, c)) {
            EXPECT_TRUE(lockedBy(Restriction::BrowseAll, c)) << i;
        }
        EXPECT_FALSE(lockedBy(Restriction::None, c)) << i;
    }
    EXPECT_TRUE(lockedBy(Restriction::Browse, Command::NewFile));
    EXPECT_FALSE(lockedBy(Restriction::Browse, Command::OpenFile));
    EXPECT_TRUE(lockedBy(Restriction::BrowseAll, Command::OpenFile));
    EXPECT_FALSE(lockedBy(Restriction::BrowseAll, Command::Terminate));
}

TEST(TMainWin, StartUpTalksToTheHookLibraryInTheDesignsOrderAndClosesInReverse) {
    App a;
    a.start();
    EXPECT_EQ(a.hookCalls(), (std::vector<std::string>{"QlnHookCBT", "QlnUpCapture", "QlnUpInit", "QlnUpWindow",
                                                       "QlnUpWindow2", "QlnUpProg", "QlnUpCaptureOn", "QlnUpProgs",
                                                       "QlnUpKeys", "QlnHookKeyboard", "QlnHookMouse", "QlnUpKeyHook",
                                                       "QlnUpMouseHook"}));
    const auto& w = a.main->windowBlock();
    EXPECT_EQ(w[0] | w[1] << 8 | w[2] << 16 | w[3] << 24, 0x4200007);
    EXPECT_EQ(w[8], 0x07);
    EXPECT_EQ(w[16], 1);
    EXPECT_EQ(a.main->table().mainWindow(), 0x4200007u);
    a.desktop.hook().clearCalls();
    a.main->FormClose();
    const auto& calls = a.desktop.hook().calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].arg, a.main->table().value32At(hooktable::KeyboardHook));
    EXPECT_EQ(calls[1].arg, a.main->table().value32At(hooktable::MouseHook));
    // The window's place and the settings are kept.
    const Settings saved = loadSettingsFile(a.paths);
    EXPECT_EQ(saved.mainWidth, 700);
    EXPECT_EQ(saved.mainTop, 20);
}

TEST(TMainWin, FirstStartCreatesTheDefaultMacroFileWithItsSystemMacros) {
    App a;
    a.start();
    EXPECT_EQ(a.main->macros().count(), 4);
    EXPECT_TRUE(std::filesystem::exists(a.paths.defaultMacroFile()));
    EXPECT_EQ(a.view.caption, "Quillon (QUILN)");
}

TEST(TMainWin, RestrictionLevelsLockCommandsAndNameThemselvesInTheCaption) {
    App a;
    a.start({"/b", "/BA"});
    EXPECT_EQ(a.main->caption(), "Quillon (QUILN)    (Browse All Mode)");
    EXPECT_FALSE(a.main->enabled(Command::OpenFile));
    EXPECT_FALSE(a.main->enabled(Command::QuickInfo));
    EXPECT_TRUE(a.main->enabled(Command::Terminate));
    App b;
    b.start({"/B"});
    EXPECT_EQ(b.main->caption(), "Quillon (QUILN)    (Browse Mode)");
    EXPECT_FALSE(b.main->enabled(Command::NewFile));
    EXPECT_TRUE(b.main->enabled(Command::OpenFile));
    EXPECT_TRUE(b.main->enabled(Command::QuickInfo));
    EXPECT_FALSE(b.main->enabled(Command::AddMacro));  // not built yet either way
    // The tool bar's buttons are locked further.
    EXPECT_FALSE(b.main->toolButtonEnabled(Command::OpenFile));
    EXPECT_TRUE(b.main->toolButtonEnabled(Command::Sort));
    EXPECT_FALSE(a.main->toolButtonEnabled(Command::Sort));
    EXPECT_TRUE(a.main->toolButtonEnabled(Command::HelpContents));
}

TEST(TMainWin, FileSwitchOpensAnExistingFileOnlyAndNetworkSwitchReadsItsSyncFile) {
    App a;
    const std::string other = a.tmp.file("Other.QLN");
    a.start({"/F" + a.tmp.file("missing.QLN")});
    EXPECT_EQ(a.main->settings().currentFile, a.paths.defaultMacroFile());
    App b;
    { App maker; maker.start({}); }
    std::filesystem::copy_file(a.paths.defaultMacroFile(), other);
    b.start({"/N", "/F" + other});
    EXPECT_EQ(b.main->settings().currentFile, other);
    EXPECT_TRUE(b.main->network().networkMode());
    EXPECT_TRUE(std::filesystem::exists(b.paths.programFolder + "/QUILN.MAS"));
    EXPECT_TRUE(std::filesystem::exists(a.tmp.file("Other.MAS")));
}

// "/F" with a text: refused with its name and why, the current file kept, the text never written.
TEST(TMainWin, FileSwitchRefusesAFileThatIsNoMacroFile) {
    App a;
    std::string notes;
    while (notes.size() < 12090) notes += "a line of my notes\n";
    notes.resize(12090);
    a.tmp.write("notes.txt", notes);
    a.start({"/F" + a.tmp.file("notes.txt")});
    EXPECT_EQ(a.main->settings().currentFile, a.paths.defaultMacroFile());
    EXPECT_EQ(a.main->macros().count(), 4);
    EXPECT_EQ(a.notices.seen, std::vector<std::string>{"Error: " + a.tmp.file("notes.txt") +
                                                       ": this is no macro file: its size, 12090 bytes, is no whole "
                                                       "number of 5165-byte macro records.  It was not loaded and is "
                                                       "left as it is."});
    a.main->FormClose();
    EXPECT_EQ(a.tmp.read("notes.txt"), notes);
}

TEST(TMainWin, WithoutATrayTheWindowWaitsForOneAndUseTrayIsKept) {
    App a(false);
    a.start({}, true);
    // No tray yet (the panel starts after us): the window stands in for it.
    EXPECT_TRUE(a.main->settings().useTray);
    EXPECT_FALSE(a.main->trayMode());
    EXPECT_FALSE(a.view.trayIcon);
    EXPECT_TRUE(a.main->enabled(Command::SystemTray));
    EXPECT_FALSE(a.main->enabled(Command::Hide));
    a.main->AppDeactivate();
    EXPECT_TRUE(a.view.visible);
    // The tray comes: the icon goes in and the window into the tray.
    a.view.selected = 2;
    a.main->trayAvailabilityChanged(true);
    EXPECT_TRUE(a.main->trayMode());
    EXPECT_TRUE(a.view.trayIcon);
    EXPECT_FALSE(a.view.visible);
    EXPECT_TRUE(a.main->enabled(Command::Hide));
    a.main->FormClose();
    EXPECT_TRUE(loadSettingsFile(a.paths).useTray);
}

TEST(TMainWin, ATrayThatComesWhileADialogIsOpenLeavesTheWindowUp) {
    App a(false);
    a.start({}, true);
    a.view.dialog = true;
    a.main->trayAvailabilityChanged(true);
    EXPECT_TRUE(a.view.trayIcon);
    EXPECT_TRUE(a.view.visible);
    // Without tray mode nothing changes but the commands.
    App b(false);
    b.start({}, false);
    b.main->trayAvailabilityChanged(true);
    EXPECT_FALSE(b.view.trayIcon);
    EXPECT_TRUE(b.view.visible);
    b.main->FormClose();
    EXPECT_FALSE(loadSettingsFile(b.paths).useTray);
}

TEST(TMainWin, ActivateMeIsRefusedDuringAPauseAndOtherwiseBringsTheWindowUp) {
    App a;
    a.start({}, true);
    a.view.visible = false;
    a.main->playback().player().state().paused = true;
    a.main->ActivateMe();
    EXPECT_FALSE(a.view.visible);
    EXPECT_NE(a.desktop.trace().format(0).find(TMainWin::PausedMessage), std::string::npos);
    a.main->playback().player().state().paused = false;
    a.main->ActivateMe();
    EXPECT_TRUE(a.view.visible);
}

TEST(TMainWin, LosingTheFocusHidesIntoTheTrayUnlessADialogIsOpenOrTheProgramEnds) {
    App a;
    a.start({}, true);
    a.view.selected = 3;
    a.view.dialog = true;
    a.main->AppDeactivate();
    EXPECT_TRUE(a.view.visible);
    a.view.dialog = false;
    a.main->AppDeactivate();
    EXPECT_FALSE(a.view.visible);
    a.view.visible = true;
    a.main->MenuTerminateClick();
    a.main->AppDeactivate();
    EXPECT_TRUE(a.view.visible);
}

// Adds a macro to the current file as the list editing will.
void addMacro(TMainWin& main, const MacroRecord& r) {
    const int n = main.macros().count() + 1;
    ASSERT_TRUE(main.macroFile().store(n, r));
    main.macros().setCount(n);
    main.macros().UpNumKeys();
    main.SetHotKeys();
}

MacroRecord globalMacro(std::uint16_t code, std::string_view text) {
    MacroRecord r;
    r.nickname = "Hello";
    r.hotKeyCode = code;
    r.scope = ScopeGlobal;
    r.setText(text);
    return r;
}

TEST(TMainWin, AHotKeyFromTheLibraryPlaysItsMacroAndTheEndMarkerEndsTheInUseState) {
    App a;
    a.start();
    a.desktop.pump().setHandler(a.main.get());
    addMacro(*a.main, globalMacro(152, "a"));  // Ctrl+Alt+I
    a.desktop.trace().clear();
    ASSERT_TRUE(a.desktop.hook().pressHotKey(152, false, a.desktop.windows().foregroundWindow()));
    a.desktop.pump().waitUntil(100);
    EXPECT_EQ(a.desktop.trace().lines(),
              (std::vector<std::string>{"key 65 down", "key 65 up", "key 43 down", "key 43 up"}));
    EXPECT_EQ(a.main->table().inUse(), 0);
    // The tray names the playing macro meanwhile.
    ASSERT_GE(a.view.calls.size(), 2u);
    EXPECT_EQ(a.view.calls[a.view.calls.size() - 2].rfind("playing ", 0), 0u);
    EXPECT_EQ(a.view.calls.back(), "ended");
}

TEST(TMainWin, TheRemapperClosedChangedWritesItsFileAndInstallsOrRemovesTheRemapping) {
    App a;
    a.start();
    Vexmap tables = a.main->vexmap();
    tables.tables()[26] = 'z';  // lower-case a
    a.desktop.hook().clearCalls();
    ASSERT_TRUE(a.main->MenuRemapClick());
    a.main->remapperClosed(true, tables);
    ASSERT_EQ(a.hookCalls(), std::vector<std::string>{"QlnHookSwap"});
    const auto& block = a.main->remapBlock();
    const std::uint32_t handle = block[4] | block[5] << 8 | block[6] << 16 | block[7] << 24;
    EXPECT_NE(handle, 0u);
    EXPECT_EQ(block[8 + 26], 'z');
    Vexmap onDisk;
    ASSERT_TRUE(onDisk.LoadVexmap(a.paths.programFolder + "/QUILN.QLS"));
    EXPECT_EQ(onDisk.tables()[26], 'z');

    // Back to the defaults: the remapping goes, and nothing is installed in its place.
    tables.InitVexmap();
    a.desktop.hook().clearCalls();
    a.main->remapperClosed(true, tables);
    ASSERT_EQ(a.desktop.hook().calls().size(), 1u);
    EXPECT_EQ(a.desktop.hook().calls()[0].call, "QlnUnHook");
    EXPECT_EQ(a.desktop.hook().calls()[0].arg, handle);
    EXPECT_EQ(block[4] | block[5] | block[6] | block[7], 0);
    ASSERT_TRUE(onDisk.LoadVexmap(a.paths.programFolder + "/QUILN.QLS"));
    EXPECT_FALSE(onDisk.SwapsInUse());
}

TEST(TMainWin, TheHotKeyCaptureWindowGetsTheCodesWhileRegistered) {
    App a;
    a.start();
    a.desktop.pump().setHandler(a.main.get());
    addMacro(*a.main, globalMacro(152, "a"));
    std::vector<std::uint16_t> codes;
    a.main->SetSecWind(0x77, true, [&](std::uint16_t code) { codes.push_back(code); });
    EXPECT_EQ(a.desktop.hook().block()[hooktable::SecondWindowFlag], 1);
    a.desktop.hook().pressHotKey(7, false, 0);
    a.desktop.pump().waitUntil(100);
    a.main->SetSecWind(a.main->table().mainWindow(), false);
    a.desktop.hook().pressHotKey(152, false, 0);
    a.desktop.pump().waitUntil(200);
    EXPECT_EQ(codes, (std::vector<std::uint16_t>{7}));
    EXPECT_EQ(a.desktop.trace().lines().front(), "key 65 down");
}

class OneChoiceMenu : public IMacroMenu {
public:
    int showMacroMenu(const MacroMenuRequest& r) override {
        requests.push_back(r);
        return r.macros.empty() ? -1 : r.macros.front();
    }
    std::vector<MacroMenuRequest> requests;
};

TEST(TMainWin, AMenusTrayIconOpensItsMenuAndRefusesTriggersWhileOpen) {
    App a;
    Settings settings;
    a.main = std::make_unique<TMainWin>(a.paths, settings, a.desktop.hook(), a.desktop.clock(), a.desktop.pump(),
                                        a.notices);
    a.main->loadCurrentFile();
    OneChoiceMenu menu;
    sim::SimPhysicalKeys& keys = a.desktop.physicalKeys();
    a.main->FormCreate(a.view, a.desktop.platform(), {}, &menu, &keys);
    a.desktop.pump().setHandler(a.main.get());
    addMacro(*a.main, globalMacro(152, "a"));
    MacroRecord popup = globalMacro(153, "");
    popup.scope = ScopePopupMenu;
    writePopupItems(popup, {5});
    addMacro(*a.main, popup);
    a.desktop.trace().clear();
    a.main->MenuTaskIconRightClick(6, 333);
    a.desktop.pump().waitUntil(100);
    ASSERT_EQ(menu.requests.size(), 1u);
    EXPECT_EQ(menu.requests[0].position, 333);
    EXPECT_EQ(a.desktop.trace().lines().back(), "key 43 up");
    EXPECT_FALSE(a.main->popupMenuShown());
}

}  // namespace
}  // namespace qln
