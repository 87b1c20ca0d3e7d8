#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XInput.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "hook/X11HookLibrary.h"
#include "platform/SystemClock.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11Events.h"
#include "platform/x11/X11Pump.h"
#include "x11/DesktopSession.h"
#include "x11/UserKeyboard.h"

namespace qln::test {

// The keyboard and mouse of the X server itself: events from them are the user's, not XTest's.  Xvfb never sends
// any, but XTest can be asked to send them on its behalf.
class ServerDevices {
public:
    explicit ServerDevices(Display* d) : d_(d) {
        int count = 0;
        XIDeviceInfo* info = XIQueryDevice(d, XIAllDevices, &count);
        for (int i = 0; i < count; ++i) {
            if (std::strstr(info[i].name, "XTEST") != nullptr) continue;
            // A keyboard held back while a macro plays floats, off the core keyboard.
            const bool keyboard = info[i].use == XISlaveKeyboard ||
                                  (info[i].use == XIFloatingSlave && std::strstr(info[i].name, "keyboard") != nullptr);
            if (keyboard) keyboard_ = XOpenDevice(d, static_cast<XID>(info[i].deviceid));
            if (info[i].use == XISlavePointer) mouse_ = XOpenDevice(d, static_cast<XID>(info[i].deviceid));
        }
        XIFreeDeviceInfo(info);
    }
    ~ServerDevices() {
        if (keyboard_ != nullptr) XCloseDevice(d_, keyboard_);
        if (mouse_ != nullptr) XCloseDevice(d_, mouse_);
    }
    void key(unsigned keycode, bool down) {
        XTestFakeDeviceKeyEvent(d_, keyboard_, keycode, down, nullptr, 0, CurrentTime);
        XSync(d_, False);
    }
    void button(unsigned b, bool down) {
        XTestFakeDeviceButtonEvent(d_, mouse_, b, down, nullptr, 0, CurrentTime);
        XSync(d_, False);
    }

private:
    Display* d_;
    XDevice* keyboard_ = nullptr;
    XDevice* mouse_ = nullptr;
};

// Keeps what the library posted, and asks for held-back keys as the program does.
struct Posted : IMessageHandler {
    void handleMessage(const Message& m) override {
        messages.push_back(m);
        if (std::holds_alternative<hook::ReplayHeldKeys>(m) && onReplay) onReplay();
    }
    std::function<void()> onReplay;
    template <typename T>
    std::vector<T> all() const {
        std::vector<T> out;
        for (const Message& m : messages)
            if (const T* t = std::get_if<T>(&m)) out.push_back(*t);
        return out;
    }
    std::vector<Message> messages;
};

// A private desktop with the hook library on it, hooked as the program hooks it at start, on an event loop of
// our own.  A window of the test has the focus and notes the keys and buttons it receives.
struct HookDesktop {
    HookDesktop() {
        pump.setHandler(&posted);
        posted.onReplay = [this] { library.deliverHeldKeys(); };
        table[hooktable::InUse] = 0;
        library.QlnUpInit(table);
        library.QlnUpKeys(table);
        library.QlnHookKeyboard();
        library.QlnHookMouse();
        library.QlnHookCBT();
        makeWindow();
        // Our window comes to the front: what the library tells about that is no test's business.
        pumpUntil([&] {
            const auto activated = posted.all<hook::WindowActivated>();
            return !activated.empty() && activated.back().window == window;
        }, 2000);
        posted.messages.clear();
    }

    void useCodes(const std::vector<int>& codes, bool snipwords = false) {
        for (const int c : codes) table[hooktable::HotKeyMap + static_cast<std::size_t>(c)] = 1;
        table[hooktable::SnipwordFlag] = snipwords ? 1 : 0;
        library.QlnUpKeys(table);
    }
    void setInUse(bool on) {
        table[hooktable::InUse] = on ? 1 : 0;
        library.QlnUpInUse(table);
    }
    // The end marker behind a macro, as the program sends it; returns once the library left its in-use state.
    bool endMarker() {
        const std::size_t before = posted.all<hook::InUseCleared>().size();
        XTestFakeKeyEvent(d, library.endMarkerKeycode(), True, CurrentTime);
        XTestFakeKeyEvent(d, library.endMarkerKeycode(), False, CurrentTime);
        XSync(d, False);
        return pumpUntil([&] { return posted.all<hook::InUseCleared>().size() > before; });
    }
    std::string keysDown() const { return qln::test::keysDown(d); }
    static void xdotool(const std::string& args) { ASSERT_EQ(std::system(("xdotool " + args).c_str()), 0) << args; }
    unsigned keycode(unsigned long sym) const { return XKeysymToKeycode(d, sym); }

    // Runs the loop until the condition holds or five seconds have passed.
    template <typename F>
    bool pumpUntil(F done, int ms = 5000) {
        const std::uint64_t deadline = clock.tickCount() + static_cast<std::uint64_t>(ms);
        while (!done() && clock.tickCount() < deadline) pump.waitUntil(std::min(deadline, clock.tickCount() + 50));
        return done();
    }
    // Runs the loop until the window has received the key (a key sent last, to know everything before it arrived).
    bool windowGot(unsigned keycode) {
        return pumpUntil([&] {
            readWindow();
            return std::find(windowKeys.begin(), windowKeys.end(), keycode) != windowKeys.end();
        });
    }
    void readWindow() {
        while (XPending(d) > 0) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == KeyPress) windowKeys.push_back(e.xkey.keycode);
            if (e.type == ButtonPress) windowButtons.push_back(e.xbutton.button);
        }
    }

    Session session;
    SystemClock clock;
    x11::X11Display pumpDisplay;
    x11::X11Events pumpEvents{pumpDisplay};
    x11::X11Pump pump{pumpEvents, clock};
    Posted posted;
    std::vector<std::string> warnings;
    X11HookLibrary library{pump, pump, clock, [this](std::string_view t) { warnings.emplace_back(t); }};
    std::array<std::uint8_t, hooktable::Size> table{};
    Display* d = XOpenDisplay(nullptr);
    Window window = 0;
    std::vector<unsigned> windowKeys;
    std::vector<unsigned> windowButtons;

    ~HookDesktop() { XCloseDisplay(d); }

private:
    void makeWindow() {
        window = XCreateSimpleWindow(d, DefaultRootWindow(d), 50, 50, 300, 200, 0, 0, 0xFFFFFF);
        XStoreName(d, window, "hook test window");
        XSelectInput(d, window, KeyPressMask | ButtonPressMask | StructureNotifyMask);
        XMapWindow(d, window);
        for (;;) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == MapNotify) break;
        }
        XSetInputFocus(d, window, RevertToParent, CurrentTime);
        XSync(d, False);
    }
};

}  // namespace qln::test
