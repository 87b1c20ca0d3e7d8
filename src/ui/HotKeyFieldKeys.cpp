#include "ui/HotKeyFieldKeys.h"

#include <cctype>

namespace qln {

namespace {

constexpr std::uint16_t kTab = 9, kEnter = 13, kEscape = 27, kSpace = 32;

bool plain(const DecipheredKey& k) {
    return !k.ctrl && !k.alt && !k.shift && !k.win;
}

bool space(const DecipheredKey& k) {
    return k.mouseButton == 0 && k.vk == kSpace && plain(k);
}

}  // namespace

HotKeyFieldKeys::HotKeyFieldKeys(const std::string& mnemonics) {
    for (const char c : mnemonics) mnemonics_ += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool HotKeyFieldKeys::dialogKey(const DecipheredKey& k) const {
    if (k.mouseButton != 0) return plain(k);
    if (plain(k)) return k.vk == kEnter || k.vk == kEscape || k.vk == kTab;
    if (k.vk == kTab && k.shift && !k.ctrl && !k.alt && !k.win) return true;
    return k.alt && !k.ctrl && !k.shift && !k.win && k.vk < 128 &&
           mnemonics_.find(static_cast<char>(k.vk)) != std::string::npos;
}

bool HotKeyFieldKeys::keeps(const DecipheredKey& k) const {
    if (keepNext_ && *keepNext_ == k) return true;
    return armed_ || space(k) || !dialogKey(k);
}

bool HotKeyFieldKeys::pressed(const DecipheredKey& k) {
    if (keepNext_ && *keepNext_ == k) {
        keepNext_.reset();
        return true;
    }
    if (space(k)) {
        armed_ = !armed_;
        pressedWhileArmed_.reset();
        return true;
    }
    if (armed_) {
        pressedWhileArmed_ = k;
        return true;
    }
    return !dialogKey(k);
}

bool HotKeyFieldKeys::takesCode(int code) {
    const DecipheredKey k = DecipherKey(code);
    if (!armed_) return !dialogKey(k);
    armed_ = false;
    // Its key event may still be on its way: the dialog must not act on it.
    if (!(pressedWhileArmed_ && *pressedWhileArmed_ == k)) keepNext_ = k;
    pressedWhileArmed_.reset();
    return true;
}

void HotKeyFieldKeys::reset() {
    armed_ = false;
    pressedWhileArmed_.reset();
    keepNext_.reset();
}

}  // namespace qln
