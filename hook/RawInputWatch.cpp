#include "hook/RawInputWatch.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <cstring>

namespace qln::hook {

RawInputWatch::RawInputWatch(x11::X11Display& display) : display_(display) {
    Display* d = display_.get();
    int opcode = 0, event = 0, error = 0;
    if (!XQueryExtension(d, "XInputExtension", &opcode, &event, &error)) return;
    int major = 2, minor = 2;
    if (XIQueryVersion(d, &major, &minor) != Success || major < 2 || (major == 2 && minor < 1)) return;
    opcode_ = opcode;
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XISetMask(bits, XI_RawButtonPress);
    XISetMask(bits, XI_RawButtonRelease);
    XIEventMask rawMask{XIAllMasterDevices, sizeof bits, bits};
    XISelectEvents(d, DefaultRootWindow(d), &rawMask, 1);
    unsigned char hierarchy[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(hierarchy, XI_HierarchyChanged);
    XIEventMask hierarchyMask{XIAllDevices, sizeof hierarchy, hierarchy};
    XISelectEvents(d, DefaultRootWindow(d), &hierarchyMask, 1);
    readDevices();
}

void RawInputWatch::readDevices() {
    // Every XTest client's events come from the "XTEST" slave devices of the master devices.
    xtestDevices_.clear();
    int count = 0;
    XIDeviceInfo* info = XIQueryDevice(display_.get(), XIAllDevices, &count);
    if (info == nullptr) return;
    for (int i = 0; i < count; ++i)
        if (info[i].name != nullptr && std::strstr(info[i].name, "XTEST") != nullptr)
            xtestDevices_.insert(info[i].deviceid);
    XIFreeDeviceInfo(info);
}

std::optional<RawInput> RawInputWatch::read(void* event) {
    auto& cookie = static_cast<XEvent*>(event)->xcookie;
    if (opcode_ < 0 || cookie.type != GenericEvent || cookie.extension != opcode_) return std::nullopt;
    if (!XGetEventData(display_.get(), &cookie)) return std::nullopt;
    std::optional<RawInput> out;
    if (cookie.evtype == XI_HierarchyChanged) {
        XFreeEventData(display_.get(), &cookie);
        readDevices();
        return std::nullopt;
    }
    if (cookie.evtype == XI_KeyPress || cookie.evtype == XI_KeyRelease) {
        const auto* key = static_cast<const XIDeviceEvent*>(cookie.data);
        RawInput r;
        r.kind = cookie.evtype == XI_KeyPress ? RawInput::Kind::KeyDown : RawInput::Kind::KeyUp;
        r.detail = static_cast<unsigned>(key->detail);
        r.held = true;
        XFreeEventData(display_.get(), &cookie);
        return r;
    }
    const auto* raw = static_cast<const XIRawEvent*>(cookie.data);
    RawInput r;
    r.detail = static_cast<unsigned>(raw->detail);
    r.fromXTest = xtestDevices_.count(raw->sourceid) != 0;
    switch (cookie.evtype) {
        case XI_RawKeyPress: r.kind = RawInput::Kind::KeyDown; out = r; break;
        case XI_RawKeyRelease: r.kind = RawInput::Kind::KeyUp; out = r; break;
        case XI_RawButtonPress: r.kind = RawInput::Kind::ButtonDown; out = r; break;
        case XI_RawButtonRelease: r.kind = RawInput::Kind::ButtonUp; out = r; break;
        default: break;
    }
    XFreeEventData(display_.get(), &cookie);
    return out;
}

}  // namespace qln::hook
