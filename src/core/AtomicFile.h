#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qln {

// Replaces a file's whole content safely (see replaceFileAtomically): a crash leaves either the old or the new
// file, never half of one; links, owner, group and permissions are kept.  Throws FileError.
void replaceFileContent(const std::string& path, std::string_view bytes);

// Reads a whole file, refusing one larger than maxBytes (no file the program reads whole is ever that large; a
// damaged or foreign one must not take all memory).  Throws FileError when it cannot.
std::string readWholeFile(const std::string& path, std::uint64_t maxBytes = 64ULL << 20);

}  // namespace qln
