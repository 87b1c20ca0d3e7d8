#pragma once

#include <cerrno>
#include <string>

#include "platform/File.h"

namespace qln {

// What the POSIX implementation needs of File's inside: the descriptor behind it.
class FileBackend {
public:
    static File adopt(int fd, std::string path) {
        File f;
        f.handle_ = fd;
        f.path_ = std::move(path);
        return f;
    }
    static File refused(std::string path, FileProblem problem, std::string reason) {
        File f;
        f.path_ = std::move(path);
        f.problem_ = problem;
        f.reason_ = std::move(reason);
        return f;
    }
    static int fd(const File& f) { return static_cast<int>(f.handle_); }
    // Hands the descriptor over; the File is closed afterwards without closing it.
    static int release(File& f) {
        const int fd = static_cast<int>(f.handle_);
        f.handle_ = File::NoHandle;
        return fd;
    }
};

// The words for files we refuse to treat as files.
inline constexpr const char* FolderReason = "is a folder, not a file";
inline constexpr const char* NotRegularReason = "is not a regular file";

// The FileError for the call that just failed; errno is taken before anything else can change it.
[[noreturn]] inline void throwSystemError(const std::string& path) {
    const int error = errno;
    throw FileError(path, systemReason(error));
}

// Permissions of a file we create, before the umask: the user's umask decides, as for every other program.
inline constexpr unsigned NewFileMode = 0666;

}  // namespace qln
