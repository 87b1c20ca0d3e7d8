#pragma once

#include "platform/Platform.h"

namespace qln {

// What the program does around one of its own prompts while a macro plays (the pause dialog, the repeat-count
// prompt, the message window): in tray mode a taskbar button stands for the program while the prompt is open;
// otherwise the main window steps aside, restored first if it was minimised.  When the prompt closes, the
// main window comes back and the focus returns to the window that was in front.
class PromptScope {
public:
    PromptScope(Platform& platform, bool useTray);
    ~PromptScope();
    PromptScope(const PromptScope&) = delete;
    PromptScope& operator=(const PromptScope&) = delete;

    // The main window had to be restored from minimised to show the prompt.
    bool restoredFromMinimised() const { return restored_; }
    // The pause dialog: the main window stays hidden afterwards (the end of the macro brings it back) and the
    // focus goes to the macro's return window.
    void leaveMainWindowHidden(WindowHandle focusAfterwards) {
        showMainWindow_ = false;
        focusAfterwards_ = focusAfterwards;
    }

private:
    Platform& platform_;
    bool useTray_;
    bool restored_ = false;
    bool showMainWindow_ = true;
    WindowHandle focusAfterwards_ = 0;
};

}  // namespace qln
