#include "store/MacroFileNames.h"

namespace qln {

bool isMacroFileName(std::string_view path) {
    if (path.size() < 4) return false;
    const std::string_view ext = path.substr(path.size() - 4);
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    return ext[0] == '.' && upper(ext[1]) == 'Q' && upper(ext[2]) == 'L' && upper(ext[3]) == 'N';
}

std::string displayName(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return std::string(name.substr(0, name.size() >= 4 ? name.size() - 4 : 0));
}

namespace {
std::string companion(std::string_view path, const char* extension) {
    if (isMacroFileName(path)) return std::string(path.substr(0, path.size() - 4)) + extension;
    return std::string(path) + extension;
}
}  // namespace

std::string remapFileName(std::string_view path) { return companion(path, ".QLS"); }
std::string syncFileName(std::string_view path) { return companion(path, ".MAS"); }

}  // namespace qln
