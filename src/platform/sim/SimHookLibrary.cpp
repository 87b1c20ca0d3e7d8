#include "platform/sim/SimHookLibrary.h"

#include <algorithm>

namespace qln::sim {

void SimHookLibrary::note(const char* name, std::uint32_t arg) {
    calls_.push_back({name, arg, clock_ ? clock_->tickCount() : 0});
}

std::uint32_t SimHookLibrary::hook(const char* name) {
    const std::uint32_t h = nextHook_++;
    hooks_.push_back(h);
    note(name, h);
    return h;
}

bool SimHookLibrary::QlnUnHook(std::uint32_t hook) {
    note("QlnUnHook", hook);
    const auto it = std::find(hooks_.begin(), hooks_.end(), hook);
    if (it == hooks_.end()) return false;
    hooks_.erase(it);
    return true;
}

void SimHookLibrary::update(const char* name, TableImage t) {
    for (const TableRegion& r : regionsOf(name)) std::copy_n(t.begin() + static_cast<std::ptrdiff_t>(r.offset), r.length, block_.begin() + static_cast<std::ptrdiff_t>(r.offset));
    note(name, 0);
}

void SimHookLibrary::QlnUpItem(TableImage t, std::uint16_t macro) {
    // Numbers outside the arrays are refused, as the library must never write past them.
    if (macro >= 1 && macro <= hooktable::MaxMacros) {
        for (const TableRegion& r : itemRegions(macro))
            std::copy_n(t.begin() + static_cast<std::ptrdiff_t>(r.offset), r.length, block_.begin() + static_cast<std::ptrdiff_t>(r.offset));
    }
    note("QlnUpItem", macro);
}

bool SimHookLibrary::pressHotKey(std::uint16_t code, bool capsLock, WindowHandle front) {
    if (block_[hooktable::SecondWindowFlag] != 0) {
        post(hook::HotKeyToCapture{code});
        return true;
    }
    if (code >= hooktable::HotKeyCodes || block_[hooktable::HotKeyMap + code] == 0) return false;
    post(hook::HotKeyPressed{code, capsLock, front});
    return true;
}

void SimHookLibrary::typeCharacter(std::uint8_t ch, bool capsLock) {
    using State = hook::TypedCharacter::State;
    post(hook::TypedCharacter{capsLock ? State::CapsLock : State::Plain, ch});
}

void SimHookLibrary::resetTyping() { post(hook::TypedCharacter{hook::TypedCharacter::State::Reset, 0}); }

void SimHookLibrary::keyEvent(std::uint8_t vk, bool up) {
    constexpr std::uint8_t kEndMarker = 43;
    if (vk != kEndMarker || up || block_[hooktable::InUse] == 0) return;
    block_[hooktable::InUse] = 0;
    post(hook::InUseCleared{});
}

}  // namespace qln::sim
