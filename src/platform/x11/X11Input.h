#pragma once

#include <bitset>
#include <string>
#include <vector>

#include "platform/InputSink.h"
#include "platform/Screen.h"
#include "platform/x11/SpareKeycodes.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11Keymap.h"
#include "platform/x11/XInputDevices.h"
#include "platform/x11/XTestLeftovers.h"

namespace qln::x11 {

// Synthetic input through XTest.  Characters are typed as themselves: the active layout's key and level when it
// has one, else a spare keycode mapped for them; Alt codes are turned back into their character, since X has
// none.  Modifiers the user holds are let go while we type (and pressed again afterwards if still held), so
// held keys cannot turn "hello" into "HELLO".
class X11Input : public IInputSink, public IScreen {
public:
    X11Input(X11Display& display, X11Keymap& keymap, SpareKeycodes& spares, XInputDevices& devices,
             XTestLeftovers& leftovers);
    ~X11Input() override;
    X11Input(const X11Input&) = delete;
    X11Input& operator=(const X11Input&) = delete;

    void keyEvent(std::uint8_t vk, std::uint8_t scan, bool up) override;
    void mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t wheel) override;
    bool typeCharacter(std::uint8_t ch) override;
    bool typeAltCode(std::string_view digits) override;
    void beginMacro(std::string_view text) override;
    void prepareText(std::string_view text) override;
    void endMacro() override;
    ScreenSize primaryScreenSize() const override;

    // Releases every key and button we hold (after an abort, a failure, before the program goes away).
    void releaseAll();

private:
    void sendKeycode(std::uint8_t keycode, bool down);
    void sendButton(unsigned button, bool down);
    // The server has handled everything sent; the key state it reports is read on the way.
    void sync();
    // Lets go of the modifiers the user holds (they are pressed again at the end of the macro).
    void clearUserModifiers();
    void restoreUserModifiers();
    // Drops from what we hold what others have let go since.
    void followServer();
    // Presses the stroke with exactly the modifiers its level needs, our own held modifiers let go meanwhile.
    // With keepCommands the macro's held Ctrl, Alt and Super stay down.
    void typeExactly(const X11Keymap::Stroke& s, bool keepCommands = false);
    void typeUnicode(char32_t ch, bool exact);
    void typeControl(std::uint8_t ch);
    void pressKeypad(std::uint8_t keycode, bool down);
    // The characters of a text that the keymap lacks, in order of first appearance.
    void collectMissing(std::string_view text);
    void noteLeftovers();

    X11Display& display_;
    X11Keymap& keymap_;
    SpareKeycodes& spares_;
    XInputDevices& devices_;
    XTestLeftovers& leftovers_;
    std::bitset<256> ours_;        // keycodes we hold down
    std::bitset<256> serverDown_;  // the server's key state at the last sync
    std::bitset<32> buttons_;      // buttons we hold down
    std::vector<std::uint8_t> clearedPhysical_;  // user's modifiers we let go: on a keyboard of the user's
    std::vector<std::uint8_t> clearedSynthetic_;  // ... or held by another program's XTest input
    std::vector<char32_t> missing_;  // characters of the playing macro that need spare keycodes
    int charsSinceSync_ = 0;
    bool numLockLocked_ = false;   // we switched Num Lock on for a keypad key
    bool playing_ = false;
};

}  // namespace qln::x11
