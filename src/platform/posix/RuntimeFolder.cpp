#include "platform/posix/RuntimeFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

namespace qln::posix {

namespace {

constexpr const char* kTemporaryMark = ".tmp";

// A name of a file right in the folder: nothing that leads elsewhere.
bool plainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

std::string temporaryName(const std::string& name) {
    static std::mt19937_64 random{std::random_device{}() ^ static_cast<std::uint64_t>(::getpid())};
    char suffix[17];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
    return name + kTemporaryMark + "-" + suffix;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

std::string RuntimeFolder::defaultPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') return std::string(runtime) + "/quillon";
    return "/tmp/quillon-" + std::to_string(::geteuid());
}

RuntimeFolder::RuntimeFolder(const std::string& path) : path_(path) {
    const std::string named = "The runtime folder " + path;
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        problem_ = named + " cannot be made: " + std::strerror(errno) + ".";
        return;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        struct stat st {};
        const bool link = ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
        problem_ = link               ? named + " is a symbolic link, not a folder."
                   : error == ENOTDIR ? named + " is not a folder."
                                      : named + " cannot be opened: " + std::strerror(error) + ".";
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        problem_ = named + " cannot be looked at: " + std::strerror(errno) + ".";
    } else if (st.st_uid != ::geteuid()) {
        problem_ = named + " belongs to another user (uid " + std::to_string(st.st_uid) + ").";
    } else if ((st.st_mode & 077) != 0) {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(st.st_mode & 07777));
        problem_ = named + " is open to other users (mode " + mode + "); it must be open to its owner only.";
    }
    if (!problem_.empty()) {
        ::close(fd);
        return;
    }
    fd_ = fd;
}

RuntimeFolder::~RuntimeFolder() {
    if (fd_ >= 0) ::close(fd_);
}

int RuntimeFolder::open(const std::string& name, int flags) const {
    if (!usable() || !plainName(name)) return -1;
    // Not blocking on a pipe someone put there; cleared once we know it is a regular file.
    const int fd = ::openat(fd_, name.c_str(), flags | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
    if (fd < 0) return -1;
    struct stat st {};
    const bool ours = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && st.st_nlink == 1;
    const int status = ours ? ::fcntl(fd, F_GETFL) : -1;
    if (status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::optional<std::string> RuntimeFolder::read(const std::string& name, std::size_t maxBytes) const {
    const int fd = open(name, O_RDONLY);
    if (fd < 0) return std::nullopt;
    std::string content;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0 || content.size() + static_cast<std::size_t>(n) > maxBytes) {
            ::close(fd);
            if (n == 0) return content;
            return std::nullopt;
        }
        content.append(buffer, static_cast<std::size_t>(n));
    }
}

bool RuntimeFolder::write(const std::string& name, std::string_view bytes) const {
    if (!usable() || !plainName(name)) return false;
    const std::string temporary = temporaryName(name);
    const int fd = ::openat(fd_, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    const bool written = writeAll(fd, bytes);
    if (::close(fd) == 0 && written && ::renameat(fd_, temporary.c_str(), fd_, name.c_str()) == 0) return true;
    ::unlinkat(fd_, temporary.c_str(), 0);
    return false;
}

bool RuntimeFolder::remove(const std::string& name) const {
    return usable() && plainName(name) && ::unlinkat(fd_, name.c_str(), 0) == 0;
}

std::vector<std::string> RuntimeFolder::names(std::string_view prefix) const {
    std::vector<std::string> out;
    if (!usable()) return out;
    const int listed = ::openat(fd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = listed >= 0 ? ::fdopendir(listed) : nullptr;
    if (dir == nullptr) {
        if (listed >= 0) ::close(listed);
        return out;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.starts_with(prefix) && plainName(name) && name.find(kTemporaryMark) == std::string::npos)
            out.push_back(name);
    }
    ::closedir(dir);
    return out;
}

}  // namespace qln::posix
