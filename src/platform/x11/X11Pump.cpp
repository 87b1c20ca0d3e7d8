#include "platform/x11/X11Pump.h"

#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>

namespace qln::x11 {

void X11Pump::processMessages() {
    Display* d = display_.get();
    while (XPending(d) > 0) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == MappingNotify) {
            XRefreshKeyboardMapping(&e.xmapping);
            keymap_.refresh();
        }
    }
}

void X11Pump::waitUntil(std::uint64_t tickDeadline) {
    processMessages();
    const std::uint64_t now = clock_.tickCount();
    if (now >= tickDeadline) return;
    pollfd p{display_.fd(), POLLIN, 0};
    const auto timeout = static_cast<int>(std::min<std::uint64_t>(tickDeadline - now, 1000000));
    ::poll(&p, 1, timeout);
    processMessages();
}

}  // namespace qln::x11
