#pragma once

#include "core/Settings.h"
#include "playback/PlaybackSession.h"
#include "store/MacroTable.h"
#include "triggers/DispatchState.h"
#include "triggers/MacroMenu.h"
#include "triggers/TriggerHost.h"
#include "triggers/TriggeredRun.h"

namespace qln {

// The window keys 0-9 and A-Z choose from.
constexpr std::size_t MaxMenuEntries = 36;

// The menu a Popup Menu macro's record asks for: its items (macros of the set only, at most 36), the display style
// and icon size of its popup options.
MacroMenuRequest popupMenuRequest(const MacroRecord& record, int macroCount, int position);
// The display style of the "What To Show On Popup Menu" setting (1 text, 2 icons, 3 nickname and scope).
MenuStyle menuStyleOfSetting(std::int32_t systemMenu);

// Shows macro menus: a Popup Menu macro's own, and the menu of macros for the window in front.
class PopupMenus {
public:
    PopupMenus(const MacroTable& macros, PlaybackSession& playback, IMacroMenu& menu, ITriggerHost& host,
               const Settings& settings, DispatchState& state, TriggeredRun& run)
        : macros_(macros), playback_(playback), menu_(menu), host_(host), settings_(settings), state_(state),
          run_(run) {}

    // Shows the menu modally with the popup-menu-shown flag set, hiding the main window meanwhile, then gives the
    // focus to `focusBack` (raised to its top-level window).  The chosen macro number, or -1.
    int show(const MacroMenuRequest& request, WindowHandle focusBack);
    // System function "4": the Window and Program macros that fit the window in front; the chosen one plays.
    void MenuTopWindow();

private:
    const MacroTable& macros_;
    PlaybackSession& playback_;
    IMacroMenu& menu_;
    ITriggerHost& host_;
    const Settings& settings_;
    DispatchState& state_;
    TriggeredRun& run_;
};

}  // namespace qln
