#pragma once

namespace qln::hook {

// What the program has asked the library to report, from its hook calls and the table it published.
struct HookSwitches {
    bool keyboard = false;       // QlnHookKeyboard: hot keys, typed characters, abort
    bool mouse = false;          // QlnHookMouse: mouse hot keys, clicks ending a typed word
    bool activation = false;     // QlnHookCBT: window activation
    bool inUse = false;          // a triggered macro plays: our own synthetic input is not the user's
    bool snipwords = false;      // some macro has a Snipword: typed characters are wanted
    bool captureWindow = false;  // a dialog waits for a hot key to be pressed
    bool userTurn = false;       // the playing macro waits for the user (a pause, a prompt)
};

}  // namespace qln::hook
