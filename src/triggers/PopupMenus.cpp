#include "triggers/PopupMenus.h"

#include "core/TextCase.h"
#include "store/PopupItems.h"
#include "triggers/NameMatch.h"
#include "triggers/TriggerMessages.h"

namespace qln {

namespace {

constexpr int kIconSizes[] = {16, 24, 32, 48, 64};

// Clears the popup-menu-shown flag however the menu ends.
class MenuShown {
public:
    explicit MenuShown(bool& flag) : flag_(flag) { flag_ = true; }
    MenuShown(const MenuShown&) = delete;
    MenuShown& operator=(const MenuShown&) = delete;
    ~MenuShown() { flag_ = false; }

private:
    bool& flag_;
};

}  // namespace

MacroMenuRequest popupMenuRequest(const MacroRecord& record, int macroCount, int position) {
    MacroMenuRequest r;
    for (const std::uint16_t item : readPopupItems(record)) {
        // An entry naming no macro of the set (a damaged list) could be neither drawn nor played.
        if (item < 1 || item > macroCount) continue;
        r.macros.push_back(item);
        if (r.macros.size() == MaxMenuEntries) break;
    }
    // The popup options live in the Snipword field: tray icon flag, display style, icon size digit.
    const std::string& options = record.snipword;
    const char style = options.size() > 1 ? options[1] : ' ';
    r.style = style == '1' ? MenuStyle::MacroText : style == '2' ? MenuStyle::Icons : MenuStyle::NicknameAndScope;
    const char size = options.size() > 2 ? options[2] : '0';
    r.iconSize = size >= '0' && size <= '4' ? kIconSizes[size - '0'] : 16;
    r.position = position;
    return r;
}

MenuStyle menuStyleOfSetting(std::int32_t systemMenu) {
    return systemMenu == 1 ? MenuStyle::MacroText : systemMenu == 2 ? MenuStyle::Icons : MenuStyle::NicknameAndScope;
}

int PopupMenus::show(const MacroMenuRequest& request, WindowHandle focusBack) {
    IAppWindow& app = playback_.platform().app;
    const bool tray = host_.useTray();
    bool restored = false;
    if (tray) {
        app.showTaskbarWindow();
    } else {
        if (app.isMinimised()) {
            app.restore();
            restored = true;
        }
        app.hideMainWindow();
    }
    int chosen = -1;
    {
        const MenuShown shown(state_.popupMenuShown);
        chosen = menu_.showMacroMenu(request);
    }
    if (tray) {
        app.hideTaskbarWindow();
    } else {
        app.showMainWindow();
        if (restored) app.minimise();
    }
    WindowControl& windows = playback_.effects().windowControl();
    windows.focusHandover(windows.MakeSureItsAParent(focusBack));
    return chosen;
}

void PopupMenus::MenuTopWindow() {
    Platform& platform = playback_.platform();
    const WindowHandle front = platform.windows.foregroundWindow();
    const std::string program = programOfWindow(platform, front);
    const std::string title = upperWin1252(platform.windows.windowTitle(front));
    MacroMenuRequest request;
    request.iconSize = 32;
    request.style = menuStyleOfSetting(settings_.systemMenu);
    request.position = -1;
    const TriggerTable& t = macros_.table();
    for (int n = 1; n <= macros_.count() && request.macros.size() < MaxMenuEntries; ++n) {
        if ((t.scope(n) == ScopeWindow && nameOccursIn(t.name(n), title)) ||
            (t.scope(n) == ScopeProgram && nameOccursIn(t.name(n), program)))
            request.macros.push_back(n);
    }
    if (request.macros.empty()) {
        host_.warning(NoTopWindowMacrosWarning);
        return;
    }
    const int chosen = show(request, front);
    if (chosen <= 0) return;
    const auto record = host_.readMacro(chosen);
    if (!record) return;
    state_.pendingMacro = chosen;
    state_.playbackRecord = *record;
    playback_.player().state().returnWindow = front;
    run_.play(playbackMacroOf(*record));
}

}  // namespace qln
