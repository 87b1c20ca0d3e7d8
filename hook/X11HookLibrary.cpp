#include "hook/X11HookLibrary.h"

#include <X11/Xlib.h>

#include <algorithm>

#include "hook/ActiveWindowWatch.h"
#include "hook/EndMarkerKey.h"
#include "hook/HeldBackKeys.h"
#include "hook/HookInput.h"
#include "hook/HotKeyGrabs.h"
#include "hook/KeyboardState.h"
#include "hook/RawInputWatch.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11Events.h"
#include "platform/x11/X11Keymap.h"
#include "store/HotKeyNames.h"

namespace qln {

namespace {
constexpr std::uint64_t kReleaseRecheckMs = 50;
constexpr std::uint8_t kPauseVk = 19;
}  // namespace

namespace {
// The remapping tables in the remapping block.
constexpr std::size_t kRemapTables = 8;
}  // namespace

X11HookLibrary::X11HookLibrary(IMessagePump& pump, IDescriptorWatch& watch, const IClock& clock, Warn warn)
    : pump_(pump), watch_(watch), clock_(clock), warn_(std::move(warn)) {
    display_ = std::make_unique<x11::X11Display>();
    events_ = std::make_unique<x11::X11Events>(*display_);
    keymap_ = std::make_unique<x11::X11Keymap>(*events_);
    keyboard_ = std::make_unique<hook::KeyboardState>(*display_);
    raw_ = std::make_unique<hook::RawInputWatch>(*display_);
    activeWindow_ = std::make_unique<hook::ActiveWindowWatch>(*display_);
    endMarker_ = std::make_unique<hook::EndMarkerKey>(*display_);
    held_ = std::make_unique<hook::HeldBackKeys>(*display_, pump_);
    held_->setOnPending([this] { pump_.post(hook::ReplayHeldKeys{}); });
    grabs_ = std::make_unique<hook::HotKeyGrabs>(*display_, [this](std::string_view text) {
        warnings_.emplace_back(text);
    });
    input_ = std::make_unique<hook::HookInput>(
        hook::HookInput::Parts{*display_, *keymap_, *keyboard_, *raw_, *activeWindow_, *endMarker_, *held_, used_,
                               all_, switches_},
        pump_);
    input_->setOnEndMarker([this] {
        table_[hooktable::InUse] = 0;
        switches_.inUse = false;
        switches_.userTurn = false;
        held_->macroEnded();
        pump_.post(hook::InUseCleared{});
        // The keys the user pressed meanwhile follow, one press at a time as the program takes them.
        if (held_->holding()) pump_.post(hook::ReplayHeldKeys{});
    });
    filterId_ = events_->addFilter([this](XEvent& e) {
        if (input_->handle(&e)) keymapStale_ = true;
        return false;
    });
    keymapStale_ = true;  // Execute may have just been given a keycode
    watchId_ = watch_.watchFd(display_->fd(), [this] { drain(); });
    drain();
}

X11HookLibrary::~X11HookLibrary() {
    watch_.unwatchFd(watchId_);
    events_->removeFilter(filterId_);
    input_.reset();
    held_.reset();
    grabs_.reset();
    endMarker_.reset();
}

std::uint8_t X11HookLibrary::endMarkerKeycode() const { return endMarker_->keycode(); }

void X11HookLibrary::drain() {
    if (draining_) return;
    draining_ = true;
    Display* d = display_->get();
    do {
        events_->dispatchPending();
        if (keymapStale_) {
            keymapStale_ = false;
            keymapChanged();
        }
    } while (XEventsQueued(d, QueuedAfterFlush) > 0);
    draining_ = false;
    flushWarnings();
}

void X11HookLibrary::flushWarnings() {
    if (draining_ || warnings_.empty()) return;
    const std::vector<std::string> texts = std::move(warnings_);
    warnings_.clear();
    if (warn_)
        for (const std::string& text : texts) warn_(text);
}

void X11HookLibrary::keymapChanged() {
    keymap_->refreshIfChanged();
    keyboard_->refresh();
    endMarker_->keymapChanged();
    // Keys may have moved to other keycodes, Num Lock to another modifier.
    keymap_->refresh();
    renewGrabs();
}

void X11HookLibrary::renewGrabs() {
    const auto keycodeOf = [this](std::uint16_t vk) -> std::uint8_t {
        return vk < 256 ? keymap_->keycode(static_cast<std::uint8_t>(vk)) : 0;
    };
    used_.rebuild(std::span(table_).subspan(hooktable::HotKeyMap, hooktable::HotKeyCodes), keycodeOf,
                  keyboard_->masks());
    static const std::vector<std::uint8_t> every(hooktable::HotKeyCodes, 1);
    all_.rebuild(every, keycodeOf, keyboard_->masks());
    std::vector<std::pair<int, hook::Grab>> wanted;
    for (const auto& g : used_.grabs())
        if (g.second.keycode != 0 ? switches_.keyboard : switches_.mouse) wanted.push_back(g);
    grabs_->apply(wanted);
    drain();
}

void X11HookLibrary::take(std::string_view call, TableImage table) {
    for (const TableRegion& r : regionsOf(call))
        std::copy_n(table.begin() + static_cast<std::ptrdiff_t>(r.offset), r.length,
                    table_.begin() + static_cast<std::ptrdiff_t>(r.offset));
}

void X11HookLibrary::QlnUpInit(TableImage table) { take("QlnUpInit", table); }

void X11HookLibrary::QlnUpKeys(TableImage table) {
    // What arrived before counts under the old table (typing while Snipwords were off is not reported).
    drain();
    take("QlnUpKeys", table);
    switches_.snipwords = table_[hooktable::SnipwordFlag] != 0;
    renewGrabs();
}

void X11HookLibrary::QlnUpItem(TableImage table, std::uint16_t macro) {
    if (macro < 1 || macro > hooktable::MaxMacros) return;  // never outside the arrays
    for (const TableRegion& r : itemRegions(macro))
        std::copy_n(table.begin() + static_cast<std::ptrdiff_t>(r.offset), r.length,
                    table_.begin() + static_cast<std::ptrdiff_t>(r.offset));
}

void X11HookLibrary::QlnUpWindow2(TableImage table) {
    take("QlnUpWindow2", table);
    switches_.captureWindow = table_[hooktable::SecondWindowFlag] != 0;
}

void X11HookLibrary::QlnUpInUse(TableImage table) {
    // Whatever arrived before the macro starts is the user's.
    drain();
    take("QlnUpInUse", table);
    const bool starts = table_[hooktable::InUse] != 0 && !switches_.inUse;
    switches_.inUse = table_[hooktable::InUse] != 0;
    switches_.userTurn = false;
    if (!starts) return;
    input_->noteTriggerKeys();
    if (switches_.keyboard) held_->start(keymap_->keycode(kPauseVk));
}

void X11HookLibrary::userTurn(bool on) {
    if (!switches_.inUse) return;
    drain();
    switches_.userTurn = on;
    held_->userTurn(on);
}

int X11HookLibrary::takeBackAfter(std::uint32_t press) {
    if (!switches_.inUse || !held_->holding()) return 0;
    drain();
    const auto late = input_->keysAfter(press);
    if (!late || late->keys.empty()) return 0;
    held_->takeBack(late->keys);
    return late->characters;
}

void X11HookLibrary::deliverHeldKeys() {
    // A macro that started meanwhile goes first; its end marker asks again.
    if (switches_.inUse) return;
    drain();
    held_->replayNext();
    // What the key did (a typed character, a hot key) is posted before we are asked for the next one.
    drain();
    // Keyboards still held with nothing queued wait for the user's next key (HeldBackKeys asks then).
    if (held_->waiting()) pump_.post(hook::ReplayHeldKeys{});
}

void X11HookLibrary::attachBlocks(std::span<std::uint8_t, 104> remap, std::span<std::uint8_t, 17>) {
    remapBlock_ = remap.data();
}

std::uint32_t X11HookLibrary::QlnHookKeyboard() {
    keyboardHook_ = newHandle();
    switches_.keyboard = true;
    renewGrabs();
    flushWarnings();
    return keyboardHook_;
}

std::uint32_t X11HookLibrary::QlnHookMouse() {
    mouseHook_ = newHandle();
    switches_.mouse = true;
    renewGrabs();
    flushWarnings();
    return mouseHook_;
}

std::uint32_t X11HookLibrary::QlnHookCBT() {
    cbtHook_ = newHandle();
    switches_.activation = true;
    return cbtHook_;
}

std::uint32_t X11HookLibrary::QlnHookSwap() {
    // Without a remapper or the block with its tables nothing would be remapped: no handle, rather than one that
    // claims it was.
    if (remapper_ == nullptr || remapBlock_ == nullptr) return 0;
    remapper_->apply(std::span<const std::uint8_t, 93>(remapBlock_ + kRemapTables, 93));
    swapHook_ = newHandle();
    return swapHook_;
}

bool X11HookLibrary::QlnUnHook(std::uint32_t hook) {
    if (hook == 0) return false;
    if (hook == keyboardHook_ || hook == mouseHook_) {
        (hook == keyboardHook_ ? switches_.keyboard : switches_.mouse) = false;
        (hook == keyboardHook_ ? keyboardHook_ : mouseHook_) = 0;
        renewGrabs();
        flushWarnings();
        return true;
    }
    if (hook == cbtHook_) {
        switches_.activation = false;
        cbtHook_ = 0;
        return true;
    }
    if (hook == swapHook_) {
        if (remapper_ != nullptr) remapper_->restore();
        swapHook_ = 0;
        return true;
    }
    return false;
}

bool X11HookLibrary::waitUntilReleased(std::chrono::milliseconds limit) {
    drain();
    const auto ms = static_cast<std::uint64_t>(std::max<long long>(limit.count(), 0));
    const std::uint64_t deadline = clock_.tickCount() + ms;
    // Every event of our connection ends a wait (raw events of every device included); the server's key state
    // is asked again after each, and now and then anyway.
    while (input_->triggerHeld() && !pump_.quitRequested() && clock_.tickCount() < deadline) {
        pump_.waitUntil(std::min(deadline, clock_.tickCount() + kReleaseRecheckMs));
        drain();
    }
    if (!input_->triggerHeld()) return true;
    // Still held (a key the user keeps down, a program that never lets go): whatever grab of ours the trigger
    // activated ends now, or the macro would type into it instead of into the program in front.
    Display* d = display_->get();
    XUngrabKeyboard(d, CurrentTime);
    XUngrabPointer(d, CurrentTime);
    XFlush(d);
    return false;
}

}  // namespace qln
