#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "hook/HookSwitches.h"
#include "hook/HotKeyIndex.h"
#include "platform/Clock.h"
#include "platform/DescriptorWatch.h"
#include "platform/HookTable.h"
#include "platform/KeyRemapper.h"
#include "platform/MessagePump.h"
#include "platform/PhysicalKeys.h"

namespace qln::x11 {
class X11Display;
class X11Events;
class X11Keymap;
}  // namespace qln::x11

namespace qln::hook {
class ActiveWindowWatch;
class EndMarkerKey;
class HeldBackKeys;
class HookInput;
class HotKeyGrabs;
class KeyboardState;
class RawInputWatch;
}  // namespace qln::hook

namespace qln {

// The hook library of the X11 desktop, on a connection of its own to $DISPLAY, read whenever the program's event
// loop finds it readable.  Hot keys are passive grabs on the root window (the focused program never sees them);
// typed characters, mouse buttons and the abort key are watched through XInput 2 raw events, which take nothing
// from anyone; window activation through the window manager's _NET_ACTIVE_WINDOW.  Everything it has to tell
// is posted to the program's queue as a message.
class X11HookLibrary : public IHookLibrary, public IPhysicalKeys {
public:
    // Tells the user about something that does not work (a hot key another program holds), in a message box.
    using Warn = std::function<void(std::string_view text)>;

    // Opens the connection; throws std::runtime_error when no X server answers.  `clock` is the one the pump's
    // deadlines count in.
    X11HookLibrary(IMessagePump& pump, IDescriptorWatch& watch, const IClock& clock, Warn warn = {});
    ~X11HookLibrary() override;
    X11HookLibrary(const X11HookLibrary&) = delete;
    X11HookLibrary& operator=(const X11HookLibrary&) = delete;

    // The keyboard remapper QlnHookSwap applies the remapping tables with (none: QlnHookSwap refuses).
    void setRemapper(IKeyRemapper* remapper) { remapper_ = remapper; }
    // The key that stops a playing macro, by its name on the keyboard.
    static std::string abortKeyName() { return "Pause"; }
    // The keycode the end marker (virtual key 43) is on; 0 when the keymap had no room for it.
    std::uint8_t endMarkerKeycode() const;

    std::uint32_t QlnHookKeyboard() override;
    std::uint32_t QlnHookMouse() override;
    std::uint32_t QlnHookCBT() override;
    std::uint32_t QlnHookSwap() override;
    bool QlnUnHook(std::uint32_t hook) override;

    void QlnUpInit(TableImage table) override;
    void QlnUpKeys(TableImage table) override;
    void QlnUpNumKeys(TableImage table) override { take("QlnUpNumKeys", table); }
    void QlnUpItem(TableImage table, std::uint16_t macro) override;
    void QlnUpWindow(TableImage table) override { take("QlnUpWindow", table); }
    void QlnUpWindow2(TableImage table) override;
    void QlnUpProg(TableImage table) override { take("QlnUpProg", table); }
    void QlnUpProgs(TableImage table) override { take("QlnUpProgs", table); }
    void QlnUpInUse(TableImage table) override;
    void QlnUpKeyHook(TableImage table) override { take("QlnUpKeyHook", table); }
    void QlnUpMouseHook(TableImage table) override { take("QlnUpMouseHook", table); }
    // Kept for the capture, which the library does not do yet.
    void QlnUpCapture(TableImage table) override { take("QlnUpCapture", table); }
    void QlnUpCaptureOn(TableImage table) override { take("QlnUpCaptureOn", table); }
    void attachBlocks(std::span<std::uint8_t, 104> remap, std::span<std::uint8_t, 17> window) override;

    bool waitUntilReleased(std::chrono::milliseconds limit) override;
    void userTurn(bool on) override;
    void deliverHeldKeys() override;
    int takeBackAfter(std::uint32_t press) override;

    // The library's own connection, for the keyboard remapper.
    x11::X11Events& events() { return *events_; }
    // The library's copy of the table, as the update calls published it.
    const std::array<std::uint8_t, hooktable::Size>& table() const { return table_; }

private:
    void take(std::string_view call, TableImage table);
    // Handles every event that has arrived, including those Xlib read during our own round trips (select() does
    // not see those).
    void drain();
    void keymapChanged();
    void renewGrabs();
    // Warnings wait until no event is being handled: the program may show them in a modal loop.
    void flushWarnings();
    std::uint32_t newHandle() { return nextHandle_++; }

    IMessagePump& pump_;
    IDescriptorWatch& watch_;
    const IClock& clock_;
    std::unique_ptr<x11::X11Display> display_;
    std::unique_ptr<x11::X11Events> events_;
    std::unique_ptr<x11::X11Keymap> keymap_;
    std::unique_ptr<hook::KeyboardState> keyboard_;
    std::unique_ptr<hook::RawInputWatch> raw_;
    std::unique_ptr<hook::ActiveWindowWatch> activeWindow_;
    std::unique_ptr<hook::EndMarkerKey> endMarker_;
    std::unique_ptr<hook::HeldBackKeys> held_;
    std::unique_ptr<hook::HotKeyGrabs> grabs_;
    hook::HotKeyIndex used_, all_;
    hook::HookSwitches switches_;
    std::unique_ptr<hook::HookInput> input_;
    std::array<std::uint8_t, hooktable::Size> table_{};
    IKeyRemapper* remapper_ = nullptr;
    std::uint8_t* remapBlock_ = nullptr;  // 104 bytes, attached by the program
    std::uint32_t keyboardHook_ = 0, mouseHook_ = 0, cbtHook_ = 0, swapHook_ = 0;
    std::uint32_t nextHandle_ = 1;
    int watchId_ = 0;
    int filterId_ = 0;
    bool draining_ = false;
    bool keymapStale_ = false;
    std::vector<std::string> warnings_;
    Warn warn_;
};

}  // namespace qln
