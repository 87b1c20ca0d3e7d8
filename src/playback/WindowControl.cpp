#include "playback/WindowControl.h"

#include <algorithm>

#include "core/TextCase.h"
#include "playback/Waits.h"

namespace qln {

namespace {
constexpr std::size_t kTitleChars = 255;
constexpr int kMaxAncestors = 64;  // a damaged parent chain must not hang us
constexpr std::uint64_t kRetryMs = 100;
}  // namespace

bool WindowControl::GetWinHandle(WindowHandle& found, std::string_view title) const {
    // An empty title would match every untitled window; a title search never finds those.
    if (title.empty()) return false;
    IDesktopWindows& windows = platform_.windows;
    if (const WindowHandle exact = windows.findWindow(title); exact != 0) {
        found = exact;
        return true;
    }
    const std::string search = upperWin1252(title.substr(0, kTitleChars));
    for (const WindowHandle w : windows.topLevelWindows()) {
        std::string t = windows.windowTitle(w);
        if (t.empty()) continue;
        if (t.size() > kTitleChars) t.resize(kTitleChars);
        if (upperWin1252(t).find(search) != std::string::npos) {
            found = w;
            return true;
        }
    }
    return false;
}

bool WindowControl::bringUp(WindowHandle w) {
    if (platform_.windows.isMinimised(w)) platform_.windows.showWindow(w, ShowCommand::Restore);
    // A window that never got the focus must not be typed into as if it had: the caller gives up.
    if (!focusHandover(w)) return false;
    if (returnWindow_ != nullptr) *returnWindow_ = w;
    return true;
}

bool WindowControl::ActivateIt(std::string_view title) {
    WindowHandle w = 0;
    return GetWinHandle(w, title) && bringUp(w);
}

bool WindowControl::ActivateProg(std::string_view name) {
    const std::string wanted = upperWin1252(name);
    std::uint32_t target = 0;
    for (const ProcessInfo& p : platform_.processes.processes()) {
        if (upperWin1252(p.programFile).find(wanted) != std::string::npos) {
            target = p.pid;
            break;
        }
    }
    if (target == 0) return false;
    for (const WindowHandle w : platform_.windows.topLevelWindows()) {
        if (platform_.windows.windowTitle(w).empty() || platform_.windows.windowProcess(w) != target) continue;
        return bringUp(w);
    }
    return false;
}

WindowHandle WindowControl::MakeSureItsAParent(WindowHandle w) const {
    const auto top = platform_.windows.topLevelWindows();
    for (int i = 0; w != 0 && i < kMaxAncestors; ++i) {
        if (std::find(top.begin(), top.end(), w) != top.end()) return w;
        w = platform_.windows.parentWindow(w);
    }
    return 0;
}

bool WindowControl::focusHandover(WindowHandle w) { return w != 0 && platform_.windows.setForegroundWindow(w); }

bool WindowControl::waitForWindow(std::string_view title, long seconds) {
    auto wholeSeconds = [this] { return msOfDay(platform_.clock.localNow()) / 1000; };
    const std::int64_t start = wholeSeconds();
    for (;;) {
        if (ActivateIt(title)) return true;
        platform_.pump.processMessages();
        if (platform_.pump.quitRequested()) return false;
        std::int64_t elapsed = wholeSeconds() - start;
        if (elapsed < 0) elapsed += 86400;  // past midnight
        if (elapsed > seconds) return false;
        // A new window arrives as an event; without one, look again shortly.
        platform_.pump.waitUntil(platform_.clock.tickCount() + kRetryMs);
    }
}

WindowHandle WindowControl::tagWindow(std::string_view title) const {
    if (title.empty()) return 0;
    if (title == CurrentWindowName) return platform_.windows.foregroundWindow();
    WindowHandle w = 0;
    return GetWinHandle(w, title) ? w : 0;
}

}  // namespace qln
