#pragma once

#include "playback/CommandEffects.h"
#include "playback/WindowControl.h"
#include "platform/Platform.h"

namespace qln {

// Makes another macro file the current one (the macro file commands do it; playback only asks).
class IMacroFileSwap {
public:
    virtual ~IMacroFileSwap() = default;
    virtual void swapMacroFile(std::string_view file) = 0;
};

// The window, program, clipboard, file and sound tags acting on the desktop and the file system.  File names in
// macro text are Windows-1252 and are converted for the file system.
class DesktopEffects : public ICommandEffects {
public:
    explicit DesktopEffects(Platform& platform, IMacroFileSwap* swap = nullptr)
        : platform_(platform), windows_(platform), swap_(swap) {}
    // Activations become playback's return window.
    void setReturnWindow(WindowHandle* returnWindow) { windows_.setReturnWindow(returnWindow); }

    void setUseTray(bool useTray) { useTray_ = useTray; }
    WindowControl& windowControl() { return windows_; }

    bool ActivateIt(std::string_view title) override { return windows_.ActivateIt(title); }
    void windowCommand(WindowCommand command, std::string_view title) override;
    void sizeWindow(std::string_view title, long width, long height) override;
    void moveWindow(std::string_view title, long x, long y) override;
    WindowHandle MakeSureItsAParent(WindowHandle w) override { return windows_.MakeSureItsAParent(w); }

    void launch(std::string_view program, std::string_view arguments) override;
    bool launchAndWait(bool activateFirst, long seconds, std::string_view title, std::string_view program,
                       std::string_view arguments) override;
    void openAddress(std::string_view address) override;

    void putOnClipboard(std::string_view text) override { platform_.clipboard.setText(text); }
    std::optional<std::string> readTextFile(std::string_view file) override;
    void changeFolder(std::string_view folder) override;
    void deleteFile(std::string_view file) override;
    void copyFile(std::string_view source, std::string_view target) override;
    void renameFile(std::string_view from, std::string_view to) override;
    void swapMacroFile(std::string_view file) override;

    void beep() override { platform_.sound.beep(); }
    void playWave(std::string_view file, bool waitUntilDone) override { platform_.sound.playWave(file, waitUntilDone); }

    std::optional<std::uint16_t> DoRepPrompt() override;

private:
    Platform& platform_;
    WindowControl windows_;
    IMacroFileSwap* swap_;
    bool useTray_ = false;
    bool promptOpen_ = false;
};

}  // namespace qln
