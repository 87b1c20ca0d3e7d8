#pragma once

#include <string>
#include <string_view>

namespace qln {

// Names that belong to a macro file.

// True when the name ends in ".QLN", in any case.
bool isMacroFileName(std::string_view path);
// The file name without folder and without its last four characters: what the main window's caption shows.
std::string displayName(std::string_view path);
// The remap file beside a macro file: ".QLN" becomes ".QLS"; any other name gets ".QLS" added, so the remap
// file can never be the macro file itself.
std::string remapFileName(std::string_view path);
// The sync file beside a shared macro file: ".QLN" becomes ".MAS"; any other name gets ".MAS" added.
std::string syncFileName(std::string_view path);

}  // namespace qln
