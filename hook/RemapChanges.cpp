#include "hook/RemapChanges.h"

#include <string_view>

#include "core/Win1252.h"

namespace qln::hook {

namespace {
// The punctuation keys in the order of their table (the remap file's order).
constexpr std::string_view kPunctuation = " !\"#$%&'()*+,-./:;<=>?@[\\]^_`}~";
static_assert(kPunctuation.size() == 31);

// The character each table entry stands for: A..Z, a..z, 0..9, then the punctuation keys.
std::uint8_t defaultOf(std::size_t index) {
    if (index < 26) return static_cast<std::uint8_t>('A' + index);
    if (index < 52) return static_cast<std::uint8_t>('a' + index - 26);
    if (index < 62) return static_cast<std::uint8_t>('0' + index - 52);
    return static_cast<std::uint8_t>(kPunctuation[index - 62]);
}
}  // namespace

std::vector<RemapChange> remapChanges(std::span<const std::uint8_t, 93> tables) {
    std::vector<RemapChange> out;
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const std::uint8_t from = defaultOf(i), to = tables[i];
        if (to == from || (to > 0 && to < 32)) continue;
        out.push_back({from, to});
    }
    return out;
}

unsigned long remapKeysym(std::uint8_t ch) {
    if (ch == 0) return kVoidSymbol;
    const char32_t c = win1252ToCodePoint(ch);
    if (c >= 0x80 && c < 0xA0) return kVoidSymbol;  // the undefined bytes come back as C1 controls
    return c < 0x100 ? c : 0x01000000 | c;
}

}  // namespace qln::hook
