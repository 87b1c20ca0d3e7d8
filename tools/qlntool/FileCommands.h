#pragma once

#include <span>
#include <string_view>

namespace qln::tool {

// qlntool new FILE.QLN: a new macro file holding the four system macros.
int newCommand(std::span<const std::string_view> args);
// qlntool list FILE.QLN: one line per macro, control characters escaped, damaged fields reported on stderr;
// never changes the file.
int listCommand(std::span<const std::string_view> args);

}  // namespace qln::tool
