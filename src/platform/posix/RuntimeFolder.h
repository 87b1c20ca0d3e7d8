#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qln::posix {

// The folder of the user's running Quillon: the single-instance lock and the notes of what a program holds on a
// display.  $XDG_RUNTIME_DIR/quillon, or /tmp/quillon-<uid> without XDG_RUNTIME_DIR.  In /tmp any local user can
// make that folder first and plant links or notes in it, so the folder is used only when it is ours, a folder of
// its own (no link) and closed to everyone else; every file in it is reached through the checked folder, never
// through a link, and only when it is a regular file of ours.  A folder that fails the check is not used at all.
class RuntimeFolder {
public:
    // Opens the folder at `path`, creating it with mode 0700 when it is missing.
    explicit RuntimeFolder(const std::string& path = defaultPath());
    ~RuntimeFolder();
    RuntimeFolder(const RuntimeFolder&) = delete;
    RuntimeFolder& operator=(const RuntimeFolder&) = delete;

    // $XDG_RUNTIME_DIR/quillon when that variable names an absolute path, else /tmp/quillon-<uid>.
    static std::string defaultPath();

    bool usable() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }
    // Why the folder is not used, naming it: "/tmp/quillon-1000: the folder belongs to user 1001, not to us."
    const std::string& problem() const { return problem_; }

    // A descriptor (close-on-exec, the caller closes it) of the regular file `name` of ours in the folder, opened
    // with `flags` (O_RDONLY, O_RDWR; O_CREAT makes it with mode 0600), never through a link.  -1 otherwise.
    int open(const std::string& name, int flags) const;
    // The file's content, or nothing when it is missing, no regular file of ours, or larger than maxBytes.
    std::optional<std::string> read(const std::string& name, std::size_t maxBytes = 1 << 20) const;
    // Writes the file whole: the bytes go into a new file of their own that is then renamed over `name`, so a
    // reader sees the old content or the new.  false when it cannot.
    bool write(const std::string& name, std::string_view bytes) const;
    bool remove(const std::string& name) const;
    // The names in the folder that start with `prefix`, temporary files of write() left out.
    std::vector<std::string> names(std::string_view prefix) const;

private:
    std::string path_;
    std::string problem_;
    int fd_ = -1;
};

}  // namespace qln::posix
