#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/HookTable.h"
#include "platform/MessagePump.h"

namespace qln::sim {

// A hook library that keeps its own copy of the shared block and notes every call, so tests see exactly what
// was published and when.
class SimHookLibrary : public IHookLibrary {
public:
    struct Call {
        std::string call;
        std::uint32_t arg = 0;  // the macro number of QlnUpItem, the handle of QlnUnHook
        std::uint64_t tick = 0;
        bool operator==(const Call&) const = default;
    };

    explicit SimHookLibrary(const IClock* clock = nullptr) : clock_(clock) { block_.fill(0); }

    std::uint32_t QlnHookKeyboard() override { return hook("QlnHookKeyboard"); }
    std::uint32_t QlnHookMouse() override { return hook("QlnHookMouse"); }
    std::uint32_t QlnHookCBT() override { return hook("QlnHookCBT"); }
    std::uint32_t QlnHookSwap() override { return hook("QlnHookSwap"); }
    bool QlnUnHook(std::uint32_t hook) override;

    void QlnUpInit(TableImage t) override { update("QlnUpInit", t); }
    void QlnUpKeys(TableImage t) override { update("QlnUpKeys", t); }
    void QlnUpNumKeys(TableImage t) override { update("QlnUpNumKeys", t); }
    void QlnUpItem(TableImage t, std::uint16_t macro) override;
    void QlnUpWindow(TableImage t) override { update("QlnUpWindow", t); }
    void QlnUpWindow2(TableImage t) override { update("QlnUpWindow2", t); }
    void QlnUpProg(TableImage t) override { update("QlnUpProg", t); }
    void QlnUpProgs(TableImage t) override { update("QlnUpProgs", t); }
    void QlnUpInUse(TableImage t) override { update("QlnUpInUse", t); }
    void QlnUpKeyHook(TableImage t) override { update("QlnUpKeyHook", t); }
    void QlnUpMouseHook(TableImage t) override { update("QlnUpMouseHook", t); }
    void QlnUpCapture(TableImage t) override { update("QlnUpCapture", t); }
    void QlnUpCaptureOn(TableImage t) override { update("QlnUpCaptureOn", t); }

    // What the library tells the program goes into this queue.
    void attachPump(IMessagePump* pump) { pump_ = pump; }
    // The user presses a hot key combination: reported as message 0x402 when the published in-use map marks it
    // (to the capture window, 0x401, while one is registered); nothing otherwise.  true when reported.
    bool pressHotKey(std::uint16_t code, bool capsLock, WindowHandle front);
    // The user types a character (0x406), or clicks or moves the focus (a reset).
    void typeCharacter(std::uint8_t ch, bool capsLock);
    void resetTyping();
    // Another window came to the front (0x407).
    void windowActivated(WindowHandle w) { post(hook::WindowActivated{w}); }
    // A key event of the desktop's input: the end marker behind a triggered macro ends the in-use state (0x40C).
    void keyEvent(std::uint8_t vk, bool up);

    const std::array<std::uint8_t, hooktable::Size>& block() const { return block_; }
    const std::vector<Call>& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }

private:
    std::uint32_t hook(const char* name);
    void update(const char* name, TableImage t);
    void note(const char* name, std::uint32_t arg);

    void post(const Message& m) {
        if (pump_ != nullptr) pump_->post(m);
    }

    const IClock* clock_;
    IMessagePump* pump_ = nullptr;
    std::array<std::uint8_t, hooktable::Size> block_{};
    std::vector<Call> calls_;
    std::vector<std::uint32_t> hooks_;
    std::uint32_t nextHook_ = 1;
};

}  // namespace qln::sim
