#include "core/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/FileError.h"

namespace qln {

std::string systemReason(int error) { return std::strerror(error); }

namespace {

void writeAll(int fd, std::string_view bytes, const std::string& path) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            throw FileError(path, systemReason(errno));
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

}  // namespace

void replaceFileContent(const std::string& path, std::string_view bytes) {
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) throw FileError(path, "is a folder, not a file");
    std::string tmp = path + ".tmp-XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) throw FileError(path, "cannot create a temporary file beside it: " + systemReason(errno));
    try {
        writeAll(fd, bytes, tmp);
        // Keep the permissions the user gave the file.
        if (exists) ::fchmod(fd, existing.st_mode & 07777);
        else ::fchmod(fd, 0644);
        if (::fsync(fd) != 0) throw FileError(path, systemReason(errno));
    } catch (...) {
        ::close(fd);
        ::unlink(tmp.c_str());
        throw;
    }
    if (::close(fd) != 0) {
        const int e = errno;
        ::unlink(tmp.c_str());
        throw FileError(path, systemReason(e));
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        const int e = errno;
        ::unlink(tmp.c_str());
        throw FileError(path, systemReason(e));
    }
}

std::string readWholeFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw FileError(path, systemReason(errno));
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        throw FileError(path, "is a folder, not a file");
    }
    std::string out;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            ::close(fd);
            throw FileError(path, systemReason(e));
        }
        if (n == 0) break;
        out.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return out;
}

}  // namespace qln
