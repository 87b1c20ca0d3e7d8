#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "playback/Keywords.h"
#include "platform/Types.h"

namespace qln {

// The effects of the window, program, clipboard, file and sound tags.  The interpreter reads each tag and
// hands its parameters here; texts are Windows-1252 and already cut to their field widths.  Each effect does
// nothing unless a desktop gives it one, so this class itself is the build without effects, and tests override
// only what they watch.
class ICommandEffects {
public:
    virtual ~ICommandEffects() = default;

    // Brings the window to the front; false when no window matches.
    virtual bool ActivateIt(std::string_view /*title*/) { return true; }
    virtual void windowCommand(WindowCommand, std::string_view /*title*/) {}
    virtual void sizeWindow(std::string_view /*title*/, long /*width*/, long /*height*/) {}
    virtual void moveWindow(std::string_view /*title*/, long /*x*/, long /*y*/) {}
    // The window itself or its nearest top-level ancestor; 0 when there is none.
    virtual WindowHandle MakeSureItsAParent(WindowHandle w) { return w; }

    virtual void launch(std::string_view /*program*/, std::string_view /*arguments*/) {}
    // "<LAUNCHYES:" (activateFirst) and "<LAUNCHNO:": false when the window never appeared.
    virtual bool launchAndWait(bool /*activateFirst*/, long /*seconds*/, std::string_view /*title*/,
                               std::string_view /*program*/, std::string_view /*arguments*/) {
        return true;
    }
    virtual void openAddress(std::string_view /*address*/) {}

    virtual void putOnClipboard(std::string_view /*text*/) {}
    // Contents of a text file for "<CLIPF:" and "<TFILE:", the final Ctrl+Z left out; nothing when unreadable.
    virtual std::optional<std::string> readTextFile(std::string_view /*file*/) { return std::nullopt; }
    virtual void changeFolder(std::string_view /*folder*/) {}
    virtual void deleteFile(std::string_view /*file*/) {}
    virtual void copyFile(std::string_view /*source*/, std::string_view /*target*/) {}
    virtual void renameFile(std::string_view /*from*/, std::string_view /*to*/) {}
    virtual void swapMacroFile(std::string_view /*file*/) {}

    virtual void beep() {}
    virtual void playWave(std::string_view /*file*/, bool /*waitUntilDone*/) {}

    // The repeat-count prompt; nothing when it cannot be shown.
    virtual std::optional<std::uint16_t> DoRepPrompt() { return std::nullopt; }
};

// Reads the tags and does nothing: the state of a build without these effects.
class NullCommandEffects final : public ICommandEffects {};

}  // namespace qln
