#include "platform/x11/RemappedKeys.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace qln::x11 {

unsigned long remappedKeysAtom(X11Display& display) {
    return XInternAtom(display.get(), "_QUILLON_REMAPPED_KEYS", False);
}

void publishRemappedKeys(X11Display& display, const std::vector<std::uint8_t>& keycodes) {
    Display* d = display.get();
    const Window root = DefaultRootWindow(d);
    if (keycodes.empty()) {
        XDeleteProperty(d, root, remappedKeysAtom(display));
    } else {
        std::vector<long> values(keycodes.begin(), keycodes.end());
        XChangeProperty(d, root, remappedKeysAtom(display), XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(values.data()), static_cast<int>(values.size()));
    }
    XFlush(d);
}

std::bitset<256> readRemappedKeys(X11Display& display) {
    std::bitset<256> keys;
    Display* d = display.get();
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, DefaultRootWindow(d), remappedKeysAtom(display), 0, 256, False, XA_CARDINAL, &type,
                           &format, &count, &after, &data) == Success &&
        data != nullptr && format == 32) {
        const auto* values = reinterpret_cast<const long*>(data);
        for (unsigned long i = 0; i < count; ++i)
            if (values[i] >= 8 && values[i] <= 255) keys.set(static_cast<std::size_t>(values[i]));
    }
    if (data != nullptr) XFree(data);
    return keys;
}

}  // namespace qln::x11
