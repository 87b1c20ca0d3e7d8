#pragma once

#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace qln {

// A stored window or program name matches when it occurs, upper-cased, in the upper-cased title or program name.
// An empty name matches nothing: it would otherwise fit every window.
bool nameOccursIn(std::string_view name, std::string_view upperText);

// The upper-cased program file name of the process that owns the window; empty when it is gone.
std::string programOfWindow(Platform& platform, WindowHandle w);

}  // namespace qln
