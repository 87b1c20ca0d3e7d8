// The operations on a file by its name.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/File.h"
#include "platform/posix/FileBackend.h"

namespace qln {

FileInfo fileInfo(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {errno == ENOENT ? FileKind::Missing : FileKind::Unreachable};
    FileInfo info;
    info.kind = S_ISREG(st.st_mode) ? FileKind::Regular : S_ISDIR(st.st_mode) ? FileKind::Folder : FileKind::Other;
    info.size = static_cast<std::uint64_t>(st.st_size);
    info.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    return info;
}

bool touchFile(const std::string& path) {
    return ::utimensat(AT_FDCWD, path.c_str(), nullptr, 0) == 0;
}

bool removeFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

void replaceFileAtomically(const std::string& path, std::string_view bytes) {
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) throw FileError(path, FolderReason);
    if (exists && !S_ISREG(existing.st_mode)) throw FileError(path, NotRegularReason);
    std::string tmp = path + ".tmp-XXXXXX";
    const int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        throw FileError(path, "cannot create a temporary file beside it: " + systemReason(error));
    }
    File temp = FileBackend::adopt(fd, tmp);
    try {
        temp.writeAt(0, bytes);
        // Keep the permissions the user gave the file.
        ::fchmod(fd, exists ? existing.st_mode & 07777 : static_cast<mode_t>(NewFileMode));
        if (::fsync(fd) != 0) throwSystemError(path);
        if (::close(FileBackend::release(temp)) != 0) throwSystemError(path);
        if (::rename(tmp.c_str(), path.c_str()) != 0) throwSystemError(path);
    } catch (...) {
        ::unlink(tmp.c_str());
        throw;
    }
}

}  // namespace qln
