#pragma once

#include <cstdint>
#include <string_view>

namespace qln {

// The main window's command set: every operation its menus, tool bar, letter bar, buttons and tray menu start.
// Several controls start the same operation; they share one command.
enum class Command : std::uint8_t {
    NewFile, OpenFile, OutputInfo, PrintList, PrinterFont, PrinterSetup, Hide, Terminate,
    RecentFile1, RecentFile2, RecentFile3, RecentFile4, RecentFile5,
    AddMacro, CopyMacro, ScriptEditor, ModifyDirectly, Recapture, RenameMacro, ActivateMacro, RemoveMacro,
    QuickInfo, ImportMacros, ExportMacros, Sort,
    Remap,
    Appearance, Network, Snipwords, Capture, ShowDateTime, Alarm, TimerInterval, DisableScreenSaver, SystemTray,
    StartWithSession,
    MouseLocator, RestoreKeyboardHooks, RestoreMouseHooks,
    HelpContents, Tutorial, About,
    LetterBar,
    Count
};

// What "/B" (Browse Mode) and "/BA" (Browse All Mode) lock; "/BA" locks a superset.
enum class Restriction : std::uint8_t { None, Browse, BrowseAll };

// Disabled by the restriction level.
bool lockedBy(Restriction level, Command c);
// The tool bar's button of a command, disabled by the restriction level: "/B" locks more buttons than menu
// entries (Open Macro File and Print Macro List stay on the menu).
bool toolButtonLockedBy(Restriction level, Command c);
// Works on the selected macro: enabled only while the list holds a macro.
bool actsOnSelectedMacro(Command c);
// Its operation exists in this build; the others are shown disabled, so the menus never promise what is not there.
bool isBuilt(Command c);

// The caption suffix of a restriction level ("    (Browse Mode)"), empty for none.
std::string_view restrictionSuffix(Restriction level);

}  // namespace qln
