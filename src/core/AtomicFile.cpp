#include "core/AtomicFile.h"

#include "platform/File.h"

namespace qln {

void replaceFileContent(const std::string& path, std::string_view bytes) { replaceFileAtomically(path, bytes); }

std::string readWholeFile(const std::string& path) {
    const File file = File::open(path, FileAccess::Read);
    if (!file) throw file.failure();
    return file.readAll();
}

}  // namespace qln
