#include "store/TriggerTable.h"

#include <stdexcept>

#include "store/ShortString.h"

namespace qln {

std::size_t TriggerTable::entry(std::size_t base, std::size_t width, int n) {
    if (n < 1 || n > static_cast<int>(hooktable::MaxMacros))
        throw std::out_of_range("macro number " + std::to_string(n) + " is outside 1..500");
    return base + static_cast<std::size_t>(n) * width;
}

std::uint16_t TriggerTable::get16(std::size_t at) const {
    return static_cast<std::uint16_t>(bytes_[at] | (bytes_[at + 1] << 8));
}

void TriggerTable::put16(std::size_t at, std::uint16_t v) {
    bytes_[at] = static_cast<std::uint8_t>(v & 0xFF);
    bytes_[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

std::uint32_t TriggerTable::get32(std::size_t at) const {
    return static_cast<std::uint32_t>(bytes_[at]) | static_cast<std::uint32_t>(bytes_[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes_[at + 2]) << 16 | static_cast<std::uint32_t>(bytes_[at + 3]) << 24;
}

void TriggerTable::put32(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::string TriggerTable::name(int n) const {
    const std::size_t at = entry(hooktable::NameBase, hooktable::NameWidth, n);
    return readShortString(std::span<const std::uint8_t>(bytes_).subspan(at, hooktable::NameWidth));
}

void TriggerTable::setName(int n, std::string_view name) {
    const std::size_t at = entry(hooktable::NameBase, hooktable::NameWidth, n);
    writeShortString(std::span<std::uint8_t>(bytes_).subspan(at, hooktable::NameWidth), name);
}

std::int32_t TriggerTable::macroCount() const { return static_cast<std::int32_t>(get32(hooktable::MacroCount)); }

void TriggerTable::setMacroCount(std::int32_t count) {
    if (count < 0 || count > static_cast<std::int32_t>(hooktable::MaxMacros))
        throw std::out_of_range("macro count " + std::to_string(count) + " is outside 0..500");
    put32(hooktable::MacroCount, static_cast<std::uint32_t>(count));
}

bool TriggerTable::hotKeyUsed(int code) const {
    return code >= 0 && code < static_cast<int>(hooktable::HotKeyCodes) &&
           bytes_[hooktable::HotKeyMap + static_cast<std::size_t>(code)] != 0;
}

void TriggerTable::setHotKeyUsed(int code, bool used) {
    if (code >= 0 && code < static_cast<int>(hooktable::HotKeyCodes))
        bytes_[hooktable::HotKeyMap + static_cast<std::size_t>(code)] = used ? 1 : 0;
}

void TriggerTable::clearHotKeyMap() {
    for (std::size_t i = 0; i < hooktable::HotKeyCodes; ++i) bytes_[hooktable::HotKeyMap + i] = 0;
}

}  // namespace qln
