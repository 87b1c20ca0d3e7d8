#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace qln::hook {

// One remapped key: the character it types by default and the Windows-1252 character it types instead (0: none).
struct RemapChange {
    std::uint8_t from = 0;
    std::uint8_t to = 0;
    bool operator==(const RemapChange&) const = default;
};

// The entries of the remap tables that differ from the defaults, in table order.  Entries 1..31 are no
// characters (only a damaged remap file holds them): those keys are left as they are.
std::vector<RemapChange> remapChanges(std::span<const std::uint8_t, 93> tables);

// The keysym that makes a key type the Windows-1252 character: Latin-1 keysyms for Latin-1, Unicode keysyms
// for the rest (as the spare keycodes do), and VoidSymbol for none and for the five bytes Windows-1252 leaves
// undefined.  VoidSymbol rather than NoSymbol: programs reading the core keymap give an empty level of a letter
// key the other case of its first level.
unsigned long remapKeysym(std::uint8_t ch);

constexpr unsigned long kVoidSymbol = 0xFFFFFF;

}  // namespace qln::hook
