#include "playback/PromptScope.h"

namespace qln {

PromptScope::PromptScope(Platform& platform, bool useTray) : platform_(platform), useTray_(useTray) {
    if (useTray_) {
        platform_.app.showTaskbarWindow();
        return;
    }
    focusAfterwards_ = platform_.windows.foregroundWindow();
    if (platform_.app.isMinimised()) {
        platform_.app.restore();
        restored_ = true;
    }
    platform_.app.hideMainWindow();
}

PromptScope::~PromptScope() {
    // Also left when the macro fails inside the prompt: nothing here may throw past the error being handled.
    try {
        if (useTray_) {
            platform_.app.hideTaskbarWindow();
            return;
        }
        if (showMainWindow_) platform_.app.showMainWindow();
        if (focusAfterwards_ != 0) platform_.windows.setForegroundWindow(focusAfterwards_);
    } catch (...) {
    }
}

}  // namespace qln
