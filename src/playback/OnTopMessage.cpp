#include "playback/OnTopMessage.h"

namespace qln {

void OnTopMessage::DoAMessage(std::string_view caption, std::string_view text) {
    if (open_) return;
    WindowHandle previous = 0;
    if (useTray_) {
        platform_.app.showTaskbarWindow();
    } else {
        previous = platform_.windows.foregroundWindow();
        if (platform_.app.isMinimised()) platform_.app.restore();
        platform_.app.hideMainWindow();
    }
    open_ = true;
    platform_.prompts.showMessage(caption.empty() ? "Message" : caption, text);
    open_ = false;
    if (useTray_) {
        platform_.app.hideTaskbarWindow();
    } else {
        platform_.app.showMainWindow();
        if (previous != 0) platform_.windows.setForegroundWindow(previous);
    }
}

}  // namespace qln
