#include "app/Commands.h"

#include <algorithm>
#include <initializer_list>

namespace qln {

namespace {

bool among(Command c, std::initializer_list<Command> list) { return std::find(list.begin(), list.end(), c) != list.end(); }

}  // namespace

bool lockedBy(Restriction level, Command c) {
    using enum Command;
    if (level == Restriction::None) return false;
    // Everything that changes macros or settings.
    const bool browse = among(c, {NewFile, Network, RemoveMacro, CopyMacro, RenameMacro, ActivateMacro, ScriptEditor,
                                  ImportMacros, ExportMacros, ModifyDirectly, Recapture, AddMacro, Appearance, Remap,
                                  Snipwords, Capture, DisableScreenSaver, LetterBar, StartWithSession});
    if (browse) return true;
    if (level == Restriction::Browse) return false;
    // Browse All: also the files, output, printing, sorting, scheduler, tray and Quick Info.
    return among(c, {OpenFile, RecentFile1, RecentFile2, RecentFile3, RecentFile4, RecentFile5, OutputInfo,
                     PrintList, PrinterSetup, PrinterFont, Hide, QuickInfo, ShowDateTime, Alarm, TimerInterval,
                     Sort, SystemTray});
}

bool toolButtonLockedBy(Restriction level, Command c) {
    using enum Command;
    if (level == Restriction::None) return false;
    if (among(c, {NewFile, OpenFile, AddMacro, ScriptEditor, ModifyDirectly, Recapture, RenameMacro, CopyMacro,
                  ActivateMacro, RemoveMacro, ImportMacros, ExportMacros, PrintList, Appearance}))
        return true;
    return level == Restriction::BrowseAll && c == Sort;
}

bool actsOnSelectedMacro(Command c) {
    using enum Command;
    return among(c, {CopyMacro, ScriptEditor, ModifyDirectly, Recapture, RenameMacro, ActivateMacro, RemoveMacro,
                     QuickInfo});
}

bool isBuilt(Command c) {
    using enum Command;
    return among(c, {NewFile, OpenFile, Hide, Terminate, RecentFile1, RecentFile2, RecentFile3, RecentFile4,
                     RecentFile5, QuickInfo, Sort, Appearance, Network, Snipwords, Remap, RestoreKeyboardHooks,
                     RestoreMouseHooks, SystemTray, StartWithSession,
                     HelpContents, Tutorial, About, LetterBar});
}

std::string_view restrictionSuffix(Restriction level) {
    switch (level) {
        case Restriction::Browse:
            return "    (Browse Mode)";
        case Restriction::BrowseAll:
            return "    (Browse All Mode)";
        default:
            return "";
    }
}

}  // namespace qln
