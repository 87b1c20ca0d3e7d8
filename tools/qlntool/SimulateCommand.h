#pragma once

#include <span>
#include <string_view>

namespace qln::tool {

// qlntool simulate: runs a scenario of the user's keys, typing and windows against a macro set on the simulated
// desktop and prints what happened (docs/simulate.md).  Returns the exit code.
int simulateCommand(std::span<const std::string_view> args);

}  // namespace qln::tool
