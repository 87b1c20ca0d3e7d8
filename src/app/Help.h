#pragma once

#include <string>

namespace qln {

// The manual: one HTML page per window, named after its form in lower case ("tsortorder.html"), and "index.html"
// for the contents.  The caller opens the page it gets with the desktop's browser.
//
// An installed program reads the manual installed beside it (<prefix>/bin/quillon reads
// <prefix>/share/doc/quillon/manual); a program run from its build folder reads the source tree's docs/manual.
// Empty when neither has the page, or when the name is not a plain file name.
std::string manualPagePath(const std::string& page, const std::string& programPath, const std::string& sourceFolder);

// The same for this running program and the source tree it was built from.
std::string manualPagePath(const std::string& page);

// This running program's file (empty when the system does not tell): the manual is found beside it, and the
// session's autostart entry starts it.
std::string thisProgramPath();

}  // namespace qln
