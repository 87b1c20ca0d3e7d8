#include "platform/x11/XInputDevices.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput.h>
#include <X11/extensions/XInput2.h>

#include <string>

namespace qln::x11 {

XInputDevices::XInputDevices(X11Display& display) : display_(display) {
    Display* d = display_.get();
    int opcode = 0, event = 0, error = 0;
    if (!XQueryExtension(d, "XInputExtension", &opcode, &event, &error)) return;
    // The version our raw event watch asks for on the same connection: a client that announced one may not ask
    // for another.
    int major = 2, minor = 2;
    if (XIQueryVersion(d, &major, &minor) != Success) return;
    int count = 0;
    XIDeviceInfo* info = XIQueryDevice(d, XIAllDevices, &count);
    if (info == nullptr) return;
    for (int i = 0; i < count; ++i) {
        const XIDeviceInfo& dev = info[i];
        if (dev.use != XISlaveKeyboard && dev.use != XISlavePointer) continue;
        const std::string name = dev.name != nullptr ? dev.name : "";
        devices_.push_back(
            {static_cast<unsigned long>(dev.deviceid), dev.use == XISlaveKeyboard, name.find("XTEST") != std::string::npos});
    }
    XIFreeDeviceInfo(info);
    available_ = true;
}

void XInputDevices::keysOf(const Device& device, std::bitset<256>* keys, std::bitset<32>* buttons) const {
    Display* d = display_.get();
    XDevice* dev = XOpenDevice(d, device.id);
    if (dev == nullptr) return;
    if (XDeviceState* state = XQueryDeviceState(d, dev)) {
        auto* c = state->data;
        for (int i = 0; i < state->num_classes; ++i) {
            if (c->c_class == KeyClass && keys != nullptr) {
                const auto* k = reinterpret_cast<const XKeyState*>(c);
                for (int kc = 0; kc < 256; ++kc)
                    if ((k->keys[kc / 8] & (1 << (kc % 8))) != 0) keys->set(static_cast<std::size_t>(kc));
            } else if (c->c_class == ButtonClass && buttons != nullptr) {
                const auto* b = reinterpret_cast<const XButtonState*>(c);
                for (int n = 1; n < 32 && n <= b->num_buttons; ++n)
                    if ((b->buttons[n / 8] & (1 << (n % 8))) != 0) buttons->set(static_cast<std::size_t>(n));
            }
            c = reinterpret_cast<XInputClass*>(reinterpret_cast<char*>(c) + c->length);
        }
        XFreeDeviceState(state);
    }
    XCloseDevice(d, dev);
}

std::bitset<256> XInputDevices::xtestKeys() const {
    std::bitset<256> keys;
    for (const Device& dev : devices_)
        if (dev.xtest && dev.keyboard) keysOf(dev, &keys, nullptr);
    return keys;
}

std::bitset<32> XInputDevices::xtestButtons() const {
    std::bitset<32> buttons;
    for (const Device& dev : devices_)
        if (dev.xtest && !dev.keyboard) keysOf(dev, nullptr, &buttons);
    return buttons;
}

std::bitset<256> XInputDevices::physicalKeys() const {
    std::bitset<256> keys;
    for (const Device& dev : devices_)
        if (!dev.xtest && dev.keyboard) keysOf(dev, &keys, nullptr);
    return keys;
}

}  // namespace qln::x11
