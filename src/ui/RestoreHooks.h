#pragma once

namespace qln {

enum class HooksToRestore { Keyboard, Mouse };

// The questions asked before the hooks are installed again (Tools > Restore Keyboard Hooks, Restore Mouse Hooks),
// with Yes and No buttons.
inline constexpr const char* RestoreKeyboardHooksTitle = "Keyboard Hooks";
inline constexpr const char* RestoreKeyboardHooksQuestion =
    "It is possible for other programs which are run after Quillon to improperly install themselves into the system "
    "wide Windows keyboard hooks.  This causes Quillon to no longer be able to monitor keystrokes.  This option will "
    "reinstall the Windows keyboard hooks used by Quillon so that Quillon will have the first look at the keystrokes "
    "and will be able to monitor the keystrokes again.  Continue?";
inline constexpr const char* RestoreMouseHooksTitle = "Mouse Hooks";
inline constexpr const char* RestoreMouseHooksQuestion =
    "It is possible for other programs which are run after Quillon to improperly install themselves into the system "
    "wide Windows mouse hooks.  This causes Quillon to no longer be able to monitor mouse movements and clicks.  This "
    "option will reinstall the Windows mouse hooks used by Quillon so that Quillon will have the first look at the "
    "mouse movements and will be able to monitor the mouse again.  Continue?";

}  // namespace qln
