#include "store/SyncFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/FileError.h"

namespace qln {

std::array<std::uint8_t, SyncRecord::Size> SyncRecord::encode() const {
    std::array<std::uint8_t, Size> b{};
    std::memcpy(b.data(), &counter, 4);
    std::memcpy(b.data() + 4, &lockState, 2);
    std::memcpy(b.data() + 6, &heartbeat, 8);
    return b;
}

SyncRecord SyncRecord::decode(const std::array<std::uint8_t, Size>& b) {
    SyncRecord r;
    std::memcpy(&r.counter, b.data(), 4);
    std::memcpy(&r.lockState, b.data() + 4, 2);
    std::memcpy(&r.heartbeat, b.data() + 6, 8);
    return r;
}

std::optional<SyncRecord> readSyncRecord(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::array<std::uint8_t, SyncRecord::Size> b{};
    std::size_t done = 0;
    while (done < b.size()) {
        const ssize_t n = ::read(fd, b.data() + done, b.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (done < b.size()) return std::nullopt;
    return SyncRecord::decode(b);
}

void writeSyncRecord(const std::string& path, const SyncRecord& record) {
    // Overwritten in place: other programs hold the name, and 14 bytes are written in one piece.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) throw FileError(path, systemReason(errno));
    const auto b = record.encode();
    const ssize_t n = ::pwrite(fd, b.data(), b.size(), 0);
    const int e = errno;
    ::close(fd);
    if (n != static_cast<ssize_t>(b.size())) throw FileError(path, n < 0 ? systemReason(e) : "short write");
}

}  // namespace qln
