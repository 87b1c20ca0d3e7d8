#pragma once

#include <string>
#include <string_view>

namespace qln {

// Macro text, records and files are Windows-1252 bytes; these convert at the edges (GUI, terminal, X11 typing).

// Characters without a Windows-1252 byte, and invalid UTF-8, become '?'.
std::string utf8ToWin1252(std::string_view utf8);
// The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the same code points.
std::string win1252ToUtf8(std::string_view win1252);
// The Unicode code point of one Windows-1252 byte.
char32_t win1252ToCodePoint(unsigned char c);

}  // namespace qln
