#include "playback/DesktopEffects.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <limits>

#include "core/AtomicFile.h"
#include "core/FileError.h"
#include "core/Win1252.h"
#include "playback/PromptScope.h"
#include "playback/RepeatPrompt.h"
#include "playback/Waits.h"

namespace qln {

namespace {

constexpr std::size_t kLaunchTitleChars = 30;
constexpr long kLaunchWaitSeconds = 30;

std::filesystem::path fsPath(std::string_view win1252) {
    return std::filesystem::path(win1252ToUtf8(win1252));
}

int toInt(long v) {
    return static_cast<int>(std::clamp<long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

void DesktopEffects::windowCommand(WindowCommand command, std::string_view title) {
    const WindowHandle w = windows_.tagWindow(title);
    if (w == 0) return;
    IDesktopWindows& d = platform_.windows;
    switch (command) {
        case WindowCommand::Shut:
            d.postQuit(w);
            break;
        case WindowCommand::Hide:
            d.showWindow(w, ShowCommand::Hide);
            break;
        case WindowCommand::Show:
            d.showWindow(w, ShowCommand::Show);
            break;
        case WindowCommand::Max:
            d.sysCommand(w, SysCommand::Maximise);
            break;
        case WindowCommand::Min:
            d.sysCommand(w, SysCommand::Minimise);
            break;
        case WindowCommand::Res:
            d.sysCommand(w, SysCommand::Restore);
            break;
        case WindowCommand::Cls:
            d.sysCommand(w, SysCommand::Close);
            break;
    }
}

void DesktopEffects::sizeWindow(std::string_view title, long width, long height) {
    if (const WindowHandle w = windows_.tagWindow(title)) platform_.windows.resizeWindow(w, toInt(width), toInt(height));
}

void DesktopEffects::moveWindow(std::string_view title, long x, long y) {
    if (const WindowHandle w = windows_.tagWindow(title)) platform_.windows.moveWindow(w, toInt(x), toInt(y));
}

void DesktopEffects::launch(std::string_view program, std::string_view arguments) {
    if (!program.empty()) platform_.shell.open(program, arguments);
}

bool DesktopEffects::launchAndWait(bool activateFirst, long seconds, std::string_view title, std::string_view program,
                                   std::string_view arguments) {
    const std::string_view launchTitle = title.substr(0, std::min(title.size(), kLaunchTitleChars));
    if (activateFirst && windows_.ActivateIt(launchTitle)) return true;
    launch(program, arguments);
    if (!windows_.waitForWindow(launchTitle, kLaunchWaitSeconds)) return false;
    waitTimeOfDay(platform_.clock, platform_.pump, static_cast<double>(seconds));
    return true;
}

void DesktopEffects::openAddress(std::string_view address) {
    if (!address.empty()) platform_.shell.open(address, {});
}

std::optional<std::string> DesktopEffects::readTextFile(std::string_view file) {
    try {
        std::string bytes = readWholeFile(fsPath(file).string());
        if (!bytes.empty() && bytes.back() == 26) bytes.pop_back();  // the old end-of-file mark
        return bytes;
    } catch (const FileError&) {
        return std::nullopt;
    }
}

void DesktopEffects::changeFolder(std::string_view folder) {
    std::error_code ec;
    std::filesystem::current_path(fsPath(folder), ec);
}

void DesktopEffects::deleteFile(std::string_view file) {
    std::error_code ec;
    if (!std::filesystem::is_directory(fsPath(file), ec)) std::filesystem::remove(fsPath(file), ec);
}

void DesktopEffects::copyFile(std::string_view source, std::string_view target) {
    std::error_code ec;
    std::filesystem::copy_file(fsPath(source), fsPath(target), std::filesystem::copy_options::overwrite_existing, ec);
}

void DesktopEffects::renameFile(std::string_view from, std::string_view to) {
    // Like a move of the desktop: never over an existing file; across file systems by copying.
    const auto source = fsPath(from), target = fsPath(to);
    std::error_code ec;
    if (std::filesystem::exists(target, ec) || !std::filesystem::exists(source, ec)) return;
    std::filesystem::rename(source, target, ec);
    if (ec == std::errc::cross_device_link) {
        std::error_code copied;
        std::filesystem::copy(source, target, std::filesystem::copy_options::recursive, copied);
        if (!copied) std::filesystem::remove_all(source, copied);
    }
}

void DesktopEffects::swapMacroFile(std::string_view file) {
    if (swap_ != nullptr && !file.empty()) swap_->swapMacroFile(file);
}

std::optional<std::uint16_t> DesktopEffects::DoRepPrompt() {
    if (promptOpen_) return std::nullopt;
    std::string text;
    {
        const PromptScope scope(platform_, useTray_);
        promptOpen_ = true;
        try {
            text = platform_.prompts.showRepeatPrompt(
                [](std::string_view t) { return RepeatPrompt::check(t.substr(0, RepeatPrompt::MaxChars)); });
        } catch (...) {
            promptOpen_ = false;
            throw;
        }
        promptOpen_ = false;
    }
    return RepeatPrompt::count(text.substr(0, RepeatPrompt::MaxChars));
}

}  // namespace qln
