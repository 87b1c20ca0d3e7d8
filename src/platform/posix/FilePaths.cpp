// The operations on a file by its name.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "platform/File.h"
#include "platform/posix/FileBackend.h"

namespace qln {

namespace {

constexpr const char* kTempMark = ".tmp-";
// A temporary file of ours this old is a leftover of a writer that was killed: the content is written while the
// file has no name yet, and a name lives only for the instant before the rename.
constexpr auto kLeftoverAge = std::chrono::seconds(10);

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t umaskNow() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

std::string randomSuffix() {
    static std::mt19937_64 rng{std::random_device{}() ^ static_cast<std::uint64_t>(::getpid())};
    static const char* digits = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string s;
    for (int i = 0; i < 10; ++i) s += digits[rng() % 36];
    return s;
}

// Temporary files of ours beside `name` that a killed writer left behind.
void removeLeftovers(const std::string& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    const std::string prefix = name + kTempMark;
    const auto now = std::chrono::system_clock::now();
    while (const dirent* e = ::readdir(dir)) {
        const std::string entry = e->d_name;
        if (entry.rfind(prefix, 0) != 0) continue;
        const std::string full = folder + "/" + entry;
        struct stat st {};
        if (::lstat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
        const auto modified = std::chrono::system_clock::from_time_t(st.st_mtim.tv_sec);
        if (now - modified > kLeftoverAge) ::unlink(full.c_str());
    }
    ::closedir(dir);
}

// An unnamed file in the folder (it vanishes if we are killed before it gets a name), else a named temporary
// one.  `named` gets the temporary name when there is one.
int openTemporary(const std::string& folder, const std::string& name, std::string& named) {
    named.clear();
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, static_cast<mode_t>(NewFileMode));
    if (fd >= 0) return fd;
    for (int attempt = 0; attempt < 16; ++attempt) {
        named = folder + "/" + name + kTempMark + randomSuffix();
        const int made = ::open(named.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(NewFileMode));
        if (made >= 0 || errno != EEXIST) return made;
    }
    return -1;
}

// Gives an unnamed file the name `target` (failing with EEXIST when it is taken); a named temporary is linked.
int linkTemporary(int fd, const std::string& temporary, const std::string& target) {
    if (temporary.empty()) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW);
    }
    return ::link(temporary.c_str(), target.c_str());
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Writes everything and puts it on the disk; the error names the user's file, not our temporary one.
void fill(int fd, std::string_view bytes, const std::string& path) {
    File out = FileBackend::adopt(fd, path);
    try {
        out.writeAt(0, bytes);
        out.flush();
    } catch (...) {
        FileBackend::release(out);
        throw;
    }
    FileBackend::release(out);
}

}  // namespace

FileInfo fileInfo(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {errno == ENOENT ? FileKind::Missing : FileKind::Unreachable};
    FileInfo info;
    info.kind = S_ISREG(st.st_mode) ? FileKind::Regular : S_ISDIR(st.st_mode) ? FileKind::Folder : FileKind::Other;
    info.size = static_cast<std::uint64_t>(st.st_size);
    info.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    return info;
}

bool mayWrite(const std::string& path) {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

bool touchFile(const std::string& path) {
    return ::utimensat(AT_FDCWD, path.c_str(), nullptr, 0) == 0;
}

bool removeFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

std::string resolvedFilePath(const std::string& path) {
    std::string current = path;
    // Link by link, so that a link to a file that does not exist yet still leads to where it will be.
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::error_code ec;
        const std::filesystem::path target = std::filesystem::read_symlink(current, ec);
        if (ec) return current;
        current = target.is_absolute() ? target.string() : (std::filesystem::path(folderOf(current)) / target).string();
    }
    return current;
}

void replaceFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string target = resolvedFilePath(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) throw FileError(path, FolderReason);
    if (exists && !S_ISREG(existing.st_mode)) throw FileError(path, NotRegularReason);
    const std::string folder = folderOf(target), name = nameOf(target);
    removeLeftovers(folder, name);
    std::string temporary;
    const int fd = openTemporary(folder, name, temporary);
    if (fd < 0) {
        const int error = errno;
        throw FileError(path, "cannot write beside it: " + systemReason(error));
    }
    try {
        fill(fd, bytes, path);
        if (exists) {
            // The file stays the one its users know: same permissions, owner and group, as far as we may.
            if (::fchown(fd, existing.st_uid, existing.st_gid) != 0 &&
                ::fchown(fd, static_cast<uid_t>(-1), existing.st_gid) != 0) {
                // Another user's file and a group we are not in: it becomes ours, with its permissions kept.
            }
            ::fchmod(fd, existing.st_mode & 07777);
        } else {
            ::fchmod(fd, static_cast<mode_t>(NewFileMode) & ~umaskNow());
        }
        if (temporary.empty()) {
            // An unnamed file needs a name of its own before it can take the place of the old one.
            for (int attempt = 0; attempt < 16 && temporary.empty(); ++attempt) {
                const std::string candidate = folder + "/" + name + kTempMark + randomSuffix();
                if (linkTemporary(fd, {}, candidate) == 0) temporary = candidate;
                else if (errno != EEXIST) throwSystemError(path);
            }
            if (temporary.empty()) throw FileError(path, "cannot write beside it");
        }
        if (::rename(temporary.c_str(), target.c_str()) != 0) throwSystemError(path);
        temporary.clear();
        ::close(fd);
    } catch (...) {
        if (!temporary.empty()) ::unlink(temporary.c_str());
        ::close(fd);
        throw;
    }
    syncFolder(folder);
}

bool createFileWithContent(const std::string& path, std::string_view bytes) {
    const std::string folder = folderOf(path), name = nameOf(path);
    std::string temporary;
    const int fd = openTemporary(folder, name, temporary);
    if (fd < 0) {
        const int error = errno;
        throw FileError(path, systemReason(error));
    }
    bool created = false;
    try {
        fill(fd, bytes, path);
        ::fchmod(fd, static_cast<mode_t>(NewFileMode) & ~umaskNow());
        if (linkTemporary(fd, temporary, path) == 0) {
            created = true;
        } else if (errno == EPERM || errno == EOPNOTSUPP || errno == ENOSYS) {
            // A file system without hard links: create the name exclusively and fill it, removing it again
            // if the content does not all fit.
            const int direct =
                ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(NewFileMode));
            if (direct < 0 && errno != EEXIST) throwSystemError(path);
            if (direct >= 0) {
                try {
                    fill(direct, bytes, path);
                } catch (...) {
                    ::unlink(path.c_str());
                    ::close(direct);
                    throw;
                }
                ::close(direct);
                created = true;
            }
        } else if (errno != EEXIST) {
            throwSystemError(path);
        }
    } catch (...) {
        if (!temporary.empty()) ::unlink(temporary.c_str());
        ::close(fd);
        throw;
    }
    if (!temporary.empty()) ::unlink(temporary.c_str());
    ::close(fd);
    if (created) syncFolder(folder);
    return created;
}

}  // namespace qln
