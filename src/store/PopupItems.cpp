#include "store/PopupItems.h"

#include <algorithm>

namespace qln {

std::vector<std::uint16_t> readPopupItems(const MacroRecord& r) {
    const auto& f = r.textField;
    const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(f[0] | (f[1] << 8)), MaxPopupItems);
    std::vector<std::uint16_t> items(count);
    for (std::size_t i = 0; i < count; ++i)
        items[i] = static_cast<std::uint16_t>(f[2 + 2 * i] | (f[3 + 2 * i] << 8));
    return items;
}

void writePopupItems(MacroRecord& r, const std::vector<std::uint16_t>& items) {
    auto& f = r.textField;
    f.fill(0);
    const std::size_t count = std::min(items.size(), MaxPopupItems);
    f[0] = static_cast<std::uint8_t>(count & 0xFF);
    f[1] = static_cast<std::uint8_t>(count >> 8);
    for (std::size_t i = 0; i < count; ++i) {
        f[2 + 2 * i] = static_cast<std::uint8_t>(items[i] & 0xFF);
        f[3 + 2 * i] = static_cast<std::uint8_t>(items[i] >> 8);
    }
}

std::vector<std::uint16_t> renumberAfterRemoval(const std::vector<std::uint16_t>& items, std::uint16_t removed) {
    std::vector<std::uint16_t> out;
    for (const std::uint16_t n : items) {
        if (n == removed) continue;
        out.push_back(n > removed ? static_cast<std::uint16_t>(n - 1) : n);
    }
    return out;
}

}  // namespace qln
