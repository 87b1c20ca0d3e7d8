#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qln {

// What the pause dialog shows and where; the playback logic works it out, the desktop only shows it.
struct PauseDialogRequest {
    int left = 0;
    int top = 0;
    int width = 224;
    int height = 94;         // the form's height
    int messageHeight = 0;   // 0: the message label is hidden
    std::string caption;     // "Pause" or "Pause (" + hot key name + ")"
    std::string title;       // nickname of the macro being played
    std::string message;     // text of the pause tag, Windows-1252
};

// The program's own modal prompts that a playing macro raises.  Texts are Windows-1252 bytes.
class IPrompts {
public:
    virtual ~IPrompts() = default;
    // Shows the pause dialog modally, handling messages meanwhile.  true: Resume, false: Abort or closed.
    virtual bool showPause(const PauseDialogRequest& request) = 0;
    // Ends an open pause dialog from outside (the paused macro's hot key, the Resume Pause macro).
    virtual void closePause(bool resume) = 0;
    // The stay-on-top message window; returns when the user dismissed it.
    virtual void showMessage(std::string_view caption, std::string_view text) = 0;
    // The repeat-count prompt.  Each attempt to close it hands the edit text to `check`; a message returned by it
    // is shown (caption "Error") and the prompt stays open.  Returns the text that was accepted.
    virtual std::string showRepeatPrompt(
        const std::function<std::optional<std::string>(std::string_view text)>& check) = 0;
};

// The program's own main window and taskbar presence, as far as playback moves them.
class IAppWindow {
public:
    virtual ~IAppWindow() = default;
    virtual bool isMinimised() const = 0;
    virtual void restore() = 0;
    virtual void minimise() = 0;
    virtual void showMainWindow() = 0;
    virtual void hideMainWindow() = 0;
    virtual void showTaskbarWindow() = 0;
    virtual void hideTaskbarWindow() = 0;
};

}  // namespace qln
