#pragma once

#include <cstdint>
#include <optional>

namespace qln::hook {

// What one key press means for Snipword typing, from the symbol the keyboard produced for it.  Nothing for a
// modifier or lock key alone (Shift pressed for a capital must not end the word).  Otherwise one Windows-1252
// byte: the character itself, 8 for Backspace, 13 for Enter, 9 for Tab, 27 for Escape, and 0 for every other key
// (arrows, function keys, characters the code page lacks, keys pressed with Ctrl, Alt or Win), which ends the
// word being typed.
std::optional<std::uint8_t> typedByte(unsigned long keysym, bool commandModifiers);

// The Windows-1252 byte of a Unicode character; nothing when the code page has none.
std::optional<std::uint8_t> win1252Byte(char32_t ch);

}  // namespace qln::hook
