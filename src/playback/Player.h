#pragma once

#include <bitset>
#include <cstdint>
#include <optional>
#include <string_view>

#include "playback/CommandEffects.h"
#include "playback/OnTopMessage.h"
#include "playback/PauseDialog.h"
#include "playback/PlaybackState.h"
#include "playback/TagRecognizer.h"
#include "platform/Platform.h"

namespace qln {

// The macro interpreter: walks a macro text once, typing its characters and carrying out its tags, and lets the
// program's messages through after every step.
class Player {
public:
    Player(Platform& platform, ICommandEffects& effects, OnTopMessage& messages);

    void setUseTray(bool useTray) { useTray_ = useTray; }
    PlaybackState& state() { return state_; }
    const PlaybackState& state() const { return state_; }

    // Plays a triggered macro.  The caller has set the Caps Lock flag and the return window.  However the macro
    // ends (its end, an abort, a failed activation, an error thrown out of it, the program quitting) the keyboard
    // is left as the language says: its one-shot modifiers released, Caps Lock back where the end of the macro
    // puts it, and after an abort, an error or a quit every key and button it holds released.
    void IntoProgram(const PlaybackMacro& macro);
    // Clears the per-playback settings: delays, speed, repeat and dialog flags, screen size.
    void resetPlayback();
    // Plays a text as a whole macro (its end runs the end-of-macro sequence).
    void DoMacro(std::string_view text) { run(text, true); }

    // Key output: one key event with the layout's scan code.
    void PostVKey(std::uint8_t vk, bool up);
    void PostAltVKey(std::uint8_t vk, bool up) { PostVKey(vk, up); }

    // Waits, handling messages meanwhile.  PauseFor and the millisecond wait are scaled by the speed factor.
    void PauseFor(double seconds);
    void PauseForNoSpeed(double seconds);
    void waitMilliseconds(long milliseconds);

    // Message 0x405: stop at the next step.
    void requestAbort() { state_.abortFlag = true; }
    // The keys and mouse buttons the playing macro holds down (held modifiers, pending one-shot modifiers, a
    // button pressed without its release).
    bool holds(std::uint8_t vk) const { return heldKeys_[vk]; }

private:
    // Modifiers pressed for one keystroke only; each call of the interpreter has its own.
    struct Call {
        bool outermost = false;
        bool shift = false;
        bool ctrl = false;
        bool alt = false;
    };
    enum class Flow { Next, Return };

    void run(std::string_view text, bool outermost);
    Flow doTag(const Tag& tag, std::string_view text, std::size_t& pos, Call& call);
    Flow doRepeat(const Tag& tag, std::string_view text);
    Flow doPause(const std::optional<PauseAt>& at);
    void typeChar(unsigned char c, Call& call);
    void typeText(std::string_view text, Call& call);
    void typeAltCode(std::string_view digits);
    void keyPress(std::uint8_t vk, Call& call);
    void releasePending(Call& call);
    void mouseDelay();
    void sendMouse(std::uint32_t flags, double x = 0, double y = 0, std::int64_t wheel = 0);
    void endOfMacro();
    // After an abort, an error or a quit: releases every key and button the macro holds.
    void releaseHeld();
    // Ends the playback after an error: what the end of the macro does, and everything released.
    void endAfterError() noexcept;
    // The playback stops without finishing its text: an abort, the Abort of a pause dialog, the program quitting.
    bool stopping();
    void putOnClipboard(std::string_view text);
    void focusHandover(WindowHandle w);

    Platform& platform_;
    ICommandEffects& effects_;
    OnTopMessage& messages_;
    PlaybackState state_;
    bool useTray_ = false;
    std::bitset<256> heldKeys_;
    std::uint32_t heldButtons_ = 0;  // the mouse's down flags without their up
    bool endRun_ = false;            // the end-of-macro sequence ran for this playback
};

}  // namespace qln
