#pragma once

#include <string>
#include <string_view>

namespace qln {

// Upper case of Windows-1252 text, letters with accents included, as the system's upper-casing gives it.
std::string upperWin1252(std::string_view text);

}  // namespace qln
