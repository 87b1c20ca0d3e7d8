// A tiny X client that takes the keyboard focus and writes every character it receives to stdout, as UTF-8,
// until Escape.  Mouse buttons show as "{n}" (X's button numbers: 4 and 5 are the wheel).  Ctrl+V pastes: the clipboard's text is written in brackets ("[text]", "[]" when nobody answers).
// The typing tests play macros into it.  With --cached it reads the keymap the way toolkits do, again only when
// the server announces a change, and writes in blocks: the benchmark's stand-in for a quick program.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cstdio>
#include <string>

namespace {

void putUtf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    std::fwrite(s.data(), 1, s.size(), stdout);
}

void paste(Display* d, Window w, Time time) {
    const Atom clipboard = XInternAtom(d, "CLIPBOARD", False), utf8 = XInternAtom(d, "UTF8_STRING", False);
    const Atom property = XInternAtom(d, "RECORDER_PASTE", False);
    XConvertSelection(d, clipboard, utf8, property, w, time);
    XEvent e;
    XIfEvent(d, &e, [](Display*, XEvent* ev, XPointer) -> Bool { return ev->type == SelectionNotify; }, nullptr);
    std::string text;
    if (e.xselection.property != None) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(d, w, property, 0, 1 << 20, True, AnyPropertyType, &type, &format, &count, &after, &data);
        if (data != nullptr) {
            text.assign(reinterpret_cast<const char*>(data), count);
            XFree(data);
        }
    }
    text = "[" + text + "]";
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// The symbol the key produces, as a program reading the keyboard with XKB sees it: the level its key type picks
// for the modifiers, then Caps Lock's upper case when the type leaves Lock alone.  The server's map is asked each
// time: a keycode may have been remapped a moment ago, and a cached one would still show its old symbols.
XkbDescPtr cached = nullptr;
bool useCache = false;

KeySym symbolOf(Display* d, const XKeyEvent& key) {
    XkbDescPtr xkb = useCache && cached != nullptr ? cached : XkbGetMap(d, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    if (xkb == nullptr) return NoSymbol;
    if (useCache) cached = xkb;
    unsigned int consumed = 0;
    KeySym sym = NoSymbol;
    XkbTranslateKeyCode(xkb, static_cast<KeyCode>(key.keycode), key.state, &consumed, &sym);
    if (!useCache) XkbFreeKeyboard(xkb, 0, True);
    if ((key.state & LockMask & ~consumed) != 0) {
        KeySym lower = NoSymbol, upper = NoSymbol;
        XConvertCase(sym, &lower, &upper);
        sym = upper;
    }
    return sym;
}

}  // namespace

int main(int argc, char** argv) {
    useCache = argc > 1 && std::string(argv[1]) == "--cached";
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) return 2;
    const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 300, 100, 0, 0, 0);
    XStoreName(d, w, "Quillon recorder");
    XSelectInput(d, w, KeyPressMask | ButtonPressMask | StructureNotifyMask);
    XMapWindow(d, w);
    for (;;) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == MapNotify) break;
    }
    XSetInputFocus(d, w, RevertToParent, CurrentTime);
    XSync(d, False);
    std::puts("ready");
    std::fflush(stdout);
    for (;;) {
        // Written out whenever nothing more is waiting: the readers see each character without delay.
        if (XPending(d) == 0) std::fflush(stdout);
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == MappingNotify) {
            XRefreshKeyboardMapping(&e.xmapping);
            if (cached != nullptr) XkbFreeKeyboard(cached, 0, True);
            cached = nullptr;
            continue;
        }
        if (e.type == ButtonPress) {
            std::printf("{%u}", e.xbutton.button);
            continue;
        }
        if (e.type != KeyPress) continue;
        const KeySym sym = symbolOf(d, e.xkey);
        if (sym == XK_Escape) break;
        if ((e.xkey.state & ControlMask) != 0) {
            if (sym == XK_v || sym == XK_V) paste(d, w, e.xkey.time);
            continue;
        }
        if (sym == XK_Return) putUtf8('\n');
        else if (sym >= 0x20 && sym <= 0xFF) putUtf8(static_cast<char32_t>(sym));
        else if ((sym & 0xFF000000) == 0x01000000) putUtf8(static_cast<char32_t>(sym & 0xFFFFFF));
    }
    std::fflush(stdout);
    XCloseDisplay(d);
    return 0;
}
