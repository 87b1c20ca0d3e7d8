#include "platform/File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/posix/FileBackend.h"

namespace qln {

std::string systemReason(int error) {
    return std::strerror(error);
}

namespace {

int openFlags(FileAccess access, FileCreate create) {
    // O_NONBLOCK keeps a pipe from holding up the open until a writer comes; it is cleared once we know the file
    // is a regular one.
    int flags = O_CLOEXEC | O_NONBLOCK;
    switch (access) {
        case FileAccess::Read:
            flags |= O_RDONLY;
            break;
        case FileAccess::Write:
            flags |= O_WRONLY;
            break;
        case FileAccess::ReadWrite:
            flags |= O_RDWR;
            break;
    }
    if (create == FileCreate::IfMissing) flags |= O_CREAT;
    if (create == FileCreate::Exclusive) flags |= O_CREAT | O_EXCL;
    return flags;
}

File refusedFor(const std::string& path, int error) {
    switch (error) {
        case ENOENT:
            return FileBackend::refused(path, FileProblem::Missing, systemReason(error));
        case EEXIST:
            return FileBackend::refused(path, FileProblem::Exists, systemReason(error));
        case EISDIR:
            return FileBackend::refused(path, FileProblem::Folder, FolderReason);
        case ENXIO:
            return FileBackend::refused(path, FileProblem::NotRegular, NotRegularReason);  // pipe without reader
        default:
            return FileBackend::refused(path, FileProblem::Other, systemReason(error));
    }
}

}  // namespace

File File::open(const std::string& path, FileAccess access, FileCreate create) {
    const int flags = openFlags(access, create);
    int fd = -1;
    do fd = ::open(path.c_str(), flags, static_cast<mode_t>(NewFileMode));
    while (fd < 0 && errno == EINTR);
    if (fd < 0) return refusedFor(path, errno);
    File file = FileBackend::adopt(fd, path);
    struct stat st {};
    if (::fstat(fd, &st) != 0) return refusedFor(path, errno);
    if (S_ISDIR(st.st_mode)) return FileBackend::refused(path, FileProblem::Folder, FolderReason);
    if (!S_ISREG(st.st_mode)) return FileBackend::refused(path, FileProblem::NotRegular, NotRegularReason);
    const int status = ::fcntl(fd, F_GETFL);
    if (status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) return refusedFor(path, errno);
    return file;
}

File::~File() {
    if (isOpen()) ::close(FileBackend::fd(*this));
}

File::File(File&& other) noexcept
    : handle_(std::exchange(other.handle_, NoHandle)),
      path_(std::move(other.path_)),
      problem_(other.problem_),
      reason_(std::move(other.reason_)) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        if (isOpen()) ::close(FileBackend::fd(*this));
        handle_ = std::exchange(other.handle_, NoHandle);
        path_ = std::move(other.path_);
        problem_ = other.problem_;
        reason_ = std::move(other.reason_);
    }
    return *this;
}

std::size_t File::readAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n =
            ::pread(FileBackend::fd(*this), out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throwSystemError(path_);
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

std::string File::readAll() const {
    std::string out;
    std::array<std::uint8_t, 65536> buffer;
    for (;;) {
        const std::size_t n = readAt(out.size(), buffer);
        out.append(reinterpret_cast<const char*>(buffer.data()), n);
        if (n < buffer.size()) return out;
    }
}

void File::writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(FileBackend::fd(*this), bytes.data() + done, bytes.size() - done,
                                   static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throwSystemError(path_);
        if (n == 0) throw FileError(path_, "short write");
        done += static_cast<std::size_t>(n);
    }
}

void File::writeAt(std::uint64_t offset, std::string_view bytes) {
    writeAt(offset, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

std::uint64_t File::size() const {
    struct stat st {};
    if (::fstat(FileBackend::fd(*this), &st) != 0) throwSystemError(path_);
    return static_cast<std::uint64_t>(st.st_size);
}

void File::truncate(std::uint64_t size) {
    int rc = 0;
    do rc = ::ftruncate(FileBackend::fd(*this), static_cast<off_t>(size));
    while (rc != 0 && errno == EINTR);
    if (rc != 0) throwSystemError(path_);
}

bool File::lock(bool exclusive) {
    struct flock range {};
    range.l_type = static_cast<short>(exclusive ? F_WRLCK : F_RDLCK);
    range.l_whence = SEEK_SET;
    // Locks of the open file itself: closing another descriptor of the same file does not drop them.
    for (int command : {F_OFD_SETLKW, F_SETLKW}) {
        int rc = 0;
        do rc = ::fcntl(FileBackend::fd(*this), command, &range);
        while (rc != 0 && errno == EINTR);
        if (rc == 0) return true;
        if (errno == EINVAL && command == F_OFD_SETLKW) continue;  // a kernel without them
        if (errno == ENOLCK || errno == EOPNOTSUPP || errno == ENOSYS || errno == EINVAL) return false;
        throwSystemError(path_);
    }
    return false;
}

void File::unlock() {
    struct flock range {};
    range.l_type = F_UNLCK;
    range.l_whence = SEEK_SET;
    if (::fcntl(FileBackend::fd(*this), F_OFD_SETLK, &range) != 0) ::fcntl(FileBackend::fd(*this), F_SETLK, &range);
}

void File::flush() {
    if (::fsync(FileBackend::fd(*this)) != 0) throwSystemError(path_);
}

void File::close() {
    if (!isOpen()) return;
    if (::close(FileBackend::release(*this)) != 0) throwSystemError(path_);
}

}  // namespace qln
