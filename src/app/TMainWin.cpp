#include "app/TMainWin.h"

#include <algorithm>
#include <cstring>

#include "app/UnsavedSettings.h"
#include "core/FileError.h"
#include "core/SettingsFile.h"
#include "platform/File.h"
#include "platform/ThisProcess.h"
#include "store/MacroFileNames.h"

namespace qln {

namespace {

void put32(std::span<std::uint8_t> block, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) block[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Fields of the table the start-up clears that have no name of their own.
constexpr std::size_t kClearedAtStart[] = {4, 740, 741, 761, 762, 763, 765, 14296};
constexpr std::size_t kCaptureCounter = 759;
constexpr std::size_t kCaptureOn = 737;
constexpr std::size_t kRemapTables = 8;  // the 93 bytes of the remap tables in the remap block

// This program's file name, as the process list names it: its windows are not another program's.
std::string ownProgramName(const IProcesses& processes) {
    const std::uint32_t self = thisProcessId();
    for (const ProcessInfo& p : processes.processes())
        if (p.pid == self) return p.programFile;
    return "quillon";
}

}  // namespace

TMainWin::TMainWin(const Paths& paths, const Settings& settings, IHookLibrary& hook, const IClock& clock,
                   ITimers& timers, INotices& notices)
    : paths_(paths),
      settings_(settings),
      hook_(hook),
      clock_(clock),
      timers_(timers),
      notices_(notices),
      macros_(table_, names_, hook_),
      file_(macros_, clock_, notices_),
      network_(clock_, timers_, notices_, commands_),
      commands_(settings_, macros_, file_, vexmap_, network_, *this, notices_) {
    file_.setChangeGuard(&network_);
}

TMainWin::~TMainWin() = default;

void TMainWin::loadCurrentFile() {
    if (settings_.currentFile.empty()) settings_.currentFile = paths_.defaultMacroFile();
    network_.setNetworkMode(settings_.networkMode);
    if (settings_.networkMode) network_.adoptFile(settings_.currentFile);
    file_.load(settings_.currentFile);
}

void TMainWin::FormCreate(IMainWindowView& view, const Platform& platform, const std::vector<std::string>& args,
                          IMacroMenu* menu, IPhysicalKeys* keys) {
    view_ = &view;
    keys_ = keys != nullptr ? keys : &noHeldKeys_;
    playback_ = std::make_unique<PlaybackSession>(platform, this);
    triggers_ = std::make_unique<Triggers>(Triggers::Parts{macros_, *playback_, menu != nullptr ? *menu : noMenu_,
                                                           *keys_, settings_, *this,
                                                           ownProgramName(platform.processes)});
    trayUp_ = view_->trayAvailable();
    playback_->setUseTray(trayMode());
    hookUp();
    hideAtFirstPaint_ = false;
    restriction_ = Restriction::None;
    for (const StartSwitch& s : readCommandLine(args)) applySwitch(s);
    if (trayMode()) view_->setMainTrayIcon(true);
    putTrayIcons();
    network_.setNetworkMode(settings_.networkMode);
    if (settings_.networkMode && settings_.autoSync) network_.startSyncTimer(settings_.syncMinutes, true);
    view_->setCaption(caption());
    view_->fillList();
    view_->commandsChanged();
}

void TMainWin::hookUp() {
    const std::uint32_t window = view_->windowHandle();
    hook_.attachBlocks(remapBlock_, windowBlock_);
    blocksAttached_ = true;
    put32(remapBlock_, 0, window);
    remapBlock_[103] = 0;
    vexmap_.GetSwapFile(settings_.currentFile);
    remapChanged();
    for (const std::size_t at : {0, 8, 12}) put32(windowBlock_, static_cast<std::size_t>(at), window);
    cbtHook_ = hook_.QlnHookCBT();
    put32(windowBlock_, 4, cbtHook_);
    windowBlock_[16] = 1;  // the system of the NT kind: the only one there is here

    for (const std::size_t at : kClearedAtStart) table_.setByteAt(at, 0);
    table_.set16At(kCaptureCounter, 0);
    table_.setByteAt(hooktable::NtFlag, 1);
    table_.setByteAt(hooktable::MouseSwapped, 0);
    hook_.QlnUpCapture(table_.image());
    hook_.QlnUpInit(table_.image());
    table_.setMainWindow(window);
    hook_.QlnUpWindow(table_.image());
    table_.set32At(hooktable::SecondWindow, window);
    table_.setByteAt(hooktable::SecondWindowFlag, 0);
    hook_.QlnUpWindow2(table_.image());
    table_.setByteAt(hooktable::ProgramName, 0);
    hook_.QlnUpProg(table_.image());
    table_.setByteAt(kCaptureOn, 0);
    hook_.QlnUpCaptureOn(table_.image());
    for (std::size_t n = 1; n <= hooktable::MaxPrograms; ++n)
        table_.setByteAt(hooktable::ProgramListBase + n * hooktable::ProgramListWidth, 0);
    table_.set32At(hooktable::ProgramCount, 0);
    hook_.QlnUpProgs(table_.image());
    SetHotKeys();
    keyboardHook_ = hook_.QlnHookKeyboard();
    table_.set32At(hooktable::KeyboardHook, keyboardHook_);
    mouseHook_ = hook_.QlnHookMouse();
    table_.set32At(hooktable::MouseHook, mouseHook_);
    hook_.QlnUpKeyHook(table_.image());
    hook_.QlnUpMouseHook(table_.image());
}

void TMainWin::remapChanged() {
    // The library reads the tables from the block; a change while remapping stays in use is applied anew.
    std::copy(vexmap_.tables().begin(), vexmap_.tables().end(), remapBlock_.begin() + kRemapTables);
    // Before the start-up hands the blocks over, the start-up itself installs the remapping.
    if (!blocksAttached_) return;
    if (swapHook_ != 0) {
        hook_.QlnUnHook(swapHook_);
        swapHook_ = 0;
    }
    if (vexmap_.SwapsInUse()) swapHook_ = hook_.QlnHookSwap();
    put32(remapBlock_, 4, swapHook_);
}

int TMainWin::systemKeysField(int macro) const {
    if (lockedBy(restriction_, Command::RenameMacro) || macro < 1 || macro > macros_.count()) return -1;
    if (macros_.table().scope(macro) != ScopeSystem) return -1;
    const std::string function = macros_.table().name(macro);
    return function.size() == 1 && function[0] >= '1' && function[0] <= '4' ? function[0] - '1' : -1;
}

bool TMainWin::MenuRemapClick() { return !network_.FileInUse(); }

void TMainWin::remapperClosed(bool changed, const Vexmap& tables) {
    if (changed) {
        vexmap_.tables() = tables.tables();
        vexmap_.SaveVexmap(remapFileName(settings_.currentFile));
        remapChanged();
    }
    network_.ReleaseSyncFile(changed ? 1 : 0);
}

void TMainWin::RestoreKeyboardHooks() {
    hook_.QlnUnHook(keyboardHook_);
    keyboardHook_ = hook_.QlnHookKeyboard();
    table_.set32At(hooktable::KeyboardHook, keyboardHook_);
    hook_.QlnUpKeyHook(table_.image());
    if (vexmap_.SwapsInUse()) {
        // The old remapping handle is let go first, so the keyboard is never left with two.
        if (swapHook_ != 0) hook_.QlnUnHook(swapHook_);
        swapHook_ = hook_.QlnHookSwap();
        put32(remapBlock_, 4, swapHook_);
    }
}

void TMainWin::RestoreMouseHooks() {
    hook_.QlnUnHook(mouseHook_);
    mouseHook_ = hook_.QlnHookMouse();
    table_.set32At(hooktable::MouseHook, mouseHook_);
    hook_.QlnUpMouseHook(table_.image());
}

void TMainWin::unhook() {
    hook_.QlnUnHook(keyboardHook_);
    hook_.QlnUnHook(mouseHook_);
    if (swapHook_ != 0) hook_.QlnUnHook(swapHook_);
    hook_.QlnUnHook(cbtHook_);
    keyboardHook_ = mouseHook_ = swapHook_ = cbtHook_ = 0;
}

void TMainWin::applySwitch(const StartSwitch& s) {
    using Kind = StartSwitch::Kind;
    switch (s.kind) {
        case Kind::Hide:
            hideAtFirstPaint_ = true;
            break;
        case Kind::Browse:
            if (restriction_ == Restriction::None) restriction_ = Restriction::Browse;
            break;
        case Kind::BrowseAll:
            restriction_ = Restriction::BrowseAll;
            break;
        case Kind::AutoSync:
            settings_.autoSync = true;
            break;
        case Kind::NetworkMode:
            settings_.networkMode = true;
            network_.setNetworkMode(true);
            network_.adoptFile(settings_.currentFile);
            break;
        case Kind::SyncMinutes:
            settings_.syncMinutes = static_cast<std::uint16_t>(s.minutes);
            break;
        case Kind::File: {
            if (fileInfo(s.path).kind != FileKind::Regular) break;
            // Something else than a macro file (a text, say) is neither loaded nor ever written.
            if (const std::string refusal = file_.refusal(s.path); !refusal.empty()) {
                notices_.notice("Error", refusal);
                break;
            }
            removeTrayIcons();
            settings_.currentFile = s.path;
            if (settings_.networkMode) network_.adoptFile(s.path);
            file_.load(s.path);
            SetHotKeys();
            fillList();
            break;
        }
    }
}

bool TMainWin::FormPaint() {
    const bool hide = hideAtFirstPaint_;
    hideAtFirstPaint_ = false;
    return hide;
}

void TMainWin::FormClose() {
    unhook();
    if (view_ != nullptr) view_->geometry(settings_.mainLeft, settings_.mainTop, settings_.mainWidth, settings_.mainHeight);
    // The program is ending (a signal may have asked it to): nobody is asked to read a message now.  A failure
    // goes to stderr and to the user at the next start; a file the user made read-only is theirs to keep so.
    try {
        if (!saveSettingsFile(settings_, paths_))
            settingsNotSavedAtExit(paths_, paths_.settingsFile(), ReadOnlySettingsReason, false);
    } catch (const FileError& e) {
        settingsNotSavedAtExit(paths_, e.path(), e.reason());
    }
}

void TMainWin::writeSettings() {
    if (saveSettingsFile(settings_, paths_) || toldReadOnly_) return;
    toldReadOnly_ = true;
    notices_.notice("Error", "The settings were not saved: " + paths_.settingsFile() + ": " + ReadOnlySettingsReason +
                                 ".  Quillon leaves it as it is and saves no settings while it runs.");
}

bool TMainWin::enabled(Command c) const {
    if (!isBuilt(c) || lockedBy(restriction_, c)) return false;
    if (actsOnSelectedMacro(c) && macros_.count() == 0) return false;
    switch (c) {
        case Command::Hide:
            return trayMode();
        case Command::RecentFile1:
        case Command::RecentFile2:
        case Command::RecentFile3:
        case Command::RecentFile4:
        case Command::RecentFile5:
            return !settings_.lastFiles[static_cast<std::size_t>(static_cast<int>(c) - static_cast<int>(Command::RecentFile1))].empty();
        default:
            return true;
    }
}

std::string TMainWin::displayName() const { return qln::displayName(settings_.currentFile); }

std::string TMainWin::caption() const {
    return "Quillon (" + displayName() + ")" + std::string(restrictionSuffix(restriction_));
}

bool TMainWin::DoOpen(const std::string& chosen) {
    const bool ok = commands_.DoOpen(chosen);
    if (view_ != nullptr) view_->commandsChanged();
    return ok;
}

bool TMainWin::DoNew(const std::string& chosen) {
    const bool ok = commands_.DoNew(chosen);
    if (view_ != nullptr) view_->commandsChanged();
    return ok;
}

bool TMainWin::OpenRecentFile(int k) {
    if (k < 1 || k > 5) return false;
    const std::string path = settings_.lastFiles[static_cast<std::size_t>(k - 1)];
    if (path.empty()) return false;
    const bool ok = commands_.OpenSaveFile(path);
    if (view_ != nullptr) view_->commandsChanged();
    return ok;
}

void TMainWin::trayAvailabilityChanged(bool up) {
    if (view_ == nullptr || up == trayUp_) return;
    trayUp_ = up;
    if (playback_) playback_->setUseTray(trayMode());
    putTrayIcons();
    view_->commandsChanged();
    if (!settings_.useTray) return;
    // A tray that goes away takes the icon with it; Qt docks it again when a tray comes back.
    view_->setMainTrayIcon(up);
    if (!up || !view_->mainWindowVisible()) return;
    // The window stood in for the tray: it steps into it now, unless something keeps it up as a switch to another
    // program would.
    if (paused() || popupMenuShown() || view_->anyDialogOpen()) return;
    rememberedRow_ = view_->selectedRow();
    if (view_->isMinimised()) view_->restore();
    view_->hideTaskbarWindow();
    view_->hideMainWindow();
}

void TMainWin::MenuHideClick() {
    if (!trayMode() || view_ == nullptr) return;
    view_->hideTaskbarWindow();
    view_->hideMainWindow();
}

void TMainWin::MenuSysTrayClick() {
    settings_.useTray = !settings_.useTray;
    if (playback_) playback_->setUseTray(trayMode());
    if (view_ != nullptr) {
        view_->setMainTrayIcon(trayMode());
        view_->commandsChanged();
    }
    writeSettings();
}

void TMainWin::SysTrayOpen() {
    if (view_ == nullptr) return;
    if (!trayMode()) {
        view_->bringToFront();
        return;
    }
    // The editing dialogs that hold the network lock come with the list editing; none holds it yet.
    view_->closeDialogs();
    ActivateMe();
}

void TMainWin::ActivateMe() {
    if (view_ == nullptr) return;
    const char* refusal = paused()                      ? PausedMessage
                          : popupMenuShown()            ? PopupMenuMessage
                          : table_.byteAt(kCaptureOn) != 0 ? RecordingMessage
                                                        : nullptr;
    if (refusal != nullptr) {
        playback_->messages().DoAMessage("Warning", refusal);
        return;
    }
    if (view_->mainWindowVisible() && !trayMode()) {
        if (view_->isMinimised()) view_->restore();
        view_->bringToFront();
        return;
    }
    view_->showTaskbarWindow();
    view_->showMainWindow();
    view_->bringToFront();
    view_->applyColumnWidths();
    if (rememberedRow_ > 0 && rememberedRow_ <= view_->rowCount()) view_->selectRow(rememberedRow_);
}

void TMainWin::AppDeactivate() {
    if (view_ == nullptr) return;
    if (ignoreNextDeactivation_) {
        ignoreNextDeactivation_ = false;
        return;
    }
    if (terminating_ || !trayMode() || paused() || popupMenuShown()) return;
    rememberedRow_ = view_->selectedRow();
    if (view_->anyDialogOpen()) return;
    if (view_->isMinimised()) view_->restore();
    view_->hideTaskbarWindow();
    view_->hideMainWindow();
}

void TMainWin::networkDialogClosed() {
    network_.setNetworkMode(settings_.networkMode);
    if (view_ != nullptr) view_->commandsChanged();
}

std::optional<MacroRecord> TMainWin::readMacro(int macro) { return file_.read(macro); }

void TMainWin::handleMessage(const Message& m) {
    if (std::holds_alternative<hook::InUseCleared>(m)) {
        table_.setInUse(false);
        return;
    }
    if (std::holds_alternative<hook::ReplayHeldKeys>(m)) {
        keys_->deliverHeldKeys();
        return;
    }
    if (const auto* capture = std::get_if<hook::HotKeyToCapture>(&m)) {
        if (hotKeyCapture_) hotKeyCapture_(capture->code);
        return;
    }
    if (triggers_ && triggers_->handleMessage(m)) return;
    if (playback_) playback_->handleMessage(m);
}

void TMainWin::SetSecWind(std::uint32_t window, bool flag, std::function<void(std::uint16_t)> onCode) {
    table_.set32At(hooktable::SecondWindow, window);
    table_.setByteAt(hooktable::SecondWindowFlag, flag ? 1 : 0);
    hotKeyCapture_ = flag ? std::move(onCode) : nullptr;
    hook_.QlnUpWindow2(table_.image());
}

void TMainWin::MenuTaskIconRightClick(int macro, int x) {
    if (!triggers_ || macro < 1 || macro > macros_.count()) return;
    playback_->platform().pump.post(triggers_->menuIconMessage(macro, x));
}

void TMainWin::MenuTopWindow() {
    if (triggers_) triggers_->MenuTopWindow();
}

bool TMainWin::captureRunning() const { return table_.byteAt(kCaptureOn) != 0; }

void TMainWin::warning(std::string_view text) {
    if (playback_) playback_->messages().DoAMessage("Warning", text);
}

bool TMainWin::reloadChangedNetworkFile() {
    if (!settings_.networkMode || !network_.takeChangedCounter()) return false;
    commands_.reloadWithRefresh();
    return true;
}

void TMainWin::swapMacroFile(std::string_view file) { commands_.swapMacroFile(std::string(file)); }

int TMainWin::selectedRow() const { return view_ != nullptr ? view_->selectedRow() : 0; }
int TMainWin::rowCount() const { return view_ != nullptr ? view_->rowCount() : 0; }
void TMainWin::selectRow(int row) {
    if (view_ != nullptr) view_->selectRow(row);
}
void TMainWin::fillList() {
    if (view_ != nullptr) view_->fillList();
}
void TMainWin::setButtons(bool) {
    if (view_ != nullptr) view_->commandsChanged();
}
void TMainWin::setCaption(std::string_view) {
    if (view_ != nullptr) view_->setCaption(caption());
}

void TMainWin::removeTrayIcons() {
    if (view_ != nullptr) view_->setMenuTrayIcons({});
}

void TMainWin::putTrayIcons() {
    if (view_ == nullptr) return;
    std::vector<MenuTrayIcon> icons;
    for (int n = 1; n <= macros_.count() && icons.size() < 15; ++n) {
        const std::string& options = macros_.snipword(n);
        if (macros_.table().scope(n) != ScopePopupMenu || options.empty() || options[0] != 'Y') continue;
        MenuTrayIcon icon{n, macros_.nickname(n), {}};
        if (const auto record = file_.read(n); record && record->iconName != "MENU" && !record->iconName.empty()) {
            const std::string file = paths_.iconsFolder() + "/" + record->iconName;
            if (fileInfo(file).kind == FileKind::Regular) icon.iconFile = file;
        }
        icons.push_back(icon);
    }
    view_->setMenuTrayIcons(icons);
}

}  // namespace qln
