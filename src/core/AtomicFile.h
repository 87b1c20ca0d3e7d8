#pragma once

#include <string>
#include <string_view>

namespace qln {

// Replaces a file's whole content safely: the bytes go to a temporary file in the same folder, are flushed to
// disk, and the temporary file is renamed over the old one.  A crash leaves either the old or the new file,
// never half of one.  Throws FileError.
void replaceFileContent(const std::string& path, std::string_view bytes);

// Reads a whole file.  Throws FileError when it cannot.
std::string readWholeFile(const std::string& path);

}  // namespace qln
