#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qln {

// Length-prefixed strings of records and tables: one length byte, the characters, filler up to the width.
// A field of `width` characters takes width + 1 bytes.

// Writes text (cut to width) into field, which must hold width + 1 bytes; the filler is zeroed.
void writeShortString(std::span<std::uint8_t> field, std::string_view text);
// Reads a field; a damaged length byte larger than the width reads as the width.
std::string readShortString(std::span<const std::uint8_t> field);

}  // namespace qln
