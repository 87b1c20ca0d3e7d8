#include "store/MacroFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/AtomicFile.h"
#include "core/FileError.h"

namespace qln {

namespace {

constexpr std::size_t kRecord = record::Size;

// An open file descriptor that closes itself.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }

private:
    int fd_;
};

bool isFolder(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
}

void readExactly(int fd, std::uint8_t* out, std::size_t size, off_t at, const std::string& path) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, out + done, size - done, at + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw FileError(path, systemReason(errno));
        if (n == 0) throw FileError(path, "the file ends in the middle of a macro record");
        done += static_cast<std::size_t>(n);
    }
}

void writeExactly(int fd, const std::uint8_t* data, std::size_t size, off_t at, const std::string& path) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(fd, data + done, size - done, at + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw FileError(path, systemReason(errno));
        done += static_cast<std::size_t>(n);
    }
}

std::string withPath(const std::string& path, const std::string& text) { return path + ": " + text; }

}  // namespace

void MacroFile::load(const std::string& path) {
    path_ = path;
    table_.setCount(0);
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.ok() && errno == ENOENT) {
        Fd created(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
        if (!created.ok()) {
            notices_.notice("Error", "New file could not be created.");
            return;
        }
        table_.repairSystemMacros(*this, clock_);
        return;
    }
    if (!fd.ok() || isFolder(fd.get())) {
        // Someone else's file we may not read, or a folder: leave it alone and start with an empty set.
        const std::string reason = fd.ok() ? "it is a folder, not a file" : systemReason(errno);
        notices_.notice("Error", withPath(path, "the macro file could not be opened: " + reason + "."));
        return;
    }
    const std::string bytes = readWholeFile(path);
    const std::size_t records = bytes.size() / kRecord;
    if (bytes.size() % kRecord != 0)
        notices_.notice("Warning", withPath(path, "the file ends in a partial macro record of " +
                                                      std::to_string(bytes.size() % kRecord) +
                                                      " bytes; it was left out."));
    if (records > static_cast<std::size_t>(MaxMacros))
        notices_.notice("Warning", withPath(path, "the file holds " + std::to_string(records) +
                                                      " macros; only the first 500 are loaded."));
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    for (std::size_t i = 0; i < records && i < static_cast<std::size_t>(MaxMacros); ++i) {
        table_.setCount(static_cast<int>(i + 1));
        table_.publish(static_cast<int>(i + 1),
                       MacroRecord::decode(std::span<const std::uint8_t, kRecord>(data + i * kRecord, kRecord)));
    }
    table_.UpNumKeys();
    table_.repairSystemMacros(*this, clock_);
}

void MacroFile::store(int n, const MacroRecord& r) {
    Fd fd(::open(path_.c_str(), O_RDWR | O_CLOEXEC));
    if (!fd.ok() || isFolder(fd.get())) {
        notices_.notice("Error", "Saving of keystrokes failed.");
        return;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) throw FileError(path_, systemReason(errno));
    const auto records = static_cast<std::size_t>(st.st_size) / kRecord;
    if (n < 1 || n > MaxMacros || static_cast<std::size_t>(n) > records + 1)
        throw FileError(path_, "macro " + std::to_string(n) + " would leave a gap after the " +
                                   std::to_string(records) + " records of the file");
    // The file first, then the tables: a failed write must not leave the set showing a macro the file lacks.
    const RecordBytes bytes = r.encode();
    writeExactly(fd.get(), bytes.data(), kRecord, static_cast<off_t>((n - 1) * kRecord), path_);
    table_.publish(n, r);
}

std::optional<MacroRecord> MacroFile::read(int n) const {
    Fd fd(::open(path_.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.ok() || isFolder(fd.get()) || n < 1) return std::nullopt;
    RecordBytes bytes{};
    readExactly(fd.get(), bytes.data(), kRecord, static_cast<off_t>((n - 1) * kRecord), path_);
    return MacroRecord::decode(bytes);
}

std::size_t MacroFile::recordsInFile() const {
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return 0;
    return static_cast<std::size_t>(st.st_size) / kRecord;
}

bool MacroFile::remove(int n) {
    if (::access(path_.c_str(), R_OK | W_OK) != 0) return false;
    const std::string bytes = readWholeFile(path_);
    const std::size_t records = bytes.size() / kRecord;
    if (n < 1 || static_cast<std::size_t>(n) > records) return false;
    // The later records move down one place; a trailing partial record goes with the rewrite.
    std::string rebuilt;
    rebuilt.reserve((records - 1) * kRecord);
    rebuilt.append(bytes, 0, static_cast<std::size_t>(n - 1) * kRecord);
    rebuilt.append(bytes, static_cast<std::size_t>(n) * kRecord, (records - static_cast<std::size_t>(n)) * kRecord);
    replaceFileContent(path_, rebuilt);
    return true;
}

bool MacroFile::setActiveFlag(int n, std::uint8_t value) {
    Fd fd(::open(path_.c_str(), O_RDWR | O_CLOEXEC));
    if (!fd.ok() || isFolder(fd.get())) return false;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) throw FileError(path_, systemReason(errno));
    if (n < 1 || static_cast<std::size_t>(n) > static_cast<std::size_t>(st.st_size) / kRecord) return false;
    writeExactly(fd.get(), &value, 1, static_cast<off_t>((n - 1) * kRecord + record::Active), path_);
    return true;
}

}  // namespace qln
