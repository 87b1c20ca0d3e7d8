#include "core/Paths.h"

#include <cstdlib>
#include <filesystem>

#include "core/FileError.h"

namespace qln {

namespace {

std::string base(const char* variable, const char* fallbackBelowHome) {
    if (const char* v = std::getenv(variable); v != nullptr && v[0] == '/') return v;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr && home[0] != 0 ? home : "/tmp") + "/" + fallbackBelowHome;
}

void ensureFolder(const std::string& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder))
        throw FileError(folder, ec ? ec.message() : std::string("cannot be created: a file stands in its place"));
}

}  // namespace

Paths Paths::at(const std::string& configFolder, const std::string& programFolder) {
    ensureFolder(configFolder);
    ensureFolder(programFolder);
    return Paths{configFolder, programFolder};
}

Paths Paths::fromEnvironment() {
    return at(base("XDG_CONFIG_HOME", ".config") + "/quillon", base("XDG_DATA_HOME", ".local/share") + "/quillon");
}

}  // namespace qln
