#include "triggers/HotKeyDispatch.h"

#include "store/HotKeyNames.h"
#include "triggers/TriggerMessages.h"

namespace qln {

namespace {
constexpr std::uint8_t kCapsLock = 20, kShift = 16, kCtrl = 17, kAlt = 18, kWin = 92;
constexpr std::uint16_t kAddressBits = 0x5000;  // cleared from a direct macro number
}  // namespace

char HotKeyDispatch::systemFunction(std::uint16_t code) const {
    const TriggerTable& t = macros_.table();
    for (int n = 1; n <= macros_.count(); ++n) {
        if (t.scope(n) != ScopeSystem || t.active(n) == 0 || t.code(n) != code) continue;
        const std::string name = t.name(n);
        return name.empty() ? ' ' : name[0];
    }
    return 0;
}

bool HotKeyDispatch::paused() const { return playback_.player().state().paused; }

void HotKeyDispatch::hotKeyPressed(const hook::HotKeyPressed& m) {
    if (state_.popupMenuShown) return host_.warning(PopupMenuShownWarning);
    if (host_.captureRunning()) return host_.warning(RecordingWarning);
    // One macro at a time: while one plays, only a pause takes hot keys (one of them resumes it).
    if (run_.playing() && ((m.code & DirectMacroBit) != 0 || !playback_.player().state().paused)) return;
    if ((m.code & DirectMacroBit) != 0) {
        state_.pendingMacro = m.code & ~kAddressBits;
        playback_.player().state().returnWindow = m.window;
        runPending();
        return;
    }
    state_.menuPosition = -1;
    if (pauseHandled(m)) return;

    PlaybackState& playback = playback_.player().state();
    state_.pendingMacro = m.code;
    if (macros_.table().inUse() == 0) playback.capsLockFlag = m.capsLock;
    playback.returnWindow = m.window;

    if (host_.reloadChangedNetworkFile()) {
        replay(m.code);
        return;
    }
    switch (systemFunction(m.code)) {
        case 0:
            break;
        case '1':
            host_.ActivateMe();
            return;
        case '2':
            host_.StartACapture();
            return;
        case '4':
            menus_.MenuTopWindow();
            return;
        default:  // "3" resumes a pause; with none, nothing to do
            return;
    }
    state_.pendingMacro = scopes_.GetMacro(m.code);
    runPending();
}

bool HotKeyDispatch::pauseHandled(const hook::HotKeyPressed& m) {
    if (!playback_.player().state().paused) return false;
    const bool resumes = systemFunction(m.code) == '3' || scopes_.wouldRun(m.code) == state_.pendingMacro;
    if (!resumes) {
        host_.warning(PausedWarning);
        return true;
    }
    if (m.capsLock) {
        playback_.player().PostVKey(kCapsLock, false);
        playback_.player().PostVKey(kCapsLock, true);
    }
    playback_.platform().prompts.closePause(true);
    return true;
}

void HotKeyDispatch::replay(std::uint16_t code) {
    const DecipheredKey k = DecipherKey(code);
    Player& player = playback_.player();
    const std::pair<bool, std::uint8_t> modifiers[] = {
        {k.win, kWin}, {k.alt, kAlt}, {k.ctrl, kCtrl}, {k.shift, kShift}};
    for (const auto& [on, vk] : modifiers)
        if (on) player.PostVKey(vk, false);
    if (k.mouseButton != 0) {
        player.PauseForNoSpeed(0.05);
        static constexpr std::uint32_t kDown[] = {mouse::LeftDown, mouse::RightDown, mouse::MiddleDown};
        static constexpr std::uint32_t kUp[] = {mouse::LeftUp, mouse::RightUp, mouse::MiddleUp};
        playback_.platform().input.mouseEvent(kDown[k.mouseButton - 1], 0, 0, 0);
        playback_.platform().input.mouseEvent(kUp[k.mouseButton - 1], 0, 0, 0);
    } else if (k.vk != 0) {
        player.PostVKey(static_cast<std::uint8_t>(k.vk), false);
        player.PostVKey(static_cast<std::uint8_t>(k.vk), true);
    }
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        if (it->first) player.PostVKey(it->second, true);
}

void HotKeyDispatch::runPending() {
    for (;;) {
        if (state_.pendingMacro <= 0 || state_.pendingMacro > macros_.count()) return;
        const auto record = host_.readMacro(state_.pendingMacro);
        if (!record) return;
        state_.playbackRecord = *record;
        if (record->scope != ScopePopupMenu) {
            run_.play(playbackMacroOf(*record));
            return;
        }
        const int chosen = menus_.show(popupMenuRequest(*record, macros_.count(), state_.menuPosition),
                                       playback_.player().state().returnWindow);
        if (chosen <= 0) return;
        state_.pendingMacro = chosen;
    }
}

}  // namespace qln
