#pragma once

#include "platform/Clock.h"
#include "platform/MessagePump.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11Keymap.h"

namespace qln::x11 {

// The event loop on the X connection: waits block in poll() on the connection until an event or the deadline.
class X11Pump : public IMessagePump {
public:
    X11Pump(X11Display& display, X11Keymap& keymap, const IClock& clock)
        : display_(display), keymap_(keymap), clock_(clock) {}

    void setHandler(IMessageHandler* handler) override { handler_ = handler; }
    void processMessages() override;
    void waitUntil(std::uint64_t tickDeadline) override;

private:
    X11Display& display_;
    X11Keymap& keymap_;
    const IClock& clock_;
    IMessageHandler* handler_ = nullptr;
};

}  // namespace qln::x11
