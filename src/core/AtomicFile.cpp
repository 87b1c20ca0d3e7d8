#include "core/AtomicFile.h"

#include "core/FileError.h"
#include "platform/File.h"

namespace qln {

void replaceFileContent(const std::string& path, std::string_view bytes) { replaceFileAtomically(path, bytes); }

std::string readWholeFile(const std::string& path, std::uint64_t maxBytes) {
    const File file = File::open(path, FileAccess::Read);
    if (!file) throw file.failure();
    const std::uint64_t size = file.size();
    if (size > maxBytes)
        throw FileError(path, "is too large (" + std::to_string(size) + " bytes; at most " + std::to_string(maxBytes) +
                                  " are read)");
    return file.readAll().substr(0, static_cast<std::size_t>(maxBytes));
}

}  // namespace qln
