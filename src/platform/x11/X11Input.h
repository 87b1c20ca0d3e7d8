#pragma once

#include <string>

#include "platform/InputSink.h"
#include "platform/Screen.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11Keymap.h"

namespace qln::x11 {

// Synthetic input through XTest.  Playback types characters from 128 up as Alt codes (Alt held, keypad digits);
// X has no Alt codes, so such a sequence is turned back into its Windows-1252 character and typed as that.
class X11Input : public IInputSink, public IScreen {
public:
    X11Input(X11Display& display, X11Keymap& keymap) : display_(display), keymap_(keymap) {}

    void keyEvent(std::uint8_t vk, std::uint8_t scan, bool up) override;
    void mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t wheel) override;
    ScreenSize primaryScreenSize() const override;

private:
    void sendKey(std::uint8_t vk, bool up);
    void sendKeycode(std::uint8_t keycode, bool up);
    // Sends what an Alt sequence held back, as real key events.
    void flushAlt();
    void typeCharacter(char32_t ch);

    X11Display& display_;
    X11Keymap& keymap_;
    bool altHeld_ = false;     // our Alt press is held back: it may start an Alt code
    std::string altDigits_;    // keypad digits typed while it was held
};

}  // namespace qln::x11
