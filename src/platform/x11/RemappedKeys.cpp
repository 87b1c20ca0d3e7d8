#include "platform/x11/RemappedKeys.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace qln::x11 {

namespace {

constexpr const char* kRemapped = "_QUILLON_REMAPPED_KEYS";
constexpr const char* kSpare = "_QUILLON_SPARE_KEYCODES";

void publish(X11Display& display, const char* name, const std::bitset<256>& keys) {
    Display* d = display.get();
    const Window root = DefaultRootWindow(d);
    const Atom atom = XInternAtom(d, name, False);
    std::vector<long> values;
    for (std::size_t kc = 8; kc < keys.size(); ++kc)
        if (keys[kc]) values.push_back(static_cast<long>(kc));
    if (values.empty())
        XDeleteProperty(d, root, atom);
    else
        XChangeProperty(d, root, atom, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(values.data()), static_cast<int>(values.size()));
    XFlush(d);
}

std::bitset<256> read(X11Display& display, const char* name) {
    std::bitset<256> keys;
    Display* d = display.get();
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, DefaultRootWindow(d), XInternAtom(d, name, False), 0, 256, False, XA_CARDINAL, &type,
                           &format, &count, &after, &data) == Success &&
        data != nullptr && format == 32) {
        const auto* values = reinterpret_cast<const long*>(data);
        for (unsigned long i = 0; i < count; ++i)
            if (values[i] >= 8 && values[i] <= 255) keys.set(static_cast<std::size_t>(values[i]));
    }
    if (data != nullptr) XFree(data);
    return keys;
}

std::bitset<256> setOf(const std::vector<std::uint8_t>& keycodes) {
    std::bitset<256> keys;
    for (const std::uint8_t kc : keycodes) keys.set(kc);
    return keys;
}

}  // namespace

unsigned long remappedKeysAtom(X11Display& display) { return XInternAtom(display.get(), kRemapped, False); }

void publishRemappedKeys(X11Display& display, const std::vector<std::uint8_t>& keycodes) {
    publish(display, kRemapped, setOf(keycodes));
}

std::bitset<256> readRemappedKeys(X11Display& display) { return read(display, kRemapped); }

void addSpareKeycodes(X11Display& display, const std::vector<std::uint8_t>& keycodes) {
    Display* d = display.get();
    // Read and written with the server grabbed: two programs starting at once keep both their lists.
    XGrabServer(d);
    publish(display, kSpare, read(display, kSpare) | setOf(keycodes));
    XUngrabServer(d);
    XFlush(d);
}

std::bitset<256> readSpareKeycodes(X11Display& display) { return read(display, kSpare); }

}  // namespace qln::x11
