#pragma once

#include <cstdint>
#include <functional>
#include <array>
#include <optional>
#include <vector>

#include "platform/Clock.h"
#include "platform/MessagePump.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11Keymap.h"

namespace qln::x11 {

// Keycodes without symbols, borrowed to type the characters the keymap lacks; each carries four characters on
// the levels Shift and AltGr reach (two, by Shift, on a keymap without AltGr).  Programs read a changed mapping only when they get to a key, which under load can
// be seconds after it was sent: a slot keeps its character for a while after its last use before it takes
// another, and characters are mapped in batches, since every change makes every program read the keymap again.
class SpareKeycodes {
public:
    static constexpr std::uint64_t KeepMs = 3000;

    // Borrows the keycodes the keymap has no symbols for (the keymap then leaves them to us).
    SpareKeycodes(X11Display& display, X11Keymap& keymap, IMessagePump& pump, const IClock& clock);
    // Gives back at once whatever is still borrowed.
    ~SpareKeycodes();
    SpareKeycodes(const SpareKeycodes&) = delete;
    SpareKeycodes& operator=(const SpareKeycodes&) = delete;

    // Maps as many of the characters as there are slots free now, in one change; the rest wait until typed.
    void prepare(const std::vector<char32_t>& chars);
    // The stroke that types ch, which counts as a use.  Maps it first when needed, with as many of the characters
    // expected next as slots allow, waiting (through the event loop) until a slot may be reused.  Nothing when
    // there is no spare keycode, or the program quits while it waits.
    std::optional<X11Keymap::Stroke> use(char32_t ch, const std::vector<char32_t>& upcoming);
    // Gives back what was last used longer than KeepMs ago.
    void giveBackIdle();
    // Gives back everything; with waitForReaders, first waits until the last use is KeepMs old.
    void giveBackAll(bool waitForReaders);

    struct Borrowed {
        std::uint8_t keycode = 0;
        unsigned long symbols[2] = {0, 0};
    };
    std::vector<Borrowed> borrowed() const;
    std::size_t size() const { return slots_.size(); }
    // Runs after every change of what is borrowed (to note it where a later start can find it).
    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

private:
    struct Slot {
        std::uint8_t keycode = 0;
        int level = 0;
        char32_t ch = 0;            // 0: free
        std::uint64_t mappedAt = 0;
        std::uint64_t lastUse = 0;  // 0: no key was sent through it since it was mapped
        // From when it may take another character: a key sent through it has surely been read by then.
        std::uint64_t safeAt() const { return ch == 0 || lastUse == 0 ? 0 : lastUse + KeepMs; }
        std::uint64_t lastActivity() const { return ch == 0 ? 0 : std::max(mappedAt, lastUse); }
    };
    std::optional<std::size_t> slotOf(char32_t ch) const;
    // The slots that may take another character now, those idle longest first.
    std::vector<std::size_t> reusable(std::uint64_t now) const;
    // Gives the characters their slots and sends the changed keycodes to the server, then lets programs read
    // the change.
    void assign(const std::vector<std::pair<std::size_t, char32_t>>& batch);
    void send(const std::vector<std::uint8_t>& keycodes);
    // One request for the whole batch; false when the server's keyboard extension would not take it.
    bool sendAtOnce(const std::vector<std::uint8_t>& sorted);
    void sendOneByOne(const std::vector<std::uint8_t>& sorted);
    std::array<unsigned long, 4> symbolsOf(std::uint8_t keycode) const;
    // The keymap's four-level type (levels by Shift and AltGr), -1 when it has none.
    int findFourLevelType() const;
    void waitUntil(std::uint64_t tick);

    X11Display& display_;
    X11Keymap& keymap_;
    IMessagePump& pump_;
    const IClock& clock_;
    std::vector<Slot> slots_;  // two or four per keycode, by level
    int fourLevelType_ = -1;
    std::function<void()> onChange_;
};

}  // namespace qln::x11
