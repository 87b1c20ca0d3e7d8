#pragma once

#include <string>
#include <string_view>

namespace qln {

// Conversion between UTF-8 (the desktop's text) and Windows-1252 (the bytes of macros and settings).

// A character that has no Windows-1252 byte, and every malformed UTF-8 sequence, becomes one '?'.
std::string utf8ToWin1252(std::string_view utf8);

// Every byte has a character: the five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become
// the control characters of the same number, as Windows converts them.
std::string win1252ToUtf8(std::string_view bytes);

// The Unicode code point of one Windows-1252 byte.
char32_t win1252ToCodePoint(unsigned char byte);

}  // namespace qln
