#include "hook/HeldBackKeys.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>

#include <cstring>

namespace qln::hook {

namespace {

// The user's own keyboards: attached slave keyboards that are not XTest devices.
std::vector<int> userKeyboards(Display* d) {
    std::vector<int> out;
    int count = 0;
    XIDeviceInfo* info = XIQueryDevice(d, XIAllDevices, &count);
    if (info == nullptr) return out;
    for (int i = 0; i < count; ++i)
        if (info[i].use == XISlaveKeyboard && info[i].enabled &&
            (info[i].name == nullptr || std::strstr(info[i].name, "XTEST") == nullptr))
            out.push_back(info[i].deviceid);
    XIFreeDeviceInfo(info);
    return out;
}

}  // namespace

HeldBackKeys::HeldBackKeys(x11::X11Display& display, IMessagePump& pump) : display_(display), pump_(pump) {}

HeldBackKeys::~HeldBackKeys() {
    // Going away with keys still held back: they are lost, but the keyboards must come back.
    ungrab();
}

std::bitset<256> HeldBackKeys::keysDownOnGrabbed() const {
    std::bitset<256> down;
    Display* d = display_.get();
    // Through the devices opened at the grab: closing a device lets go of our grab on it.
    for (void* opened : opened_) {
        XDeviceState* state = XQueryDeviceState(d, static_cast<XDevice*>(opened));
        if (state == nullptr) continue;
        auto* c = state->data;
        for (int i = 0; i < state->num_classes; ++i) {
            if (c->c_class == KeyClass) {
                const auto* k = reinterpret_cast<const XKeyState*>(c);
                for (int kc = 0; kc < 256; ++kc)
                    if ((k->keys[kc / 8] & (1 << (kc % 8))) != 0) down.set(static_cast<std::size_t>(kc));
            }
            c = reinterpret_cast<XInputClass*>(reinterpret_cast<char*>(c) + c->length);
        }
        XFreeDeviceState(state);
    }
    return down;
}

std::bitset<256> HeldBackKeys::coreKeysDown() const {
    // Read after the grab: a key pressed before it is down here, its release comes to us.
    char keys[32] = {};
    XQueryKeymap(display_.get(), keys);
    std::bitset<256> down;
    for (std::size_t kc = 0; kc < 256; ++kc) down[kc] = (keys[kc / 8] & (1 << (kc % 8))) != 0;
    return down;
}

void HeldBackKeys::takeBack(const std::vector<HeldKey>& keys) {
    if (playing_) queue_.takeBack(keys);
}

void HeldBackKeys::grab() {
    if (!grabbed_.empty()) return;
    Display* d = display_.get();
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_KeyPress);
    XISetMask(bits, XI_KeyRelease);
    for (const int id : userKeyboards(d)) {
        XIEventMask mask{id, sizeof bits, bits};
        if (XIGrabDevice(d, id, DefaultRootWindow(d), CurrentTime, None, XIGrabModeAsync, XIGrabModeAsync, False,
                         &mask) != Success)
            continue;
        grabbed_.push_back(id);
        if (XDevice* dev = XOpenDevice(d, static_cast<XID>(id))) opened_.push_back(dev);
    }
    // In force before we return: keys the user presses from now on must not slip through.
    XSync(d, False);
}

void HeldBackKeys::ungrab() {
    if (grabbed_.empty()) return;
    Display* d = display_.get();
    for (const int id : grabbed_) XIUngrabDevice(d, id, CurrentTime);
    for (void* opened : opened_) XCloseDevice(d, static_cast<XDevice*>(opened));
    grabbed_.clear();
    opened_.clear();
    XSync(d, False);
}

void HeldBackKeys::releaseNow(const std::vector<std::uint8_t>& keycodes) {
    for (const std::uint8_t kc : keycodes) XTestFakeKeyEvent(display_.get(), kc, False, CurrentTime);
}

void HeldBackKeys::start(std::uint8_t abortKeycode) {
    abortKeycode_ = abortKeycode;
    playing_ = true;
    userTurn_ = false;
    grab();
    releaseNow(queue_.begin(keysDownOnGrabbed(), coreKeysDown()));
    XFlush(display_.get());
}

void HeldBackKeys::userTurn(bool on) {
    if (!playing_ || userTurn_ == on) return;
    userTurn_ = on;
    if (on) {
        ungrab();
        return;
    }
    grab();
    releaseNow(queue_.begin(keysDownOnGrabbed(), coreKeysDown()));
    XFlush(display_.get());
}

void HeldBackKeys::macroEnded() {
    playing_ = false;
    userTurn_ = false;
}

bool HeldBackKeys::replayNext() {
    replayAsked_ = false;
    if (playing_ || !holding()) return false;
    Display* d = display_.get();
    const std::vector<HeldKey> batch = queue_.nextBatch();
    for (const HeldKey& k : batch) XTestFakeKeyEvent(d, k.keycode, k.press ? True : False, CurrentTime);
    if (queue_.empty()) {
        // The keyboards are given back at a quiet moment only: a key the user holds now may be followed at once
        // by the next, which would overtake keys still on their way to us.  Until then their keys keep coming to
        // us, and go out as they come.
        if (grabbed_.empty()) {
            // Keys that were on their way when we let go: what the user still holds comes up with their release.
            queue_.finish(std::bitset<256>().set());
        } else {
            // Looked at and let go with the server grabbed: no key of another client's (an XTest tool standing in
            // for a keyboard) comes in between to overtake those on their way to us.
            XGrabServer(d);
            const std::bitset<256> held = keysDownOnGrabbed();
            if (held.none()) {
                releaseNow(queue_.finish(held));
                ungrab();
            }
            XUngrabServer(d);
        }
    }
    XSync(d, False);
    return !batch.empty() && batch.back().press;
}

bool HeldBackKeys::handle(const RawInput& r) {
    if (!r.held) return false;
    const auto kc = static_cast<std::uint8_t>(r.detail);
    const bool press = r.kind == RawInput::Kind::KeyDown;
    if (!playing_ && grabbed_.empty() && queue_.empty()) {
        // On its way when we let go of the keyboard: it goes out at once, as it would have a moment earlier.
        XTestFakeKeyEvent(display_.get(), kc, press ? True : False, CurrentTime);
        XFlush(display_.get());
        return true;
    }
    switch (queue_.key(kc, press, playing_ && kc == abortKeycode_ && abortKeycode_ != 0)) {
        case KeyHoldBack::Action::Pass:
            // In before we look again whether the trigger's keys are up (no raw event of it tells us while the
            // trigger's own grab is active).
            XTestFakeKeyEvent(display_.get(), kc, False, CurrentTime);
            XSync(display_.get(), False);
            break;
        case KeyHoldBack::Action::Abort:
            pump_.post(hook::AbortRequest{});
            break;
        case KeyHoldBack::Action::Hold:
            // No macro plays: the replay is under way, or a key was still on its way when we let go.
            if (!playing_ && !replayAsked_ && onPending_) {
                replayAsked_ = true;
                onPending_();
            }
            break;
        case KeyHoldBack::Action::Drop:
            break;
    }
    return true;
}

}  // namespace qln::hook
