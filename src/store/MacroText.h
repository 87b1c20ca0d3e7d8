#pragma once

#include <string>

#include "store/MacroRecord.h"

namespace qln {

// How a macro is named in lists: its trigger and its scope.

// The hot key name, "Timed Macro", or the Snipword name.
std::string activationText(const MacroRecord& record);
// "GLOBAL", "Window: " + name, "Program: " + name, "Popup Menu" or "SYSTEM".
std::string scopeText(const MacroRecord& record);

}  // namespace qln
