#pragma once

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

    // Plays a triggered macro.  The caller has set the Caps Lock flag and the return window.
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
    void putOnClipboard(std::string_view text);
    void focusHandover(WindowHandle w);

    Platform& platform_;
    ICommandEffects& effects_;
    OnTopMessage& messages_;
    PlaybackState state_;
    bool useTray_ = false;
};

}  // namespace qln
