#include "app/Help.h"

#include <filesystem>
#include <system_error>

#ifndef QLN_SOURCE_DIR
#define QLN_SOURCE_DIR ""
#endif

namespace qln {

namespace fs = std::filesystem;

namespace {

bool isPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

bool isRegularFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

}  // namespace

std::string manualPagePath(const std::string& page, const std::string& programPath, const std::string& sourceFolder) {
    if (!isPlainFileName(page)) return {};
    if (fs::path(programPath).is_absolute()) {
        const fs::path prefix = fs::path(programPath).parent_path().parent_path();
        const fs::path installed = prefix / "share" / "doc" / "quillon" / "manual" / page;
        if (isRegularFile(installed)) return installed.string();
    }
    if (!sourceFolder.empty()) {
        const fs::path inTree = fs::path(sourceFolder) / "docs" / "manual" / page;
        if (isRegularFile(inTree)) return inTree.string();
    }
    return {};
}

std::string manualPagePath(const std::string& page) {
    return manualPagePath(page, thisProgramPath(), QLN_SOURCE_DIR);
}

std::string thisProgramPath() {
    std::error_code ec;
    std::string path = fs::read_symlink("/proc/self/exe", ec).string();
    if (ec) return {};
    // A program replaced on disk while it runs (an upgrade) still finds its manual under the old name.
    const std::string deleted = " (deleted)";
    if (path.size() > deleted.size() && path.ends_with(deleted)) path.resize(path.size() - deleted.size());
    return path;
}

}  // namespace qln
