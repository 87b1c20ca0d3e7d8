#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "playback/Keywords.h"
#include "platform/Types.h"

namespace qln {

// The effects of the window, program, clipboard, file and sound tags.  The interpreter reads each tag and
// hands its parameters here; texts are Windows-1252 and already cut to their field widths.
class ICommandEffects {
public:
    virtual ~ICommandEffects() = default;

    // Brings the window to the front; false when no window matches.
    virtual bool ActivateIt(std::string_view title) = 0;
    virtual void windowCommand(WindowCommand command, std::string_view title) = 0;
    virtual void sizeWindow(std::string_view title, long width, long height) = 0;
    virtual void moveWindow(std::string_view title, long x, long y) = 0;
    // The window itself or its nearest top-level ancestor; 0 when there is none.
    virtual WindowHandle MakeSureItsAParent(WindowHandle w) = 0;

    virtual void launch(std::string_view program, std::string_view arguments) = 0;
    // "<LAUNCHYES:" (activateFirst) and "<LAUNCHNO:": false when the window never appeared.
    virtual bool launchAndWait(bool activateFirst, long seconds, std::string_view title, std::string_view program,
                               std::string_view arguments) = 0;
    virtual void openAddress(std::string_view address) = 0;

    virtual void putOnClipboard(std::string_view text) = 0;
    // Contents of a text file for "<CLIPF:" and "<TFILE:", the final Ctrl+Z left out; nothing when unreadable.
    virtual std::optional<std::string> readTextFile(std::string_view file) = 0;
    virtual void changeFolder(std::string_view folder) = 0;
    virtual void deleteFile(std::string_view file) = 0;
    virtual void copyFile(std::string_view source, std::string_view target) = 0;
    virtual void renameFile(std::string_view from, std::string_view to) = 0;
    virtual void swapMacroFile(std::string_view file) = 0;

    virtual void beep() = 0;
    virtual void playWave(std::string_view file, bool waitUntilDone) = 0;

    // The repeat-count prompt; nothing when it cannot be shown.
    virtual std::optional<std::uint16_t> DoRepPrompt() = 0;
};

// Reads the tags and does nothing: the state of a build without these effects.
class NullCommandEffects : public ICommandEffects {
public:
    bool ActivateIt(std::string_view) override { return true; }
    void windowCommand(WindowCommand, std::string_view) override {}
    void sizeWindow(std::string_view, long, long) override {}
    void moveWindow(std::string_view, long, long) override {}
    WindowHandle MakeSureItsAParent(WindowHandle w) override { return w; }
    void launch(std::string_view, std::string_view) override {}
    bool launchAndWait(bool, long, std::string_view, std::string_view, std::string_view) override { return true; }
    void openAddress(std::string_view) override {}
    void putOnClipboard(std::string_view) override {}
    std::optional<std::string> readTextFile(std::string_view) override { return std::nullopt; }
    void changeFolder(std::string_view) override {}
    void deleteFile(std::string_view) override {}
    void copyFile(std::string_view, std::string_view) override {}
    void renameFile(std::string_view, std::string_view) override {}
    void swapMacroFile(std::string_view) override {}
    void beep() override {}
    void playWave(std::string_view, bool) override {}
    std::optional<std::uint16_t> DoRepPrompt() override { return std::nullopt; }
};

}  // namespace qln
