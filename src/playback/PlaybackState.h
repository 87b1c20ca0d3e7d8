#pragma once

#include <cstdint>
#include <string>

#include "platform/Types.h"

namespace qln {

// The macro a trigger is about to play: what playback needs of its record.
struct PlaybackMacro {
    std::string nickname;
    std::uint16_t hotKeyCode = 0;
    std::string text;  // macro text; anything after a zero byte is ignored
};

// State of the one playback the program runs at a time; shared by nested calls of the interpreter.
struct PlaybackState {
    bool abortFlag = false;
    // An Abort at a pause dialog: every enclosing call of the interpreter stops too, without a notice.
    bool stopped = false;
    bool abortNoticeShown = false;
    bool capsLockFlag = false;
    WindowHandle returnWindow = 0;
    bool inRepeat = false;
    bool counterValid = false;
    std::int32_t passCounter = 0;
    bool dialogShown = false;
    bool restoreMinimised = false;
    bool paused = false;
    bool keyDelayOn = false;
    bool mouseDelayOn = false;
    std::int32_t keyDelay = 0;
    std::int32_t mouseDelay = 0;
    double speedFactor = 1.0;
    int screenWidth = 0;
    int screenHeight = 0;
    double mouseScaleX = 0;
    double mouseScaleY = 0;
    // The macro being played (its nickname and hot key name label the pause dialog).
    std::string nickname;
    std::uint16_t hotKeyCode = 0;
};

}  // namespace qln
