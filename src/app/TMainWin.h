#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Commands.h"
#include "app/MainWindowView.h"
#include "core/Notices.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "platform/Platform.h"
#include "playback/PlaybackSession.h"
#include "store/MacroFile.h"
#include "store/MacroFileCommands.h"
#include "store/MacroTable.h"
#include "store/NetworkSync.h"
#include "store/TriggerTable.h"
#include "store/Vexmap.h"
#include "triggers/StandIns.h"
#include "triggers/TriggerHost.h"
#include "triggers/Triggers.h"

namespace qln {

// The main window without its widgets: the composition root that owns the macro set, its file, the network
// sharing, the playback and the hook library's table, and carries out the main window's operations.  The form
// (src/gui) shows what it decides and hands it the user's commands.
class TMainWin : public IMacroListView, public IMessageHandler, public IMacroFileSwap, public ITriggerHost {
public:
    TMainWin(const Paths& paths, const Settings& settings, IHookLibrary& hook, const IClock& clock, ITimers& timers,
             INotices& notices);
    ~TMainWin() override;
    TMainWin(const TMainWin&) = delete;
    TMainWin& operator=(const TMainWin&) = delete;

    // Start-up, before the single-instance test: the current macro file (the default one when the settings name
    // none, or one that is not there), and its sync file in network mode.
    void loadCurrentFile();

    // The form exists: the rest of the start-up (hooks, command line, tray icons, commands).  `platform` is what
    // playback acts on; `menu` shows the macro menus and `keys` tells when the user let go of a trigger's keys
    // (without them, menus are cancelled and keys count as released at once).
    void FormCreate(IMainWindowView& view, const Platform& platform, const std::vector<std::string>& args,
                    IMacroMenu* menu = nullptr, IPhysicalKeys* keys = nullptr);
    // The window closes: hooks removed, the window's place kept, the settings written.  Never asks the user
    // anything: a failed write goes to stderr and is told at the next start.
    void FormClose();
    // About to be shown for the first time; true when "/HIDE" asks to stay hidden (it is then never shown, so it
    // never takes the focus from the program in front).
    bool FormPaint();

    // Commands.
    bool enabled(Command c) const;
    // The tool bar's button of the command.
    bool toolButtonEnabled(Command c) const { return enabled(c) && !toolButtonLockedBy(restriction_, c); }
    std::string caption() const;
    std::string displayName() const;
    bool DoOpen(const std::string& chosen);
    bool DoNew(const std::string& chosen);
    bool OpenRecentFile(int k);  // 1..5
    // The program lives in the tray: "Use Tray" is on and a tray is up.  Until a tray comes (at login the panel
    // often starts after Quillon) the window stands in for it; the setting stays as the user chose it.
    bool trayMode() const { return settings_.useTray && trayUp_; }
    // A system tray came up or went away (the form watches for it).
    void trayAvailabilityChanged(bool up);
    void MenuHideClick();
    void MenuSysTrayClick();
    // The tray icon clicked, "&Open" of the tray menu, the "Activate Quillon" system macro.
    void SysTrayOpen();
    void ActivateMe() override;
    // The program lost the focus to another application.
    void AppDeactivate();
    void MenuTerminateClick() { terminating_ = true; }
    // The network dialog closed with these fields.
    void networkDialogClosed();
    // The macro behind a list row, read from the file (for Quick Info).
    std::optional<MacroRecord> readMacro(int macro) override;
    // Writes the settings file; a file the user made read-only is left as it is, which is told once a run.
    void writeSettings();

    // Rebuilds the hot key in-use map and the Snipword byte and hands them to the library.
    void SetHotKeys() { macros_.SetHotKeys(); }
    // A dialog waiting for a hot key: while `flag` is set the library sends the codes (0x401) to `window`, and
    // they reach `onCode`.  Cleared with flag false.
    void SetSecWind(std::uint32_t window, bool flag, std::function<void(std::uint16_t code)> onCode = {});
    // "&Remap": false when the shared macro file is held by another user (the user has been told); otherwise the
    // caller shows the remapper and then calls remapperClosed.
    bool MenuRemapClick();
    // The remapper closed: changed tables are written to the remap file and take effect (or stop).
    void remapperClosed(bool changed, const Vexmap& tables);
    // The macro file's remap tables were read anew: the remapping follows them.
    void remapChanged() override;
    // "Restore &Keyboard Hooks" and "Restore &Mouse Hooks", after the user said Yes.
    void RestoreKeyboardHooks();
    void RestoreMouseHooks();
    const Vexmap& vexmap() const { return vexmap_; }
    // "Rena&me Macro" on a system macro opens System Hot Keys in the field of its function (0..3); -1 when the
    // macro is no system macro or the restriction level forbids it.
    int systemKeysField(int macro) const;

    // A right click on a menu's tray icon at screen X `x`: that macro's menu opens.
    void MenuTaskIconRightClick(int macro, int x);
    // System function "4", also on the tray menu.
    void MenuTopWindow();

    // ITriggerHost.
    bool captureRunning() const override;
    void warning(std::string_view text) override;
    // Capture comes with the recorder; until then the system macro does nothing.
    void StartACapture() override {}
    bool reloadChangedNetworkFile() override;
    bool useTray() const override { return trayMode(); }
    void macroPlaying(bool playing, std::string_view nickname) override {
        if (view_ != nullptr) view_->showPlaying(playing, nickname);
    }

    // The hook library's messages.
    void handleMessage(const Message& m) override;
    // "<SWAP:" of a playing macro.
    void swapMacroFile(std::string_view file) override;

    // IMacroListView, for the file commands: forwarded to the form.
    int selectedRow() const override;
    int rowCount() const override;
    void selectRow(int row) override;
    void fillList() override;
    void setButtons(bool enabled) override;
    void setCaption(std::string_view displayName) override;
    void checkAndSetTime() override {}
    void removeTrayIcons() override;
    void putTrayIcons() override;

    Settings& settings() { return settings_; }
    const Settings& settings() const { return settings_; }
    MacroTable& macros() { return macros_; }
    const MacroTable& macros() const { return macros_; }
    MacroFile& macroFile() { return file_; }
    NetworkSync& network() { return network_; }
    MacroFileCommands& fileCommands() { return commands_; }
    PlaybackSession& playback() { return *playback_; }
    Restriction restriction() const { return restriction_; }
    const TriggerTable& table() const { return table_; }
    const Paths& paths() const { return paths_; }
    const std::array<std::uint8_t, 104>& remapBlock() const { return remapBlock_; }
    const std::array<std::uint8_t, 17>& windowBlock() const { return windowBlock_; }
    bool paused() const { return playback_ && playback_->player().state().paused; }
    bool popupMenuShown() const { return triggers_ && triggers_->state().popupMenuShown; }
    Triggers& triggers() { return *triggers_; }

    // Refusals of ActivateMe.
    static constexpr const char* PausedMessage =
        "A current playback macro is in the middle of a PAUSE. Quillon cannot be invoked until the PAUSE is either "
        "cancelled or resumed.";
    static constexpr const char* PopupMenuMessage =
        "A Quillon Popup Menu is currently being displayed. Quillon cannot be invoked until this menu has been "
        "cleared.";
    static constexpr const char* RecordingMessage =
        "A macro is currently being recorded. Quillon cannot be invoked until the recording is completed.";

private:
    void applySwitch(const StartSwitch& s);
    void hookUp();
    void unhook();

    Paths paths_;
    Settings settings_;
    IHookLibrary& hook_;
    const IClock& clock_;
    ITimers& timers_;
    INotices& notices_;
    TriggerTable table_;
    MacroNames names_;
    MacroTable macros_;
    MacroFile file_;
    Vexmap vexmap_;
    NetworkSync network_;
    MacroFileCommands commands_;
    std::unique_ptr<PlaybackSession> playback_;
    CancelledMacroMenu noMenu_;
    NoHeldKeys noHeldKeys_;
    IPhysicalKeys* keys_ = &noHeldKeys_;
    std::unique_ptr<Triggers> triggers_;
    std::function<void(std::uint16_t)> hotKeyCapture_;
    IMainWindowView* view_ = nullptr;

    std::array<std::uint8_t, 104> remapBlock_{};
    std::array<std::uint8_t, 17> windowBlock_{};
    std::uint32_t keyboardHook_ = 0, mouseHook_ = 0, swapHook_ = 0, cbtHook_ = 0;
    Restriction restriction_ = Restriction::None;
    bool blocksAttached_ = false;
    bool hideAtFirstPaint_ = false;
    bool trayUp_ = false;
    bool terminating_ = false;
    bool ignoreNextDeactivation_ = false;
    bool toldReadOnly_ = false;
    int rememberedRow_ = 0;
};

}  // namespace qln
