#include "platform/x11/X11SelectionReader.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>

namespace qln::x11 {

namespace {

struct Wanted {
    int type;
    Window window;
    Atom property;
};

Bool matches(Display*, XEvent* e, XPointer arg) {
    const auto* w = reinterpret_cast<const Wanted*>(arg);
    if (e->type != w->type) return False;
    if (e->type == SelectionNotify) return e->xselection.requestor == w->window ? True : False;
    return e->xproperty.window == w->window && e->xproperty.atom == w->property && e->xproperty.state == PropertyNewValue
               ? True
               : False;
}

}  // namespace

bool X11SelectionReader::nextEvent(int type, void* event, std::uint64_t deadline) {
    Display* d = display_.get();
    Wanted wanted{type, window_, property_};
    for (;;) {
        if (XCheckIfEvent(d, static_cast<XEvent*>(event), matches, reinterpret_cast<XPointer>(&wanted))) return true;
        const std::uint64_t now = clock_.tickCount();
        if (now >= deadline) return false;
        // Events of others stay queued for the event loop; only new arrivals are worth another look.
        display_.awaitNewEvents(static_cast<int>(std::min<std::uint64_t>(deadline - now, 60000)));
    }
}

std::optional<X11SelectionReader::Data> X11SelectionReader::takeProperty() {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* bytes = nullptr;
    if (XGetWindowProperty(display_.get(), window_, property_, 0, 0x1fffffff, True, AnyPropertyType, &type, &format,
                           &count, &after, &bytes) != Success) {
        return std::nullopt;
    }
    std::optional<Data> data;
    if (type != None) {
        data.emplace();
        data->type = type;
        // Text comes in 8-bit items; the INCR size (32-bit) is only a hint and is not kept.
        if (bytes != nullptr && format == 8) data->bytes.assign(reinterpret_cast<const char*>(bytes), count);
    }
    if (bytes != nullptr) XFree(bytes);
    return data;
}

std::optional<X11SelectionReader::Data> X11SelectionReader::read(unsigned long selection, unsigned long target,
                                                                 std::uint32_t timeoutMs) {
    Display* d = display_.get();
    XDeleteProperty(d, window_, property_);
    XConvertSelection(d, selection, target, property_, window_, CurrentTime);
    XFlush(d);
    XEvent e;
    if (!nextEvent(SelectionNotify, &e, clock_.tickCount() + timeoutMs)) return std::nullopt;
    if (e.xselection.property == None) return std::nullopt;
    auto first = takeProperty();
    if (!first) return std::nullopt;
    const Atom incr = XInternAtom(d, "INCR", False);
    if (first->type != incr) return first;

    // INCR: deleting the property (done by reading it) asks for the next piece; an empty piece ends the data.
    XFlush(d);
    Data whole;
    for (;;) {
        if (!nextEvent(PropertyNotify, &e, clock_.tickCount() + timeoutMs)) return std::nullopt;
        auto piece = takeProperty();
        XFlush(d);
        if (!piece) continue;
        if (piece->bytes.empty()) return whole;
        whole.type = piece->type;
        whole.bytes += piece->bytes;
    }
}

}  // namespace qln::x11
