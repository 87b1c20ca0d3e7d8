#pragma once

#include <array>
#include <optional>
#include <string>

namespace qln {

// What the File menu shows of the recent files list.
struct RecentFilesMenu {
    bool separatorVisible = false;
    std::array<std::optional<std::string>, 5> captions;  // "&1   " + path, or hidden
    bool operator==(const RecentFilesMenu&) const = default;
};

// The five most recently used macro files, entry 1 the most recent (the "Last File" settings).
class RecentFiles {
public:
    explicit RecentFiles(std::array<std::string, 5>& entries) : entries_(entries) {}

    // The file that was current goes first; the newly opened one leaves the list.
    void DoLastFiles(const std::string& previous, const std::string& opened);
    RecentFilesMenu SetMenuLastFiles() const;

private:
    std::array<std::string, 5>& entries_;
};

}  // namespace qln
