#pragma once

#include <span>
#include <string_view>

namespace qln::tool {

// qlntool play: plays a macro on the simulated desktop and prints its event trace.  Returns the exit code.
int playCommand(std::span<const std::string_view> args, const char* usage);

}  // namespace qln::tool
