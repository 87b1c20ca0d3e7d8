#include "playback/Player.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "playback/PromptScope.h"
#include "playback/Waits.h"

namespace qln {

namespace {
constexpr std::uint8_t kShift = 16, kCtrl = 17, kAlt = 18, kCapsLock = 20, kKeypad0 = 96;

// Each mouse button's down and up flags.
constexpr std::pair<std::uint32_t, std::uint32_t> kButtons[] = {
    {mouse::LeftDown, mouse::LeftUp}, {mouse::RightDown, mouse::RightUp}, {mouse::MiddleDown, mouse::MiddleUp}};

std::int32_t clampToInt32(double v) {
    if (!(v == v)) return 0;
    v = std::trunc(v);
    if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(v);
}
}  // namespace

Player::Player(Platform& platform, ICommandEffects& effects, OnTopMessage& messages)
    : platform_(platform), effects_(effects), messages_(messages) {}

void Player::IntoProgram(const PlaybackMacro& macro) {
    state_.abortFlag = false;
    state_.stopped = false;
    state_.abortNoticeShown = false;
    state_.nickname = macro.nickname;
    state_.hotKeyCode = macro.hotKeyCode;
    endRun_ = false;
    // Our own copy: the current macro may change while this one plays.
    const std::string text = macro.text.substr(0, macro.text.find('\0'));
    platform_.input.beginMacro(text);
    try {
        if (state_.capsLockFlag) {
            PostVKey(kCapsLock, false);
            PostVKey(kCapsLock, true);
        }
        resetPlayback();
        run(text, true);
        // An abort or a quit may have come after the last step that looked for it.
        if (state_.stopped || state_.abortFlag || platform_.pump.quitRequested()) releaseHeld();
    } catch (...) {
        endAfterError();
        platform_.input.endMacro();
        throw;
    }
    platform_.input.endMacro();
}

void Player::releaseHeld() {
    for (std::size_t vk = 0; vk < heldKeys_.size(); ++vk)
        if (heldKeys_[vk]) PostVKey(static_cast<std::uint8_t>(vk), true);
    for (const auto& [down, up] : kButtons)
        if ((heldButtons_ & down) != 0) sendMouse(up);
}

void Player::endAfterError() noexcept {
    // Each step on its own: a desktop that fails once more must not keep the rest from being released.
    try {
        releaseHeld();
    } catch (...) {
    }
    try {
        if (!endRun_) endOfMacro();
    } catch (...) {
    }
}

bool Player::stopping() {
    if (state_.stopped) return true;
    if (platform_.pump.quitRequested()) {
        // The program is going away: no notice, but nothing of ours may stay pressed.
        state_.stopped = true;
        releaseHeld();
        return true;
    }
    if (!state_.abortFlag) return false;
    releaseHeld();
    if (!state_.abortNoticeShown) {
        state_.abortNoticeShown = true;
        messages_.DoAMessage("Macro Abort", "Quillon macro has been aborted.");
    }
    return true;
}

void Player::resetPlayback() {
    state_.counterValid = false;
    state_.inRepeat = false;
    state_.dialogShown = false;
    state_.restoreMinimised = false;
    state_.mouseDelayOn = false;
    state_.keyDelayOn = false;
    state_.speedFactor = 1.0;
    const ScreenSize screen = platform_.screen.primaryScreenSize();
    state_.screenWidth = screen.width;
    state_.screenHeight = screen.height;
    state_.mouseScaleX = 65535.0 / std::max(1, screen.width);
    state_.mouseScaleY = 65535.0 / std::max(1, screen.height);
}

void Player::run(std::string_view text, bool outermost) {
    Call call;
    call.outermost = outermost;
    std::size_t pos = 0;
    for (;;) {
        if (pos >= text.size()) {
            // A one-shot modifier with no key after it would otherwise stay down for good.
            releasePending(call);
            if (outermost) endOfMacro();
            return;
        }
        if (stopping()) return;
        const auto c = static_cast<unsigned char>(text[pos]);
        if (c != '<') {
            typeChar(c, call);
            ++pos;
            if (c == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
        } else if (const Tag tag = recognizeTag(text, pos)) {
            if (doTag(tag, text, pos, call) == Flow::Return) return;
        } else {
            typeChar('<', call);
            releasePending(call);
            ++pos;
        }
        platform_.pump.processMessages();
    }
}

void Player::PostVKey(std::uint8_t vk, bool up) {
    platform_.input.keyEvent(vk, platform_.layout.mapVirtualKey(vk), up);
    // The mouse buttons sent as keys are pressed and released at once; Caps Lock's press is a toggle.
    if (vk != kCapsLock) heldKeys_[vk] = !up;
}

void Player::releasePending(Call& call) {
    if (call.shift) {
        call.shift = false;
        PostVKey(kShift, true);
    }
    if (call.ctrl) {
        call.ctrl = false;
        PostVKey(kCtrl, true);
    }
    if (call.alt) {
        call.alt = false;
        PostVKey(kAlt, true);
    }
}

void Player::typeChar(unsigned char c, Call& call) {
    if (state_.keyDelayOn) waitMilliseconds(state_.keyDelay);
    if (platform_.input.typeCharacter(c)) {
        if (c < 128) releasePending(call);
        return;
    }
    if (c >= 128) {
        char code[5] = {'0', static_cast<char>('0' + c / 100), static_cast<char>('0' + c / 10 % 10),
                        static_cast<char>('0' + c % 10), 0};
        typeAltCode(std::string_view(code, 4));
        return;
    }
    const std::int16_t scan = platform_.layout.vkKeyScan(c);
    if (scan == -1) return;  // no key of the layout types it
    const auto vk = static_cast<std::uint8_t>(scan & 0xFF);
    const auto shift = static_cast<std::uint8_t>((scan >> 8) & 0xFF);
    const bool needShift = shift == 1 || shift == 7;
    const bool needCtrl = shift == 2 || shift == 6 || shift == 7;
    const bool needAlt = shift == 6 || shift == 7;
    if (needShift) {
        PostVKey(kShift, false);
        call.shift = true;
    }
    if (needCtrl) {
        PostVKey(kCtrl, false);
        call.ctrl = true;
    }
    if (needAlt) {
        PostVKey(kAlt, false);
        call.alt = true;
    }
    PostVKey(vk, false);
    PostVKey(vk, true);
    releasePending(call);
}

void Player::typeText(std::string_view text, Call& call) {
    for (const char ch : text) typeChar(static_cast<unsigned char>(ch), call);
}

void Player::typeAltCode(std::string_view digits) {
    if (platform_.input.typeAltCode(digits)) return;
    PostAltVKey(kAlt, false);
    for (const char d : digits) {
        if (d < '0' || d > '9') continue;  // no keypad key for it
        const auto vk = static_cast<std::uint8_t>(kKeypad0 + (d - '0'));
        PostAltVKey(vk, false);
        PostAltVKey(vk, true);
    }
    PostAltVKey(kAlt, true);
}

void Player::keyPress(std::uint8_t vk, Call& call) {
    if (state_.keyDelayOn) waitMilliseconds(state_.keyDelay);
    PostVKey(vk, false);
    PostVKey(vk, true);
    releasePending(call);
}

void Player::mouseDelay() {
    if (state_.mouseDelayOn) waitMilliseconds(state_.mouseDelay);
}

void Player::sendMouse(std::uint32_t flags, double x, double y, std::int64_t wheel) {
    const auto w = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(wheel, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
    platform_.input.mouseEvent(flags, clampToInt32(x), clampToInt32(y), w);
    for (const auto& [down, up] : kButtons) {
        if (flags == down) heldButtons_ |= down;
        if (flags == up) heldButtons_ &= ~down;
    }
}

void Player::PauseFor(double seconds) {
    if (state_.speedFactor == 0) return;
    waitTimeOfDay(platform_.clock, platform_.pump, state_.speedFactor * seconds);
}


void Player::PauseForNoSpeed(double seconds) { waitTimeOfDay(platform_.clock, platform_.pump, seconds); }

void Player::waitMilliseconds(long milliseconds) {
    if (state_.speedFactor == 0) return;
    const double duration = std::trunc(state_.speedFactor * static_cast<double>(milliseconds));
    const double limit = static_cast<double>(std::numeric_limits<std::int64_t>::max() / 2);
    const auto ms = static_cast<std::int64_t>(std::clamp(duration == duration ? duration : 0.0, -limit, limit));
    waitTicks(platform_.clock, platform_.pump, ms);
}

void Player::focusHandover(WindowHandle w) {
    if (w != 0) platform_.windows.setForegroundWindow(w);
}

void Player::endOfMacro() {
    endRun_ = true;
    if (state_.capsLockFlag) {
        PostVKey(kCapsLock, false);
        PostVKey(kCapsLock, true);
    }
    if (!state_.dialogShown || useTray_) return;
    platform_.app.showMainWindow();
    if (state_.restoreMinimised) platform_.app.minimise();
    state_.returnWindow = effects_.MakeSureItsAParent(state_.returnWindow);
    focusHandover(state_.returnWindow);
}

Player::Flow Player::doPause(const std::optional<PauseAt>& at) {
    const PauseDialogRequest request =
        pauseRequest({state_.screenWidth, state_.screenHeight}, at, state_.nickname, state_.hotKeyCode);
    state_.dialogShown = true;
    bool resume = false;
    {
        PromptScope scope(platform_, useTray_);
        if (scope.restoredFromMinimised()) state_.restoreMinimised = true;
        state_.paused = true;
        try {
            resume = platform_.prompts.showPause(request);
        } catch (...) {
            state_.paused = false;
            throw;
        }
        state_.paused = false;
        scope.leaveMainWindowHidden(state_.returnWindow);
    }
    if (resume) return Flow::Next;
    // Abort ends the whole macro: enclosing repeat passes and text files stop as well.
    endOfMacro();
    state_.stopped = true;
    return Flow::Return;
}

void Player::putOnClipboard(std::string_view text) {
    effects_.putOnClipboard(text);
    PauseForNoSpeed(0.05);
}

}  // namespace qln
