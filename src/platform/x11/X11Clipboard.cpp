#include "platform/x11/X11Clipboard.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>

#include "core/Win1252.h"
#include "platform/x11/X11SelectionReader.h"

namespace qln::x11 {

namespace {

constexpr std::uint64_t kStaleTransferMs = 10000;
constexpr std::uint32_t kManagerWaitMs = 2000;

// Latin-1 has no byte for the characters Windows-1252 keeps in 0x80..0x9F.
std::string win1252ToLatin1(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (win1252ToCodePoint(static_cast<unsigned char>(c)) > 0xFF) c = '?';
    return out;
}

std::string latin1ToUtf8(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (b >> 6));
            out += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return out;
}

}  // namespace

struct X11Clipboard::Transfer {
    Window requestor;
    Atom property;
    Atom type;
    std::string bytes;
    std::size_t sent = 0;
    bool finished = false;  // the closing empty piece has been sent
    std::uint64_t lastActivity = 0;
};

X11Clipboard::X11Clipboard(X11Events& events, const IClock& clock)
    : events_(events), display_(events.display()), clock_(clock) {
    Display* d = display_.get();
    window_ = XCreateSimpleWindow(d, DefaultRootWindow(d), -10, -10, 1, 1, 0, 0, 0);
    XSelectInput(d, window_, PropertyChangeMask);
    // Pieces well under the server's largest request; larger texts go in INCR pieces.
    const long maxRequest = std::max(XExtendedMaxRequestSize(d), XMaxRequestSize(d));
    pieceBytes_ = static_cast<std::size_t>(std::clamp<long>(maxRequest * 4 - 4096, 4096, 256 * 1024));
    filter_ = events_.addFilter([this](XEvent& e) { return handleEvent(&e); });
}

X11Clipboard::~X11Clipboard() {
    events_.removeFilter(filter_);
    if (owned_) handOverToManager();
    XDestroyWindow(display_.get(), window_);
    XFlush(display_.get());
}

unsigned long X11Clipboard::atom(const char* name) const { return XInternAtom(display_.get(), name, False); }

unsigned long X11Clipboard::serverTime() {
    // A zero-length append changes nothing but brings back a PropertyNotify with the server's time.
    Display* d = display_.get();
    const Atom stamp = atom("QLN_TIMESTAMP");
    XChangeProperty(d, window_, stamp, XA_STRING, 8, PropModeAppend, nullptr, 0);
    struct Wanted {
        Window window;
        Atom atom;
    } wanted{window_, stamp};
    XEvent e;
    XIfEvent(
        d, &e,
        [](Display*, XEvent* ev, XPointer arg) -> Bool {
            const auto* w = reinterpret_cast<const Wanted*>(arg);
            return ev->type == PropertyNotify && ev->xproperty.window == w->window && ev->xproperty.atom == w->atom
                       ? True
                       : False;
        },
        reinterpret_cast<XPointer>(&wanted));
    return e.xproperty.time;
}

void X11Clipboard::setText(std::string_view text) {
    Display* d = display_.get();
    text_.assign(text);
    utf8_ = win1252ToUtf8(text);
    latin1_ = win1252ToLatin1(text);
    ownedSince_ = serverTime();
    XSetSelectionOwner(d, atom("CLIPBOARD"), window_, ownedSince_);
    owned_ = XGetSelectionOwner(d, atom("CLIPBOARD")) == window_;
}

std::string X11Clipboard::text() const {
    if (owned_) return text_;
    Display* d = display_.get();
    const Atom clipboard = atom("CLIPBOARD");
    if (XGetSelectionOwner(d, clipboard) == None) return {};
    X11SelectionReader reader(display_, clock_, window_, atom("QLN_CLIPBOARD"));
    if (auto data = reader.read(clipboard, atom("UTF8_STRING")); data && data->type == atom("UTF8_STRING"))
        return utf8ToWin1252(data->bytes);
    if (auto data = reader.read(clipboard, XA_STRING); data && data->type == XA_STRING)
        return utf8ToWin1252(latin1ToUtf8(data->bytes));
    return {};
}

bool X11Clipboard::handleEvent(void* event) {
    auto& e = *static_cast<XEvent*>(event);
    switch (e.type) {
        case SelectionRequest:
            if (e.xselectionrequest.owner != window_) return false;
            serve(&e);
            return true;
        case SelectionClear:
            if (e.xselectionclear.window != window_ || e.xselectionclear.selection != atom("CLIPBOARD")) return false;
            owned_ = false;  // another program has the clipboard now; text() asks it
            return true;
        case PropertyNotify: {
            if (e.xproperty.state != PropertyDelete) return e.xproperty.window == window_;
            for (auto& t : transfers_) {
                if (t.requestor != e.xproperty.window || t.property != e.xproperty.atom) continue;
                sendNextPiece(t);
                dropStaleTransfers();
                return true;
            }
            return e.xproperty.window == window_;
        }
        default:
            return false;
    }
}

void X11Clipboard::serve(void* request) {
    const auto& r = static_cast<XEvent*>(request)->xselectionrequest;
    Display* d = display_.get();
    dropStaleTransfers();
    // Clients from before ICCCM leave the property out: the target names it then.
    const Atom property = r.property == None ? r.target : r.property;
    const bool ours = owned_ && r.selection == atom("CLIPBOARD") &&
                      (r.time == CurrentTime || r.time >= ownedSince_);
    bool done = false;
    if (ours) {
        const Atom utf8 = atom("UTF8_STRING");
        const Atom plainUtf8 = atom("text/plain;charset=utf-8");
        const Atom plain = atom("text/plain");
        const Atom targets = atom("TARGETS");
        if (r.target == targets) {
            const Atom list[] = {targets, atom("TIMESTAMP"), utf8, plainUtf8, atom("TEXT"), XA_STRING, plain};
            XChangeProperty(d, r.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(list), std::size(list));
            done = true;
        } else if (r.target == atom("TIMESTAMP")) {
            const long time = static_cast<long>(ownedSince_);
            XChangeProperty(d, r.requestor, property, XA_INTEGER, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&time), 1);
            done = true;
        } else if (r.target == utf8 || r.target == atom("TEXT")) {
            done = answer(r.requestor, property, utf8, utf8_);
        } else if (r.target == plainUtf8) {
            done = answer(r.requestor, property, plainUtf8, utf8_);
        } else if (r.target == XA_STRING || r.target == plain) {
            done = answer(r.requestor, property, r.target, latin1_);
        }
    }
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = r.requestor;
    reply.xselection.selection = r.selection;
    reply.xselection.target = r.target;
    reply.xselection.property = done ? property : None;
    reply.xselection.time = r.time;
    XSendEvent(d, r.requestor, False, NoEventMask, &reply);
    XFlush(d);
}

bool X11Clipboard::answer(unsigned long requestor, unsigned long property, unsigned long type,
                          const std::string& bytes) {
    Display* d = display_.get();
    if (bytes.size() <= pieceBytes_) {
        XChangeProperty(d, requestor, property, type, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
        return true;
    }
    // INCR: announce the size; each time the requestor deletes the property, the next piece follows.
    XSelectInput(d, requestor, PropertyChangeMask);
    const long size = static_cast<long>(bytes.size());
    XChangeProperty(d, requestor, property, atom("INCR"), 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&size), 1);
    // A requestor asks again on a property only once its last transfer there is over.  One still open on the same
    // window and property was left halfway by a program that has gone, whose window id the server has given to
    // this one: its pieces must not go here.
    std::erase_if(transfers_, [&](const Transfer& t) { return t.requestor == requestor && t.property == property; });
    transfers_.push_back(Transfer{requestor, property, type, bytes, 0, false, clock_.tickCount()});
    return true;
}

void X11Clipboard::sendNextPiece(Transfer& t) {
    Display* d = display_.get();
    t.lastActivity = clock_.tickCount();
    if (t.finished) {
        // The requestor has taken the empty piece: the transfer is over.
        XSelectInput(d, t.requestor, NoEventMask);
        t.lastActivity = 0;
        return;
    }
    const std::size_t n = std::min(pieceBytes_, t.bytes.size() - t.sent);
    XChangeProperty(d, t.requestor, t.property, t.type, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(t.bytes.data() + t.sent), static_cast<int>(n));
    t.sent += n;
    if (n == 0) t.finished = true;
    XFlush(d);
}

void X11Clipboard::dropStaleTransfers() {
    // Finished transfers, and those whose requestor stopped taking pieces (it may have closed).
    const std::uint64_t now = clock_.tickCount();
    std::erase_if(transfers_, [&](const Transfer& t) {
        return t.lastActivity == 0 || now - t.lastActivity > kStaleTransferMs;
    });
}

void X11Clipboard::handOverToManager() {
    Display* d = display_.get();
    const Atom manager = atom("CLIPBOARD_MANAGER");
    if (XGetSelectionOwner(d, manager) == None) return;
    const Atom property = atom("QLN_SAVE_TARGETS");
    XConvertSelection(d, manager, atom("SAVE_TARGETS"), property, window_, CurrentTime);
    XFlush(d);
    // Serve the manager's requests until it says it has its copy, or gives up; other events stay queued.
    const auto ours = [](Display*, XEvent* e, XPointer self) -> Bool {
        return reinterpret_cast<const X11Clipboard*>(self)->isOwnEvent(e) ? True : False;
    };
    const std::uint64_t deadline = clock_.tickCount() + kManagerWaitMs;
    for (std::uint64_t now = clock_.tickCount(); now < deadline; now = clock_.tickCount()) {
        XEvent e;
        if (XCheckIfEvent(d, &e, ours, reinterpret_cast<XPointer>(this))) {
            if (e.type == SelectionNotify) return;
            handleEvent(&e);
            continue;
        }
        display_.awaitNewEvents(static_cast<int>(deadline - now));
    }
}

bool X11Clipboard::isOwnEvent(const void* event) const {
    const auto& e = *static_cast<const XEvent*>(event);
    switch (e.type) {
        case SelectionNotify:
            return e.xselection.requestor == window_;
        case SelectionRequest:
            return e.xselectionrequest.owner == window_;
        case PropertyNotify:
            return e.xproperty.state == PropertyDelete &&
                   std::any_of(transfers_.begin(), transfers_.end(), [&](const Transfer& t) {
                       return t.requestor == e.xproperty.window && t.property == e.xproperty.atom;
                   });
        default:
            return false;
    }
}

}  // namespace qln::x11
