#pragma once

#include <bitset>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "hook/ActiveWindowWatch.h"
#include "hook/EndMarkerKey.h"
#include "hook/HeldBackKeys.h"
#include "hook/HookSwitches.h"
#include "hook/HotKeyIndex.h"
#include "hook/KeyboardState.h"
#include "hook/RawInputWatch.h"
#include "platform/MessagePump.h"
#include "platform/x11/X11Keymap.h"

namespace qln::hook {

// What the events of the library's connection mean for the program: hot keys, typed characters, the end marker,
// the abort key, window activation; and which keys and buttons the user physically holds.  Each becomes a message
// posted to the program's queue.  Nothing typed is kept beyond the event that brought it.
class HookInput {
public:
    struct Parts {
        x11::X11Display& display;
        x11::X11Keymap& keymap;
        KeyboardState& keyboard;
        RawInputWatch& raw;
        ActiveWindowWatch& activeWindow;
        EndMarkerKey& endMarker;
        HeldBackKeys& held;
        const HotKeyIndex& used;  // the codes in use
        const HotKeyIndex& all;   // every code, for a dialog waiting for a hot key
        const HookSwitches& switches;
    };
    HookInput(const Parts& parts, IMessagePump& pump) : p_(parts), pump_(pump) {}

    // One event of the connection.  Returns true after a keymap change (the caller reads the keymap again and
    // renews its grabs once the queue is drained).
    bool handle(void* event);

    // A trigger fired: the keys and buttons down now, from every source (the user's keyboards, on-screen keyboards,
    // remote desktops and other XTest clients), except what our own macros hold, are the trigger's.
    void noteTriggerKeys();
    // Whether any of the trigger's keys or buttons is still down, asked of the server; one that went up is no
    // longer the trigger's, even if pressed again.
    bool triggerHeld();

    // The user's keys after the press numbered `press` (hook::TypedCharacter::press), in order, with the number of
    // characters they typed; nothing when one of them typed no character (Enter, a cursor key) or they are no
    // longer known.
    struct LateKeys {
        std::vector<HeldKey> keys;
        int characters = 0;
    };
    std::optional<LateKeys> keysAfter(std::uint32_t press) const;

    // The end marker arrived: the table's in-use byte is to be cleared (set by the library's owner).
    void setOnEndMarker(std::function<void()> onEndMarker) { onEndMarker_ = std::move(onEndMarker); }

private:
    void handleRaw(const RawInput& r);
    void handleKeyPress(std::uint8_t keycode, unsigned state);
    void hotKey(int code);
    // A macro of ours plays and is not waiting for the user: XTest input is its own.
    bool macroTyping() const { return p_.switches.inUse && !p_.switches.userTurn; }
    void typed(const RawInput& r);
    void activated(WindowHandle w);
    // A key or button the user let go of that an XTest device still holds (a macro's "<SHFD>"): let it go there
    // too, or it would stay down for good.
    void releaseLeftover(const RawInput& r);
    // What the XTest devices hold, asked of the server (raw events miss some).
    void readXTestState();

    Parts p_;
    IMessagePump& pump_;
    std::function<void()> onEndMarker_;
    std::bitset<256> xtestKeys_;       // held on XTest devices
    std::bitset<32> xtestButtons_;
    bool xtestStale_ = false;          // raw events were missed: ask the server before relying on the above
    std::bitset<256> ourKeys_;         // held on XTest devices by our own macros (pressed while in use)
    std::bitset<32> ourButtons_;
    std::bitset<256> triggerKeys_;     // down when the trigger fired, not yet released
    std::bitset<32> triggerButtons_;
    std::bitset<256> grabbedDown_;     // grabbed keys down (auto-repeat is not a new press)
    // The user's last few keys, for keysAfter: keycodes and what they typed, nothing more, kept only until newer
    // keys push them out.
    struct Recent {
        std::uint32_t press = 0;  // the press it is or follows
        HeldKey key;
        enum class Typed { Character, Modifier, Other } typed = Typed::Other;
        bool fromXTest = false;  // another program's: what it sends meanwhile cannot be held back
    };
    void note(const RawInput& r);
    std::deque<Recent> recent_;
    std::uint32_t presses_ = 0;
};

}  // namespace qln::hook
