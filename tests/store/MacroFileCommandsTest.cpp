// File names, the recent files list, the remap file, the file commands and the Network dialog's logic.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/Settings.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimHookLibrary.h"
#include "platform/sim/SimMessagePump.h"
#include "store/MacroFileCommands.h"
#include "store/MacroFileNames.h"
#include "store/NetworkConsiderations.h"
#include "support/TempFolder.h"

namespace qln {
namespace {

TEST(MacroFileNames, ExtensionCheckAndCompanions) {
    const std::pair<const char*, bool> names[] = {{"SET.QLN", true}, {"set.qln", true}, {"/a/b/SET.qln", true},
                                                  {"SET.QL", false}, {"SET.TXT", false}, {"QLN", false},
                                                  {"SET.QLNX", false}, {"SETQLN", false}};
    for (const auto& [name, ok] : names) EXPECT_EQ(isMacroFileName(name), ok) << name;
    EXPECT_EQ(displayName("/home/ann/Work Macros.QLN"), "Work Macros");
    EXPECT_EQ(displayName("C:\\Macros\\SET.QLN"), "SET");
    EXPECT_EQ(remapFileName("/x/SET.qln"), "/x/SET.QLS");
    EXPECT_EQ(remapFileName("/x/SET.QLS"), "/x/SET.QLS.QLS");
    EXPECT_EQ(syncFileName("/x/SET.QLN"), "/x/SET.MAS");
    EXPECT_EQ(syncFileName("/x/SET.MAS"), "/x/SET.MAS.MAS");
}

TEST(RecentFiles, OpeningAListedFileMovesThePreviousOneToTheTop) {
    std::array<std::string, 5> entries = {"P", "Q", "R", "", ""};
    RecentFiles recent(entries);
    recent.DoLastFiles("S", "Q");
    EXPECT_EQ(entries, (std::array<std::string, 5>{"S", "P", "R", "", ""}));
    recent.DoLastFiles("Q", "T");
    recent.DoLastFiles("T", "U");
    recent.DoLastFiles("U", "V");
    EXPECT_EQ(entries, (std::array<std::string, 5>{"U", "T", "Q", "S", "P"}));
    recent.DoLastFiles("V", "W");
    EXPECT_EQ(entries, (std::array<std::string, 5>{"V", "U", "T", "Q", "S"}));
    std::array<std::string, 5> caseMatters = {"a.qln", "", "", "", ""};
    RecentFiles(caseMatters).DoLastFiles("b.qln", "A.QLN");
    EXPECT_EQ(caseMatters[1], "a.qln");
}

TEST(RecentFiles, MenuShowsOnlyTheFilledEntries) {
    std::array<std::string, 5> none;
    EXPECT_EQ(RecentFiles(none).SetMenuLastFiles(), RecentFilesMenu{});
    std::array<std::string, 5> some = {"/a/X.QLN", "", "/b/Y.QLN", "", ""};
    const RecentFilesMenu menu = RecentFiles(some).SetMenuLastFiles();
    EXPECT_TRUE(menu.separatorVisible);
    EXPECT_EQ(menu.captions[0], "&1   /a/X.QLN");
    EXPECT_EQ(menu.captions[1], std::nullopt);
    EXPECT_EQ(menu.captions[2], "&3   /b/Y.QLN");
}

TEST(Vexmap, DefaultsFileAndUse) {
    test::TempFolder tmp;
    Vexmap v;
    EXPECT_FALSE(v.SwapsInUse());
    v.GetSwapFile(tmp.file("SET.QLN"));
    const std::string bytes = tmp.read("SET.QLS");
    ASSERT_EQ(bytes.size(), 93u);
    EXPECT_EQ(bytes.substr(0, 3), "ABC");
    EXPECT_EQ(bytes.substr(26, 3), "abc");
    EXPECT_EQ(bytes.substr(52, 10), "0123456789");
    EXPECT_EQ(bytes.substr(62), " !\"#$%&'()*+,-./:;<=>?@[\\]^_`}~");
    v.tables()[26] = 0;  // 'a' produces nothing
    EXPECT_TRUE(v.SwapsInUse());
    EXPECT_TRUE(v.SaveVexmap(tmp.file("SET.QLS")));
    Vexmap other;
    other.GetSwapFile(tmp.file("SET.QLN"));
    EXPECT_TRUE(other.SwapsInUse());
    tmp.write("SHORT.QLS", "abc");
    EXPECT_FALSE(other.LoadVexmap(tmp.file("SHORT.QLS")));
    EXPECT_TRUE(other.SwapsInUse());  // unchanged
    other.tables()[26] = 'a';
    EXPECT_FALSE(other.SwapsInUse());
}

class FakeView : public IMacroListView, public INotices {
public:
    int selectedRow() const override { return selected; }
    int rowCount() const override { return rows; }
    void selectRow(int row) override { selected = row; }
    void fillList() override { calls += "fill "; }
    void setButtons(bool on) override { calls += on ? "buttons-on " : "buttons-off "; }
    void setCaption(std::string_view name) override { calls += "caption:" + std::string(name) + " "; }
    void checkAndSetTime() override { calls += "schedule "; }
    void removeTrayIcons() override { calls += "tray-off "; }
    void putTrayIcons() override { calls += "tray-on "; }
    void notice(std::string_view caption, std::string_view text) override {
        notices.push_back(std::string(caption) + ": " + std::string(text));
    }
    int selected = 0;
    int rows = 0;
    std::string calls;
    std::vector<std::string> notices;
};

// Breaks the circle between the lock (which asks for reloads) and the commands (which do them).
struct ForwardReload : IMacroSetReload {
    IMacroSetReload* target = nullptr;
    void reloadWithRefresh() override { target->reloadWithRefresh(); }
};

struct App {
    App() { forward.target = &commands; }
    test::TempFolder tmp;
    sim::SimClock clock{{2026, 12, 9, 10, 0, 0, 0}};
    sim::SimMessagePump pump{clock};
    sim::SimHookLibrary hook{&clock};
    TriggerTable table;
    MacroNames names;
    MacroTable macros{table, names, hook};
    FakeView view;
    MacroFile file{macros, clock, view};
    Vexmap vexmap;
    Settings settings;
    ForwardReload forward;
    NetworkSync network{clock, pump, view, forward};
    MacroFileCommands commands{settings, macros, file, vexmap, network, view, view};
};

TEST(FileCommands, OpenRefusesOtherExtensionsAndKeepsTheCurrentFile) {
    App a;
    a.settings.currentFile = a.tmp.file("OLD.QLN");
    for (const char* name : {"SET.QL", "SET.TXT"}) {
        EXPECT_FALSE(a.commands.DoOpen(a.tmp.file(name)));
        EXPECT_EQ(a.settings.currentFile, a.tmp.file("OLD.QLN"));
    }
    EXPECT_EQ(a.view.notices, std::vector<std::string>(2, "Error: Invalid file type selected."));
    EXPECT_TRUE(a.commands.DoOpen(a.tmp.file("SET.qln")));
}

// A text given a macro file's name is refused before anything changes: it is neither made current nor written.
TEST(FileCommands, OpenRefusesAFileThatIsNoMacroFile) {
    App a;
    a.settings.currentFile = a.tmp.file("OLD.QLN");
    a.file.load(a.settings.currentFile);
    ASSERT_EQ(a.macros.count(), 4);
    const std::string notes(12090, 'n');
    a.tmp.write("NOTES.QLN", notes);
    a.view.calls.clear();
    for (const bool open : {true, false}) {
        a.view.notices.clear();
        EXPECT_FALSE(open ? a.commands.DoOpen(a.tmp.file("NOTES.QLN"))
                          : a.commands.OpenSaveFile(a.tmp.file("NOTES.QLN")));
        EXPECT_EQ(a.view.notices, std::vector<std::string>{"Error: " + a.file.refusal(a.tmp.file("NOTES.QLN"))});
    }
    a.commands.swapMacroFile(a.tmp.file("NOTES.QLN"));
    EXPECT_EQ(a.settings.currentFile, a.tmp.file("OLD.QLN"));
    EXPECT_EQ(a.file.path(), a.tmp.file("OLD.QLN"));
    EXPECT_EQ(a.macros.count(), 4);
    EXPECT_EQ(a.view.calls, "");
    EXPECT_EQ(a.tmp.read("NOTES.QLN"), notes);
}

TEST(FileCommands, NewFileIsCreatedAndRefreshedInOrder) {
    App a;
    a.settings.currentFile = a.tmp.file("OLD.QLN");
    a.settings.lastFiles = {"P", "Q", "R", "", ""};
    ASSERT_TRUE(a.commands.DoNew(a.tmp.file("New Set.QLN")));
    EXPECT_EQ(std::filesystem::file_size(a.tmp.file("New Set.QLN")), 4u * 5165);
    EXPECT_TRUE(std::filesystem::exists(a.tmp.file("New Set.QLS")));
    EXPECT_EQ(a.view.calls, "tray-off caption:New Set fill buttons-on schedule ");
    EXPECT_EQ(a.settings.currentFile, a.tmp.file("New Set.QLN"));
    EXPECT_EQ(a.settings.lastFiles, (std::array<std::string, 5>{a.tmp.file("OLD.QLN"), "P", "Q", "R", ""}));
    EXPECT_EQ(a.hook.calls().back().call, "QlnUpKeys");
}

TEST(FileCommands, SwapTakesAnyNameAndRefreshesEverything) {
    App a;
    a.settings.currentFile = a.tmp.file("OLD.QLN");
    a.settings.networkMode = true;
    a.network.setNetworkMode(true);
    a.commands.swapMacroFile(a.tmp.file("Other.set"));
    EXPECT_EQ(a.settings.currentFile, a.tmp.file("Other.set"));
    EXPECT_EQ(std::filesystem::file_size(a.tmp.file("Other.set")), 4u * 5165);
    EXPECT_TRUE(std::filesystem::exists(a.tmp.file("Other.set.MAS")));
    EXPECT_TRUE(std::filesystem::exists(a.tmp.file("Other.set.QLS")));
    EXPECT_EQ(a.view.calls, "tray-off caption:Other fill buttons-on schedule tray-on ");
    EXPECT_EQ(a.settings.lastFiles[0], a.tmp.file("OLD.QLN"));
    EXPECT_EQ(a.network.knownCounter(), 1);
}

TEST(FileCommands, RecentFileThatVanishedIsRefused) {
    App a;
    a.settings.currentFile = a.tmp.file("S.QLN");
    EXPECT_FALSE(a.commands.OpenSaveFile(a.tmp.file("GONE.QLN")));
    EXPECT_EQ(a.view.notices, std::vector<std::string>{"Error: File does not exist."});
    EXPECT_EQ(a.settings.currentFile, a.tmp.file("S.QLN"));
}

TEST(FileCommands, ReloadKeepsTheSelectedRowOrTakesTheLast) {
    App a;
    a.commands.DoOpen(a.tmp.file("SET.QLN"));
    a.view.rows = 4;
    a.view.selected = 9;
    a.commands.reloadWithRefresh();
    EXPECT_EQ(a.view.selected, 3);
    a.view.selected = 2;
    a.commands.reloadWithRefresh();
    EXPECT_EQ(a.view.selected, 2);
}

TEST(NetworkDialog, ClosingStoresTheFieldsAndFollowsAutoSync) {
    App a;
    a.settings.currentFile = a.tmp.file("SET.QLN");
    NetworkConsiderations dialog(a.settings, a.network);
    NetworkConsiderations::Fields f = dialog.FormShow();
    EXPECT_FALSE(f.NetworkOption);
    EXPECT_FALSE(NetworkConsiderations::otherControlsEnabled(f));
    f = {true, true, "3 "};
    dialog.FormClose(f);
    EXPECT_TRUE(a.settings.networkMode);
    EXPECT_EQ(a.settings.syncMinutes, 3);
    EXPECT_TRUE(a.network.syncTimerRunning());
    EXPECT_TRUE(std::filesystem::exists(a.tmp.file("SET.MAS")));
    dialog.FormClose({true, true, "0"});
    EXPECT_FALSE(a.settings.autoSync);
    EXPECT_FALSE(a.network.syncTimerRunning());
    dialog.FormClose({true, true, "xy"});
    EXPECT_EQ(a.settings.syncMinutes, 0);
    EXPECT_FALSE(a.settings.autoSync);
}

}  // namespace
}  // namespace qln
