#include "hook/HotKeyIndex.h"

#include "store/HotKeyNames.h"
#include "triggers/ReservedHotKeys.h"

namespace qln::hook {

namespace {
// Mouse buttons in X's numbering: left 1, middle 2, right 3.
constexpr unsigned kButtons[] = {0, 1, 3, 2};

unsigned modifiersOf(const DecipheredKey& k, const ModifierMasks& m) {
    return (k.ctrl ? m.control : 0) | (k.alt ? m.alt : 0) | (k.shift ? m.shift : 0) | (k.win ? m.win : 0);
}
}  // namespace

std::vector<unsigned> lockCombinations(const ModifierMasks& masks) {
    std::vector<unsigned> out{0, masks.lock};
    if (masks.numLock != 0 && masks.numLock != masks.lock) {
        out.push_back(masks.numLock);
        out.push_back(masks.lock | masks.numLock);
    }
    return out;
}

void HotKeyIndex::rebuild(std::span<const std::uint8_t> inUse, const KeycodeOf& keycodeOf,
                          const ModifierMasks& masks) {
    masks_ = masks;
    keys_.clear();
    buttons_.clear();
    grabs_.clear();
    const std::vector<unsigned> locks = lockCombinations(masks);
    for (int code = 0; code < HotKeyCount && code < static_cast<int>(inUse.size()); ++code) {
        if (inUse[static_cast<std::size_t>(code)] == 0 || serverReservedHotKey(code)) continue;
        const DecipheredKey k = DecipherKey(code);
        const unsigned mods = modifiersOf(k, masks);
        if (k.mouseButton != 0) {
            const unsigned button = kButtons[k.mouseButton];
            buttons_.emplace(std::pair{button, mods}, code);
            if (mods == 0) continue;
            for (const unsigned lock : locks) grabs_.push_back({code, Grab{0, button, mods | lock}});
            continue;
        }
        const std::uint8_t keycode = keycodeOf(k.vk);
        if (keycode == 0) continue;  // the keyboard has no such key
        // Two codes on one key (a layout that puts two of our keys on one keycode): the first keeps it.
        if (!keys_.emplace(std::pair{keycode, mods}, code).second) continue;
        for (const unsigned lock : locks) grabs_.push_back({code, Grab{keycode, 0, mods | lock}});
    }
}

std::optional<int> HotKeyIndex::keyCode(std::uint8_t keycode, unsigned modifiers) const {
    const auto it = keys_.find({keycode, modifiers & masks_.relevant()});
    if (it == keys_.end()) return std::nullopt;
    return it->second;
}

std::optional<int> HotKeyIndex::buttonCode(unsigned button, unsigned modifiers) const {
    const auto it = buttons_.find({button, modifiers & masks_.relevant()});
    if (it == buttons_.end()) return std::nullopt;
    return it->second;
}

}  // namespace qln::hook
