#include "store/Vexmap.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include "core/AtomicFile.h"
#include "core/FileError.h"
#include "store/MacroFileNames.h"

namespace qln {

namespace {
std::array<std::uint8_t, Vexmap::Size> defaults() {
    std::array<std::uint8_t, Vexmap::Size> t{};
    std::size_t i = 0;
    for (char c = 'A'; c <= 'Z'; ++c) t[i++] = static_cast<std::uint8_t>(c);
    for (char c = 'a'; c <= 'z'; ++c) t[i++] = static_cast<std::uint8_t>(c);
    for (char c = '0'; c <= '9'; ++c) t[i++] = static_cast<std::uint8_t>(c);
    for (char c : Vexmap::Punctuation) t[i++] = static_cast<std::uint8_t>(c);
    return t;
}
}  // namespace

void Vexmap::InitVexmap() { tables_ = defaults(); }

bool Vexmap::SwapsInUse() const { return tables_ != defaults(); }

bool Vexmap::LoadVexmap(const std::string& path) {
    try {
        const std::string bytes = readWholeFile(path);
        if (bytes.size() < Size) return false;
        std::copy_n(bytes.begin(), Size, tables_.begin());
        return true;
    } catch (const FileError&) {
        return false;
    }
}

bool Vexmap::SaveVexmap(const std::string& path) const {
    try {
        replaceFileContent(path, std::string(tables_.begin(), tables_.end()));
        return true;
    } catch (const FileError&) {
        return false;
    }
}

void Vexmap::GetSwapFile(const std::string& macroFile) {
    const std::string path = remapFileName(macroFile);
    if (::access(path.c_str(), F_OK) == 0) {
        LoadVexmap(path);
        return;
    }
    InitVexmap();
    SaveVexmap(path);
}

}  // namespace qln
